// Scripts written in the language (tests/host/scripts/*.qs) run against the library over the
// simulated machine. A script states what it expects in comments:
//   //> text       the next line it prints
//   //? text       an answer to the next question (askText)
//   //! text       the run ends in an error whose message, with its place, contains the text
//   //~ n          standby stops at Ctrl+Enter pressed after its pass n
// A line that begins with //--- starts another case of the same file: each case is a run of its
// own, with its own expectations, after the cases before it (lines keep their numbers).
// Before each script the machine holds C:\work\notes.txt, C:\work\src\main.c and
// C:\work\src\lib\, and C:\work\ is the current directory.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "lang_library_fixture.h"
#include "platform/keyboard.h"

namespace langtest {
namespace {

namespace fs = std::filesystem;

fs::path scriptFolder() {
  return fs::path(__FILE__).parent_path() / "scripts";
}

std::vector<fs::path> scripts() {
  std::vector<fs::path> found;
  for (const auto& entry : fs::directory_iterator(scriptFolder())) {
    if (entry.path().extension() == ".qs") found.push_back(entry.path());
  }
  std::sort(found.begin(), found.end());
  return found;
}

struct Expectations {
  std::vector<std::string> output;
  std::deque<std::string> answers;
  std::string error;
  int stopAfterPass = 0;
};

Expectations expectationsOf(const std::string& source) {
  Expectations e;
  std::istringstream in(source);
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    std::size_t at = line.find("//");
    if (at == std::string::npos || at + 3 > line.size()) continue;
    char kind = line[at + 2];
    std::string text = line.substr(std::min(line.size(), at + 4));
    if (kind == '>') e.output.push_back(text);
    if (kind == '?') e.answers.push_back(text);
    if (kind == '!') e.error = text;
    if (kind == '~') e.stopAfterPass = std::stoi(text);
  }
  return e;
}

class LangScripts : public LibraryLangTest, public ::testing::WithParamInterface<fs::path> {};

// The file's cases: each a run's source, padded with the lines before it so that errors name
// the file's own line numbers.
std::vector<std::string> casesOf(const std::string& source) {
  std::vector<std::string> cases(1);
  std::istringstream in(source);
  std::string line;
  std::size_t number = 0;
  while (std::getline(in, line)) {
    if (line.rfind("//---", 0) == 0) cases.push_back(std::string(number, '\n'));
    cases.back() += line + "\n";
    ++number;
  }
  return cases;
}

TEST_P(LangScripts, RunsAsItsCommentsSay) {
  platform::sim::addFile("C:\\work\\notes.txt", "notes");
  platform::sim::addFile("C:\\work\\src\\main.c", "int main;");
  platform::sim::addFolder("C:\\work\\src\\lib");
  platform::sim::setCurrentDirectoryPath("C:\\work");

  std::ifstream in(GetParam(), std::ios::binary);
  std::string source((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  ASSERT_FALSE(source.empty()) << GetParam();
  for (const std::string& part : casesOf(source)) {
    SCOPED_TRACE(part.substr(
        part.find_first_not_of('\n') == std::string::npos ? 0 : part.find_first_not_of('\n'), 80));
    Expectations expected = expectationsOf(part);
    answers = expected.answers;
    platform::sim::setKeyDown(platform::kVkControl, false);
    platform::sim::setKeyDown(platform::kVkReturn, false);
    const int stopAt = platform::sim::keyQueries(platform::kVkReturn) + expected.stopAfterPass + 1;
    platform::sim::onKeyQuery([stopAt](int key, int query) {
      if (key == platform::kVkReturn && query == stopAt) {
        platform::sim::setKeyDown(platform::kVkControl, true);
        platform::sim::setKeyDown(platform::kVkReturn, true);
      }
    });
    quenda::lang::Outcome outcome = run(part, GetParam().filename().string());
    if (expected.error.empty()) {
      EXPECT_TRUE(outcome.ok) << quenda::lang::describe(outcome.error);
    } else {
      EXPECT_FALSE(outcome.ok);
      std::string message = quenda::lang::describe(outcome.error);
      EXPECT_NE(message.find(expected.error), std::string::npos)
          << "expected an error with: " << expected.error << "\ngot: " << message;
    }
    EXPECT_EQ(lines, expected.output);
    EXPECT_TRUE(answers.empty()) << "questions expected but not asked: " << answers.size();
  }
}

INSTANTIATE_TEST_SUITE_P(Scripts, LangScripts, ::testing::ValuesIn(scripts()),
                         [](const ::testing::TestParamInfo<fs::path>& info) {
                           std::string name = info.param.stem().string();
                           for (char& c : name) {
                             if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
                           }
                           return name;
                         });

}  // namespace
}  // namespace langtest
