// launchProgram and run against the simulated processes: the command line, the directory, the
// start flags, the shell's fallback, and the handles.
#include <algorithm>

#include "classes_fixture.h"
#include "common/command_line.h"
#include "launch/launch_program.h"
#include "platform/process.h"
#include "platform/registry.h"

namespace {

namespace sim = platform::sim;
using Args = std::vector<std::string>;

class Launch : public LibraryTest {
 protected:
  void SetUp() override {
    LibraryTest::SetUp();
    sim::addFile("C:\\tools\\app.exe");
    sim::addFile("C:\\Program Files\\viewer\\view.exe");
    sim::addFile("C:\\docs\\report.txt", "text");
    sim::associate(".txt", "C:\\Program Files\\viewer\\view.exe");
    sim::associate("http:", "C:\\Program Files\\viewer\\view.exe");
  }
  quenda::Result run(std::vector<quenda::ValueRef> args) {
    return runtime.call("run", std::move(args));
  }
  // CreateProcessA's recorded arguments: application, command line, attributes x2, inherit,
  // flags, environment, directory, cb, dwFlags, wShowWindow.
  Args lastCreate() {
    auto calls = sim::callsOf("CreateProcessA");
    return calls.empty() ? Args{} : calls.back().args;
  }
  // ShellExecuteExA's: cbSize, fMask, hwnd, verb, file, parameters, directory, nShow.
  Args lastShell() {
    auto calls = sim::callsOf("ShellExecuteExA");
    return calls.empty() ? Args{} : calls.back().args;
  }
  int countOf(int slot) {
    const auto& calls = runtime.slotCalls();
    return static_cast<int>(std::count(calls.begin(), calls.end(), slot));
  }
};

TEST_F(Launch, RunStartsTheQuotedProgramInItsOwnFolder) {
  ASSERT_TRUE(run({text("C:\\tools\\app.exe")}).ok());
  EXPECT_EQ(lastCreate(), (Args{"(null)", "\"C:\\tools\\app.exe\"", "0x0", "0x0", "0", "32", "0x0",
                                "C:\\tools\\", "68", "1", "1"}));
  ASSERT_EQ(sim::processes().size(), 1u);
  const sim::Process& p = sim::processes()[0];
  EXPECT_EQ(p.program, "C:\\tools\\app.exe");
  EXPECT_EQ(p.directory, "C:\\tools\\");
  EXPECT_EQ(p.showWindow, 1);
  EXPECT_FALSE(p.byShell);
  EXPECT_TRUE(sim::callsOf("ShellExecuteExA").empty());
  EXPECT_EQ(sim::openHandles(), "");
  EXPECT_EQ(sim::callsOf("CloseHandle").size(), 2u);
}

TEST_F(Launch, RunWithABareNameStartsInTheCurrentDirectory) {
  sim::addFile("C:\\Windows\\System32\\tool.exe");
  sim::addFolder("D:\\here");
  sim::setCurrentDirectoryPath("D:\\here");
  ASSERT_TRUE(run({text("tool")}).ok());
  EXPECT_EQ(lastCreate()[1], "\"tool\"");
  EXPECT_EQ(lastCreate()[7], "(null)");
  ASSERT_EQ(sim::processes().size(), 1u);
  EXPECT_EQ(sim::processes()[0].program, "C:\\Windows\\System32\\tool.exe");
  EXPECT_EQ(sim::processes()[0].directory, "D:\\here");
}

TEST_F(Launch, QuotedProgramsAndForwardSlashes) {
  ASSERT_TRUE(run({text("\"C:\\Program Files\\viewer\\view.exe\""), text("-x")}).ok());
  EXPECT_EQ(lastCreate()[1], "\"C:\\Program Files\\viewer\\view.exe\" -x");
  EXPECT_EQ(lastCreate()[7], "C:\\Program Files\\viewer\\");

  ASSERT_TRUE(run({text("C:/tools/app.exe")}).ok());
  EXPECT_EQ(lastCreate()[1], "\"C:/tools/app.exe\"");
  EXPECT_EQ(lastCreate()[7], "C:/tools/");
  EXPECT_EQ(sim::processes().size(), 2u);
}

TEST_F(Launch, TheSecondArgumentBecomesTheParameters) {
  run({text("C:\\tools\\app.exe"), file("C:\\docs\\a b.txt")});
  EXPECT_EQ(lastCreate()[1], "\"C:\\tools\\app.exe\" \"C:\\docs\\a b.txt\"");
  run({text("C:\\tools\\app.exe"), folder("C:\\docs\\")});
  EXPECT_EQ(lastCreate()[1], "\"C:\\tools\\app.exe\" \"C:\\docs\\\\\"");
  run({text("C:\\tools\\app.exe"), text("one two")});
  EXPECT_EQ(lastCreate()[1], "\"C:\\tools\\app.exe\" one two");
  run({text("C:\\tools\\app.exe"), text("")});
  EXPECT_EQ(lastCreate()[1], "\"C:\\tools\\app.exe\"");

  // A third argument is never fetched.
  runtime.clearSlotCalls();
  ASSERT_TRUE(run({text("C:\\tools\\app.exe"), text("p"), runtime.number(1)}).ok());
  EXPECT_EQ(countOf(abi::kNextArgText), 1);
  EXPECT_EQ(countOf(abi::kNextArgValue), 1);
  EXPECT_EQ(lastCreate()[1], "\"C:\\tools\\app.exe\" p");
}

TEST_F(Launch, WrongCallsRaiseTheirErrorAndStartNothing) {
  quenda::Result none = run({});
  ASSERT_FALSE(none.ok());
  EXPECT_EQ(*none.error, "The minimal argument count is 1!");
  for (quenda::ValueRef wrong : {runtime.number(3), runtime.list()}) {
    quenda::Result result = run({text("C:\\tools\\app.exe"), wrong});
    ASSERT_FALSE(result.ok());
    EXPECT_EQ(*result.error, "Invalid arguments specified.");
  }
  EXPECT_TRUE(sim::callsOf("CreateProcessA").empty());
  EXPECT_TRUE(sim::callsOf("ShellExecuteExA").empty());
}

TEST_F(Launch, ADocumentFallsBackToTheShellWithTheSameTexts) {
  ASSERT_TRUE(run({text("C:\\docs\\report.txt"), text("--page 2")}).ok());
  EXPECT_EQ(lastCreate()[1], "\"C:\\docs\\report.txt\" --page 2");
  EXPECT_EQ(lastShell(),
            (Args{"60", "1088", "0x0", "", "C:\\docs\\report.txt", "--page 2", "C:\\docs\\", "1"}));
  ASSERT_EQ(sim::processes().size(), 1u);
  EXPECT_TRUE(sim::processes()[0].byShell);
  EXPECT_EQ(sim::processes()[0].program, "C:\\Program Files\\viewer\\view.exe");
  EXPECT_EQ(sim::openHandles(), "");
}

TEST_F(Launch, TheShellGetsADirectoryDerivedFromTheProgramWhenNoneIsGiven) {
  EXPECT_EQ(zorvel::launchProgram("C:\\docs\\report.txt"), 1);
  EXPECT_EQ(lastShell()[6], "C:\\docs\\");
  // Only a backslash counts, and not one in the first character.
  zorvel::launchProgram("C:/docs/report.txt");
  EXPECT_EQ(lastShell()[6], "(null)");
  zorvel::launchProgram("\\report.txt");
  EXPECT_EQ(lastShell()[6], "(null)");
  zorvel::launchProgram("http://example.org/a\\b", nullptr, "");
  EXPECT_EQ(lastShell()[6], "http://example.org/a\\");
  EXPECT_EQ(sim::openHandles(), "");
}

TEST_F(Launch, AnAddressOpensThroughTheShellAndAnUnknownNameGivesZero) {
  EXPECT_EQ(zorvel::launchProgram("http://example.org", "", ""), 1);
  EXPECT_EQ(lastShell()[4], "http://example.org");
  EXPECT_EQ(zorvel::launchProgram("C:\\nothing\\here.exe", "", ""), 0);
  EXPECT_EQ(zorvel::launchProgram("", nullptr, nullptr), 0);
  EXPECT_EQ(zorvel::launchProgram(nullptr), 0);
  EXPECT_EQ(sim::openHandles(), "");

  // A program that takes the request in a running instance leaves no handle to close.
  sim::runsAlready("C:\\Program Files\\viewer\\view.exe");
  sim::clearCalls();
  EXPECT_EQ(zorvel::launchProgram("C:\\docs\\report.txt"), 1);
  EXPECT_TRUE(sim::callsOf("CloseHandle").empty());
}

TEST_F(Launch, FailuresAtEachStepLeaveNoHandleAndNoMemory) {
  forEachFault(
      {"CreateProcessA", "ShellExecuteExA", "HeapAlloc"},
      [&](const Fault& fault) {
        fault.arm();
        std::int32_t started = zorvel::launchProgram("C:\\docs\\report.txt", "p", "");
        std::int32_t direct = zorvel::launchProgram("C:\\tools\\app.exe", "", "");
        if (!fault.injected()) {
          EXPECT_EQ(started, 1);
          EXPECT_EQ(direct, 1);
        }
      },
      platform::kErrorAccessDenied, [&] { return libraryBytes(); });
}

TEST_F(Launch, WhenMemoryRunsOutRunStartsTheRightCommandOrNothing) {
  quenda::ValueRef parameter = file("C:\\docs\\a b.txt");
  forEachFault({"HeapAlloc"}, [&](const Fault& fault) {
    sim::reset();
    sim::addFile("C:\\tools\\app.exe");
    fault.arm();
    EXPECT_TRUE(run({text("C:\\tools\\app.exe"), parameter}).ok());
    for (const sim::Process& p : sim::processes()) {
      EXPECT_EQ(p.commandLine, "\"C:\\tools\\app.exe\" \"C:\\docs\\a b.txt\"");
      EXPECT_EQ(p.directory, "C:\\tools\\");
    }
    if (!fault.injected()) {
      EXPECT_EQ(sim::processes().size(), 1u);
    }
  });
}

TEST_F(Launch, VeryLongTextsAreCarriedWhole) {
  std::string program = "C:\\" + std::string(40000, 'p') + ".exe";
  std::string parameters(70000, 'q');
  EXPECT_EQ(zorvel::launchProgram(program.c_str(), parameters.c_str(), nullptr), 0);
  EXPECT_EQ(lastCreate()[1], "\"" + program + "\" " + parameters);
  EXPECT_EQ(lastShell()[5], parameters);
}

// Every text the library puts on a command line arrives as the one argument it meant, whatever
// backslashes, blanks and quotes it holds; programs are started by their full path only.
class HostileLaunch : public Launch {
 protected:
  void SetUp() override {
    Launch::SetUp();
    prepare();
  }
  void prepare() {
    sim::addFile("C:\\Windows\\explorer.exe");
    sim::addFile(kBrowser);
    sim::setRegistryText(platform::kHkeyCurrentUser, kUserChoice, "ProgID", "TestURL");
    sim::setRegistryText(platform::kHkeyLocalMachine,
                         "SOFTWARE\\Classes\\TestURL\\shell\\open\\command", "",
                         std::string("\"") + kBrowser + "\" \"%1\"");
    // Programs planted in the current folder under the names the library might look for.
    sim::addFolder("C:\\work");
    sim::setCurrentDirectoryPath("C:\\work");
    for (const char* planted : {"explorer.exe", "www.example.com", "evil.exe"})
      sim::addFile(std::string("C:\\work\\") + planted);
  }
  static constexpr const char* kBrowser = "C:\\Program Files\\Browser\\browser.exe";
  static constexpr const char* kUserChoice =
      "Software\\Microsoft\\Windows\\Shell\\Associations\\UrlAssociations\\http\\UserChoice";
};

TEST_F(HostileLaunch, EachTextArrivesAsExactlyTheArgumentMeant) {
  struct Row {
    const char* how;  // run, web or exp
    std::string given;
    std::string program;
    std::string received;
  };
  const std::string app = "C:\\tools\\app.exe";
  const std::string explorer = "C:\\Windows\\explorer.exe";
  const std::vector<Row> rows = {
      {"run", "C:\\", app, "C:\\"},
      {"run", "C:\\a b\\", app, "C:\\a b\\"},
      {"run", "C:\\a\\\\", app, "C:\\a\\\\"},
      {"run", "C:\\work\\", app, "C:\\work\\"},
      {"run", "C:\\x\" --evil \"y\\", app, "C:\\x\" --evil \"y\\"},
      {"run", "C:\\\\\"\\", app, "C:\\\\\"\\"},
      {"exp", "C:\\", explorer, "C:\\"},
      {"exp", "C:\\a b\\", explorer, "C:\\a b\\"},
      {"exp", "C:\\a\\\\", explorer, "C:\\a\\\\"},
      {"exp", "C:\\q\" /e,\"D:\\", explorer, "C:\\q\" /e,\"D:\\"},
      {"web", "https://x\" --some-switch \"y", kBrowser, "https://x%22 --some-switch %22y"},
      {"web", "https://x\\", kBrowser, "https://x\\"},
      {"web", "https://a\\\"b c\\\\\"", kBrowser, "https://a\\%22b c\\\\%22"},
      {"web", "", kBrowser, ""},
      {"web", "\t\"\"\t", kBrowser, "\t%22%22\t"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(std::string(row.how) + " " + row.given);
    sim::clearCalls();
    std::size_t before = sim::processes().size();
    quenda::Result result;
    if (row.how == std::string("run")) {
      result = run({text(app), folder(row.given)});
    } else if (row.how == std::string("exp")) {
      result = runtime.callMethod(folder(row.given), "exp");
    } else {
      result = runtime.call("web", {text(row.given)});
    }
    ASSERT_TRUE(result.ok());
    ASSERT_EQ(sim::processes().size(), before + 1);
    const sim::Process& started = sim::processes().back();
    EXPECT_FALSE(started.byShell);
    EXPECT_EQ(started.program, row.program);
    EXPECT_EQ(splitCommandLine(started.commandLine), (Args{row.program, row.received}))
        << started.commandLine;
  }
  EXPECT_EQ(sim::openHandles(), "");
}

TEST_F(HostileLaunch, NothingIsStartedFromTheCurrentFolderUnasked) {
  // The explorer comes from the Windows folder; without one, nothing is started.
  ASSERT_TRUE(runtime.callMethod(folder("C:\\work\\"), "exp").ok());
  EXPECT_EQ(sim::processes().back().program, "C:\\Windows\\explorer.exe");
  std::size_t started = sim::processes().size();
  sim::failCall("GetWindowsDirectoryA", 1, platform::kErrorAccessDenied);
  ASSERT_TRUE(runtime.callMethod(folder("C:\\work\\"), "exp").ok());
  EXPECT_EQ(sim::processes().size(), started);

  // Without a browser an address goes to the shell only, and one without a scheme is an http
  // address: the planted www.example.com never runs.
  sim::reset();
  prepare();
  sim::setRegistryText(platform::kHkeyCurrentUser, kUserChoice, "ProgID", "Gone");
  sim::associate("http:", "C:\\Program Files\\viewer\\view.exe");
  sim::associate("https:", "C:\\Program Files\\viewer\\view.exe");
  for (const char* address :
       {"www.example.com", "evil.exe", "www.example.com:8080/a", "https://example.org/"}) {
    SCOPED_TRACE(address);
    sim::clearCalls();
    ASSERT_TRUE(runtime.call("web", {text(address)}).ok());
    EXPECT_TRUE(sim::callsOf("CreateProcessA").empty());
    ASSERT_FALSE(sim::processes().empty());
    EXPECT_EQ(sim::processes().back().program, "C:\\Program Files\\viewer\\view.exe");
  }
  EXPECT_EQ(sim::processes().size(), 4u);
  // A local document named by its full path still opens.
  sim::associate(".txt", "C:\\Program Files\\viewer\\view.exe");
  sim::addFile("C:\\docs\\report.txt");
  ASSERT_TRUE(runtime.call("web", {text("C:\\docs\\report.txt")}).ok());
  EXPECT_EQ(sim::processes().back().shellFile, "C:\\docs\\report.txt");
}

TEST_F(HostileLaunch, TheShellNeverShowsAMessageBoxAndAFailureIsTheResult) {
  for (const char* target : {"C:\\docs\\report.txt", "C:\\docs\\unknown.zzz", "C:\\none\\x.txt"}) {
    SCOPED_TRACE(target);
    sim::clearCalls();
    zorvel::openWithShell(target);
    auto shell = sim::callsOf("ShellExecuteExA");
    ASSERT_EQ(shell.size(), 1u);
    EXPECT_EQ(std::stoul(shell[0].args[1]) & platform::kSeeMaskFlagNoUi,
              platform::kSeeMaskFlagNoUi);
  }
  sim::addFile("C:\\docs\\unknown.zzz");
  EXPECT_EQ(zorvel::openWithShell("C:\\docs\\unknown.zzz"), 0);
  EXPECT_EQ(zorvel::launchProgram("C:\\docs\\unknown.zzz"), 0);
  EXPECT_EQ(zorvel::openWithShell("C:\\docs\\report.txt"), 1);
}

}  // namespace
