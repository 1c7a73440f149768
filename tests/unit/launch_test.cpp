// run and launchProgram: the command line, the directory, the shell's fallback, the handles.
#include "classes_fixture.h"
#include "common/command_line.h"
#include "launch/launch_program.h"
#include "platform/process.h"
#include "platform/registry.h"

namespace {

using Args = std::vector<std::string>;

class Launch : public LibraryTest {
 protected:
  // A program, a document type the shell opens, and a browser; programs planted in the current
  // folder under the names the library might look for.
  void SetUp() override {
    LibraryTest::SetUp();
    prepare();
  }
  void prepare() {
    for (const char* program :
         {kApp, kViewer, kBrowser, "C:\\Windows\\explorer.exe", "C:\\work\\explorer.exe",
          "C:\\work\\www.example.com", "C:\\work\\evil.exe"})
      sim::addFile(program);
    sim::addFile("C:\\docs\\report.txt", "text");
    sim::associate(".txt", kViewer);
    sim::associate("http:", kViewer);
    sim::setRegistryText(platform::kHkeyCurrentUser, kUserChoice, "ProgID", "TestURL");
    sim::setRegistryText(platform::kHkeyLocalMachine,
                         "SOFTWARE\\Classes\\TestURL\\shell\\open\\command", "",
                         std::string("\"") + kBrowser + "\" \"%1\"");
    sim::setCurrentDirectoryPath("C:\\work");
  }
  quenda::Result run(std::vector<quenda::ValueRef> args) {
    return runtime.call("run", std::move(args));
  }
  // ShellExecuteExA's arguments: cbSize, fMask, hwnd, verb, file, parameters, directory, nShow.
  Args lastShell() { return sim::callsOf("ShellExecuteExA").back().args; }

  static constexpr const char* kApp = "C:\\tools\\app.exe";
  static constexpr const char* kViewer = "C:\\Program Files\\viewer\\view.exe";
  static constexpr const char* kBrowser = "C:\\Program Files\\Browser\\browser.exe";
  static constexpr const char* kUserChoice =
      "Software\\Microsoft\\Windows\\Shell\\Associations\\UrlAssociations\\http\\UserChoice";
};

TEST_F(Launch, RunStartsTheRightCommandOrNothingAndHandsADocumentToTheShell) {
  sim::addFile("C:\\Windows\\System32\\tool.exe");
  const std::string app = kApp, quoted = "\"" + app + "\"";
  const std::pair<std::vector<quenda::ValueRef>, std::string> rows[] = {
      {{text(app)}, quoted + " | C:\\tools\\"},
      {{text("tool")}, "\"tool\" | C:\\work"},
      {{text("\"C:\\Program Files\\viewer\\view.exe\""), text("-x")},
       "\"C:\\Program Files\\viewer\\view.exe\" -x | C:\\Program Files\\viewer\\"},
      {{text("C:/tools/app.exe")}, "\"C:/tools/app.exe\" | C:\\tools\\"},
      {{text(app), text("one two")}, quoted + " one two | C:\\tools\\"},
      {{text(app), text("")}, quoted + " | C:\\tools\\"},
  };
  for (const auto& [args, line] : rows) {
    ASSERT_TRUE(run(args).ok());
    EXPECT_EQ(sim::processes().back().commandLine + " | " + sim::processes().back().directory,
              line);
    EXPECT_EQ(sim::processes().back().showWindow, 1);
  }
  EXPECT_EQ(sim::processes().back().program, app);
  EXPECT_TRUE(sim::callsOf("ShellExecuteExA").empty());

  // A document goes to the shell with the same texts; the shell never shows a message box, and
  // its failure is the result.
  sim::clearCalls();
  ASSERT_TRUE(run({text("C:\\docs\\report.txt"), text("--page 2")}).ok());
  EXPECT_EQ(sim::callsOf("CreateProcessA").at(0).args[1], "\"C:\\docs\\report.txt\" --page 2");
  Args shell = lastShell();
  EXPECT_EQ(Args(shell.begin() + 3, shell.end()),
            (Args{"", "C:\\docs\\report.txt", "--page 2", "C:\\docs\\", "1"}));
  EXPECT_TRUE(sim::processes().back().byShell);
  EXPECT_EQ(sim::processes().back().program, kViewer);

  sim::addFile("C:\\docs\\unknown.zzz");
  for (auto [target, result] : {std::pair<const char*, std::int32_t>{"C:\\docs\\report.txt", 1},
                                {"C:\\docs\\unknown.zzz", 0},
                                {"C:\\none\\x.txt", 0}}) {
    SCOPED_TRACE(target);
    sim::clearCalls();
    EXPECT_EQ(zorvel::launchProgram(target), result);
    EXPECT_EQ(std::stoul(lastShell()[1]) & platform::kSeeMaskFlagNoUi, platform::kSeeMaskFlagNoUi);
  }
  EXPECT_EQ(zorvel::launchProgram(nullptr), 0);
  // A request taken by a running instance leaves no handle to close.
  sim::runsAlready(kViewer);
  EXPECT_EQ(zorvel::launchProgram("C:\\docs\\report.txt"), 1);

  quenda::ValueRef parameter = file("C:\\docs\\a b.txt");
  forEachFault({"HeapAlloc"}, [&](const Fault& fault) {
    sim::reset();
    sim::addFile(kApp);
    fault.arm();
    EXPECT_TRUE(run({text(kApp), parameter}).ok());
    for (const sim::Process& p : sim::processes()) {
      EXPECT_EQ(p.commandLine, "\"C:\\tools\\app.exe\" \"C:\\docs\\a b.txt\"");
      EXPECT_EQ(p.directory, "C:\\tools\\");
    }
    if (!fault.injected()) {
      EXPECT_EQ(sim::processes().size(), 1u);
    }
  });
}

// Every text the library puts on a command line arrives as the one argument it meant, whatever
// backslashes, blanks and quotes it holds; programs are started by their full path only.
using HostileLaunch = Launch;

TEST_F(HostileLaunch, EachTextArrivesAsMeantAndNothingStartsFromTheCurrentFolder) {
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

  // The explorer comes from the Windows folder; without one, nothing is started.
  ASSERT_TRUE(runtime.callMethod(folder("C:\\work\\"), "exp").ok());
  EXPECT_EQ(sim::processes().back().program, "C:\\Windows\\explorer.exe");
  std::size_t started = sim::processes().size();
  sim::failCall("GetWindowsDirectoryA", 1, platform::kErrorAccessDenied);
  ASSERT_TRUE(runtime.callMethod(folder("C:\\work\\"), "exp").ok());
  EXPECT_EQ(sim::processes().size(), started);

  // Without a browser an address goes to the shell only, and one without a scheme is an http
  // address: the planted www.example.com never runs.
  EXPECT_EQ(sim::openHandles(), "");  // before the machine is reset
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

}  // namespace
