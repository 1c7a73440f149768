// Scripts written in the language (tests/host/scripts/*.qs) run against the library over the
// simulated machine. A script states what it expects in comments:
//   //> text       the next line it prints
//   //! text       the run ends in an error whose message, with its place, contains the text
//   //~ n          standby stops at Ctrl+Enter pressed after its pass n
// A file holds several runs, each after the ones before it: a run ends with its //! line, and a
// line that begins with //--- starts another. Lines keep their numbers in the messages.
// Before each file the machine holds C:\work\notes.txt, C:\work\src\main.c and C:\work\src\lib\,
// and C:\work\ is the current directory.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "lang_library_fixture.h"
#include "platform/keyboard.h"

namespace langtest {
namespace {

namespace fs = std::filesystem;
namespace sim = platform::sim;
using ::testing::HasSubstr;

std::vector<fs::path> scripts() {
  std::vector<fs::path> found;
  for (const auto& entry : fs::directory_iterator(ZV_HOST_SCRIPTS)) {
    if (entry.path().extension() == ".qs") found.push_back(entry.path());
  }
  std::sort(found.begin(), found.end());
  return found;
}

struct ScriptRun {
  std::string source;  // padded with the lines before it
  std::vector<std::string> output;
  std::string error;
  int stopAfterPass = 0;
};

std::vector<ScriptRun> runsOf(const std::string& file) {
  std::vector<ScriptRun> runs;
  std::istringstream in(file);
  std::string line;
  for (std::size_t number = 0; std::getline(in, line); ++number) {
    if (runs.empty() || line.rfind("//---", 0) == 0 || !runs.back().error.empty()) {
      runs.emplace_back().source = std::string(number, '\n');
    }
    ScriptRun& run = runs.back();
    run.source += line + "\n";
    std::size_t at = line.find("//");
    if (at == std::string::npos || at + 3 > line.size()) continue;
    std::string text = line.substr(std::min(line.size(), at + 4));
    char kind = line[at + 2];
    if (kind == '>') run.output.push_back(text);
    if (kind == '!') run.error = text;
    if (kind == '~') run.stopAfterPass = std::stoi(text);
  }
  return runs;
}

class LangScripts : public LibraryLangTest, public ::testing::WithParamInterface<fs::path> {};

TEST_P(LangScripts, RunsAsItsCommentsSay) {
  sim::addFile("C:\\work\\notes.txt", "notes");
  sim::addFile("C:\\work\\src\\main.c", "int main;");
  sim::addFolder("C:\\work\\src\\lib");
  sim::setCurrentDirectoryPath("C:\\work");

  std::ifstream in(GetParam(), std::ios::binary);
  std::string file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  ASSERT_FALSE(file.empty()) << GetParam();
  for (const ScriptRun& expected : runsOf(file)) {
    SCOPED_TRACE(expected.source.substr(expected.source.find_first_not_of('\n'), 80));
    sim::setKeyDown(platform::kVkControl, false);
    sim::setKeyDown(platform::kVkReturn, false);
    const int stopAt = sim::keyQueries(platform::kVkReturn) + expected.stopAfterPass + 1;
    sim::onKeyQuery([stopAt](int key, int query) {
      if (key == platform::kVkReturn && query == stopAt) {
        sim::setKeyDown(platform::kVkControl, true);
        sim::setKeyDown(platform::kVkReturn, true);
      }
    });
    quenda::lang::Outcome outcome = run(expected.source, GetParam().filename().string());
    std::string message = quenda::lang::describe(outcome.error);
    EXPECT_EQ(outcome.ok, expected.error.empty()) << message;
    EXPECT_THAT(message, HasSubstr(expected.error));  // "" is part of any message
    EXPECT_EQ(lines, expected.output);
  }
}

// Tests are named after their files, so file names are letters, digits and underscores.
INSTANTIATE_TEST_SUITE_P(Scripts, LangScripts, ::testing::ValuesIn(scripts()),
                         [](const auto& info) { return info.param.stem().string(); });

}  // namespace
}  // namespace langtest
