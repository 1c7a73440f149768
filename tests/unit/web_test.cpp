// web: the registry reads and the browser's command line, on systems of either kind.
#include "classes_fixture.h"
#include "launch/registry_text.h"
#include "platform/registry.h"
#include "platform/version.h"

namespace {

using platform::kHkeyClassesRoot;
using platform::kHkeyCurrentUser;
using platform::kHkeyLocalMachine;

constexpr const char* kUserChoice =
    "Software\\Microsoft\\Windows\\Shell\\Associations\\UrlAssociations\\http\\UserChoice";
constexpr const char* kBrowser = "C:\\Program Files\\Browser\\browser.exe";

// The library bound to a host over a machine with a browser registered for the per-user choice.
class WebTest : public LibraryTest {
 protected:
  void SetUp() override {
    LibraryTest::SetUp();
    prepareMachine();
  }
  // Programs on the disk, and a handler the shell opens https addresses with.
  void prepareMachine() {
    sim::addFile(kBrowser);
    sim::addFile("C:\\Old\\old.exe");
    sim::addFile("C:\\Windows\\System32\\handler.exe");
    sim::addFile("C:\\Windows\\System32\\ERROR.exe");  // must never run
    sim::associate("https:", "C:\\Windows\\System32\\handler.exe");
  }
  void registerUserChoice(const std::string& command) {
    sim::setRegistryText(kHkeyCurrentUser, kUserChoice, "ProgID", "TestURL");
    sim::setRegistryText(kHkeyLocalMachine, "SOFTWARE\\Classes\\TestURL\\shell\\open\\command", "",
                         command);
  }
  // Calls web and gives what started: the command lines, "shell: file" for a start by the shell.
  std::string web(std::vector<std::string> args = {}) {
    EXPECT_EQ(routine("web", args), "none");
    std::string out;
    for (const auto& p : sim::processes())
      out += (p.byShell ? "shell: " + p.shellFile : p.commandLine) + ";";
    return out;
  }
};

TEST_F(WebTest, TheBrowserGetsTheQuotedAddressAsItsOnlyParameterOrTheShellGetsIt) {
  registerUserChoice("\"C:\\Program Files\\Browser\\browser.exe\" -osint -url \"%1\"");
  EXPECT_EQ(web({"https://example.org/a b"}),
            "\"" + std::string(kBrowser) + "\" \"https://example.org/a b\";");
  EXPECT_EQ(sim::processes().at(0).directory, sim::currentDirectory());  // none given
  sim::reset();
  prepareMachine();
  registerUserChoice("\"C:\\Program Files\\Browser\\browser.exe\" --single-argument %1");
  EXPECT_EQ(web(), "\"" + std::string(kBrowser) + "\";");
  // An unquoted command keeps its arguments in the program's name: neither the process nor the
  // shell can start "C:\Old\old.exe -nohome".
  registerUserChoice("C:\\Old\\old.exe -nohome");
  EXPECT_EQ(web({"https://example.org"}), "\"" + std::string(kBrowser) + "\";");
  EXPECT_EQ(sim::callsOf("ShellExecuteExA").at(0).args[4], "C:\\Old\\old.exe -nohome");
  // Systems older than 6.0 use the class of html files instead.
  sim::setRegistryText(kHkeyClassesRoot, ".html", "", "htmlfile");
  sim::setRegistryText(kHkeyClassesRoot, "htmlfile\\shell\\open\\command", "",
                       "\"C:\\Old\\old.exe\" \"%1\"");
  sim::setVersion(platform::kVerPlatformWin32Nt, 6, 0, platform::kVerNtWorkstation);
  EXPECT_EQ(web({"http://x.org"}), "\"" + std::string(kBrowser) + "\";");
  sim::setVersion(platform::kVerPlatformWin32Nt, 5, 2, platform::kVerNtServer);
  EXPECT_EQ(web({"http://x.org"}),
            "\"" + std::string(kBrowser) + "\";\"C:\\Old\\old.exe\" \"http://x.org\";");

  // A failed lookup never turns into a key or a program of its own: with an address, the shell
  // opens the address; without one, nothing starts.
  EXPECT_EQ(sim::openHandles(), "");  // before the machine is reset
  sim::reset();
  prepareMachine();
  sim::setRegistryText(kHkeyCurrentUser, kUserChoice, "ProgID", "Gone");
  EXPECT_EQ(web({"https://example.org"}), "shell: https://example.org;");
  EXPECT_EQ(web(), "shell: https://example.org;");

  sim::reset();
  prepareMachine();
  sim::setVersion(platform::kVerPlatformWin32Windows, 4, 10, 0);
  sim::setRegistryText(kHkeyClassesRoot, ".html", "", "htmlfile");  // no command under it
  EXPECT_EQ(web(), "");
  EXPECT_TRUE(sim::callsOf("CreateProcessA").empty());

  // The registry's texts at and past the buffer of 255 bytes, cut at the first zero.
  auto read = [](const char* name, zorvel::TextVar& out) {
    return zorvel::readRegistryText(kHkeyClassesRoot, "Test\\Key", name, out);
  };
  const std::string chars253(253, 'a'), chars254(254, 'b'), chars255(255, 'c');
  sim::setRegistryText(kHkeyClassesRoot, "Test\\Key", "v254", chars253);  // 254 bytes
  sim::setRegistryText(kHkeyClassesRoot, "Test\\Key", "v255", chars254);  // 255 bytes
  sim::setRegistryText(kHkeyClassesRoot, "Test\\Key", "v256", chars255);  // 256 bytes
  sim::setRegistryValue(kHkeyClassesRoot, "Test\\Key", "", std::string("ab\0cd\0", 6));
  sim::setRegistryValue(kHkeyClassesRoot, "Test\\Key", "bare", "xyz");  // stored without a zero
  const std::pair<const char*, std::string> rows[] = {
      {"v254", chars253}, {"v255", chars254}, {"", "ab"}, {"bare", "xy"}};
  zorvel::TextVar out;
  for (const auto& [name, value] : rows) {
    ASSERT_TRUE(read(name, out)) << name;
    EXPECT_EQ(std::string(out.c_str()), value) << name;
  }
  EXPECT_FALSE(read("v256", out));
  EXPECT_STREQ(out.c_str(), "");
  // A missing key fails and leaves no text behind.
  out.assign("old");
  EXPECT_FALSE(zorvel::readRegistryText(kHkeyClassesRoot, "No\\Such", "", out));
  EXPECT_STREQ(out.c_str(), "");
}

// Every registry and version call refused in turn, and memory running out at any step: the
// browser gets the whole address or the shell does, or (without memory) nothing starts; no key
// stays open and nothing named by a failure runs.
TEST_F(WebTest, RefusedCallsAtEveryStep) {
  const std::string browser = "\"" + std::string(kBrowser) + "\" \"https://x.org/?q=%22a%22\";";
  const std::pair<std::vector<std::string>, platform::DWORD> loops[] = {
      {{"GetVersionExA", "RegOpenKeyExA", "RegQueryValueExA"}, platform::kErrorAccessDenied},
      {{"HeapAlloc", "HeapReAlloc"}, platform::kErrorNotEnoughMemory}};
  for (const auto& [operations, error] : loops) {
    forEachFault(
        operations,
        [&](const Fault& fault) {
          sim::reset();
          prepareMachine();
          registerUserChoice("\"C:\\Program Files\\Browser\\browser.exe\" \"%1\"");
          fault.arm();
          std::string started = web({"https://x.org/?q=\"a\""});
          EXPECT_TRUE(started == browser || started == "shell: https://x.org/?q=%22a%22;" ||
                      (error == platform::kErrorNotEnoughMemory && started.empty()))
              << started;
        },
        error, [&] { return libraryBytes(); });
  }
}

}  // namespace
