// run of the real zorvel.dll under Wine: it starts the tests' recorder program, which writes
// down the command line and the directory it was started with.
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <thread>

#include "platform/environment.h"
#include "work_folder.h"
// After the seam headers.
#include "desktop.h"

namespace {

// The recorder, beside this program.
std::string recorderPath() {
  const char* self = _pgmptr;
  if (!self) return {};
  std::string path = self;
  return path.substr(0, path.find_last_of("\\/") + 1) + "zv_recorder.exe";
}

struct Record {
  std::string commandLine;
  std::string directory;
  std::vector<std::string> arguments;  // as the program's C runtime split them
};

class RealRun : public wine::WorkFolder {
 protected:
  void SetUp() override {
    wine::WorkFolder::SetUp();
    recorder = at("Program Dir\\rec.exe");
    addFolder("Program Dir");
    ASSERT_TRUE(platform::CopyFileA(recorderPath().c_str(), recorder.c_str(), 0)) << recorderPath();
    record = at("record.txt");
    ASSERT_TRUE(platform::SetEnvironmentVariableA("ZV_RECORD", record.c_str()));
  }

  quenda::Result run(std::vector<quenda::ValueRef> args) {
    platform::DeleteFileA(record.c_str());
    return runtime.call("run", std::move(args));
  }

  // The record the started program writes, waited for (the program runs on its own).
  Record waitForRecord() {
    for (int i = 0; i < 300 && !wine::exists(record); ++i) {
      std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    std::string text = wine::readFile(record);
    std::vector<std::string> lines;
    for (std::size_t at = 0, end; (end = text.find('\n', at)) != std::string::npos; at = end + 1)
      lines.push_back(text.substr(at, end - at));
    if (lines.size() < 2) return {"<no record>", "", {}};
    return {lines[0], lines[1], std::vector<std::string>(lines.begin() + 2, lines.end())};
  }

  std::string recorder;
  std::string record;
};

TEST_F(RealRun, AProgramInQuotesStartsInItsOwnFolder) {
  ASSERT_TRUE(run({runtime.text("\"" + recorder + "\""), runtime.text("one two")}).ok());
  Record r = waitForRecord();
  EXPECT_EQ(r.commandLine, "\"" + recorder + "\" one two");
  EXPECT_EQ(r.directory, at("Program Dir"));
}

TEST_F(RealRun, APathWithForwardSlashes) {
  std::string slashed = recorder;
  std::replace(slashed.begin(), slashed.end(), '\\', '/');
  ASSERT_TRUE(run({runtime.text(slashed)}).ok());
  Record r = waitForRecord();
  EXPECT_EQ(r.commandLine, "\"" + slashed + "\"");
  EXPECT_EQ(r.directory, at("Program Dir"));
}

TEST_F(RealRun, AFileObjectIsOneQuotedParameterAndATextGoesAsItIs) {
  quenda::Result made = runtime.newObject("file", at("my notes.txt"));
  ASSERT_TRUE(made.ok());
  ASSERT_TRUE(run({runtime.text(recorder), made.value}).ok());
  EXPECT_EQ(waitForRecord().commandLine, "\"" + recorder + "\" \"" + at("my notes.txt") + "\"");

  ASSERT_TRUE(run({runtime.text(recorder), runtime.text("a \"b\" c")}).ok());
  EXPECT_EQ(waitForRecord().commandLine, "\"" + recorder + "\" a \"b\" c");
}

// A folder object reaches the program as exactly its path, closing backslashes included.
TEST_F(RealRun, AFolderObjectArrivesAsExactlyItsPath) {
  for (std::string path : {std::string("C:\\"), at("a b\\"), at("a\\\\"), at("q\" x \"\\")}) {
    SCOPED_TRACE(path);
    quenda::Result made = runtime.newObject("folder", path);
    ASSERT_TRUE(made.ok());
    ASSERT_TRUE(run({runtime.text(recorder), made.value}).ok());
    EXPECT_EQ(waitForRecord().arguments, std::vector<std::string>{path});
  }
}

TEST_F(RealRun, ADocumentOpensThroughTheShellInTheProgramOfItsType) {
  // The type ".zvrec" opens in the recorder.
  std::string command = "reg add HKCR\\zvrecfile\\shell\\open\\command /ve /f /d \"\\\"" +
                        recorder + "\\\" \\\"%1\\\"\" >NUL";
  ASSERT_EQ(std::system("reg add HKCR\\.zvrec /ve /f /d zvrecfile >NUL"), 0);
  ASSERT_EQ(std::system(command.c_str()), 0);
  addFile("docs\\report.zvrec", "document");

  ASSERT_TRUE(run({runtime.text(at("docs\\report.zvrec"))}).ok());
  Record r = waitForRecord();
  EXPECT_NE(r.commandLine.find(at("docs\\report.zvrec")), std::string::npos) << r.commandLine;
  EXPECT_EQ(r.commandLine.find(recorder), 1u) << r.commandLine;
  EXPECT_EQ(r.directory, at("docs"));

  std::system("reg delete HKCR\\.zvrec /f >NUL");
  std::system("reg delete HKCR\\zvrecfile /f >NUL");
}

TEST_F(RealRun, WrongCallsRaiseTheirErrors) {
  quenda::Result none = runtime.call("run", {});
  ASSERT_FALSE(none.ok());
  EXPECT_EQ(*none.error, "The minimal argument count is 1!");
  quenda::Result number = run({runtime.text(recorder), runtime.number(5)});
  ASSERT_FALSE(number.ok());
  EXPECT_EQ(*number.error, "Invalid arguments specified.");
  // Something neither way can start raises no error, and the shell shows no message box that
  // would hold an unattended script; one that came anyway is answered, so the test goes on.
  std::thread user;
  std::atomic<bool> told{false};
  if (wine::canShowWindows()) {
    user = std::thread([&] {
      HWND box = wine::waitForDialog(nullptr, 5);
      if (box) PostMessageA(box, WM_COMMAND, IDOK, 0);
      told = box != nullptr;
    });
  }
  EXPECT_TRUE(run({runtime.text(at("nothing\\here.exe"))}).ok());
  if (user.joinable()) {
    user.join();
    EXPECT_FALSE(told) << "the shell showed a message box";
  }
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  EXPECT_FALSE(wine::exists(record));
}

}  // namespace
