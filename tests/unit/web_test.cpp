// web: the version code, the registry reads and the browser's command line, over the simulated
// registry and processes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "classes_fixture.h"
#include "launch/find_browser_command.h"
#include "launch/registry_text.h"
#include "launch/windows_version.h"
#include "platform/registry.h"
#include "platform/version.h"

namespace {

namespace sim = platform::sim;
using platform::kHkeyClassesRoot;
using platform::kHkeyCurrentUser;
using platform::kHkeyLocalMachine;

constexpr const char* kUserChoice =
    "Software\\Microsoft\\Windows\\Shell\\Associations\\UrlAssociations\\http\\UserChoice";
constexpr const char* kBrowser = "C:\\Program Files\\Browser\\browser.exe";

struct VersionRow {
  platform::DWORD platformId, major, minor;
  unsigned char productType;
  int code;
};

TEST(WindowsVersionCode, EveryRowOfTheTableAndWhatLiesOutsideIt) {
  constexpr unsigned char ws = platform::kVerNtWorkstation;
  constexpr unsigned char server = platform::kVerNtServer;
  constexpr unsigned char dc = platform::kVerNtDomainController;
  const VersionRow rows[] = {
      {1, 4, 0, 0, 10},      {1, 4, 10, 0, 30},     {1, 4, 90, 0, 40},     {1, 4, 3, 0, 100},
      {2, 3, 51, ws, 5},     {2, 4, 0, server, 20}, {2, 5, 0, server, 50}, {2, 5, 1, ws, 60},
      {2, 5, 2, ws, 60},     {2, 5, 2, server, 65}, {2, 5, 2, dc, 65},     {2, 6, 0, ws, 70},
      {2, 6, 0, server, 75}, {2, 6, 1, ws, 80},     {2, 6, 1, dc, 75},     {2, 6, 2, ws, 100},
      {2, 10, 0, ws, 100},   {2, 5, 3, ws, 100},    {0, 3, 10, 0, 100},
  };
  for (const VersionRow& row : rows) {
    sim::reset();
    sim::setVersion(row.platformId, row.major, row.minor, row.productType);
    EXPECT_EQ(zorvel::windowsVersionCode(), row.code)
        << row.platformId << " " << row.major << "." << row.minor << " type "
        << int(row.productType);
  }
}

TEST(WindowsVersionCode, AskTwiceOnNtOnlyAndCountAFailedSecondAskAsNoWorkstation) {
  sim::reset();
  sim::setVersion(1, 4, 10, 0);
  EXPECT_EQ(zorvel::windowsVersionCode(), 30);
  auto asks = sim::callsOf("GetVersionExA");
  ASSERT_EQ(asks.size(), 1u);
  EXPECT_EQ(asks[0].args[0], "148");

  sim::reset();
  sim::setVersion(2, 6, 0, platform::kVerNtWorkstation);
  EXPECT_EQ(zorvel::windowsVersionCode(), 70);
  asks = sim::callsOf("GetVersionExA");
  ASSERT_EQ(asks.size(), 2u);
  EXPECT_EQ(asks[1].args[0], "156");

  sim::clearCalls();
  sim::failCall("GetVersionExA", 2, platform::kErrorInvalidParameter);
  EXPECT_EQ(zorvel::windowsVersionCode(), 75);
  sim::failCall("GetVersionExA", 1, platform::kErrorInvalidParameter);
  EXPECT_EQ(zorvel::windowsVersionCode(), 100);
}

// Bound, so that the library's text service is there.
class RegistryTextTest : public LibraryTest {
 protected:
  bool read(const char* name, zorvel::TextVar& out) {
    return zorvel::readRegistryText(kHkeyClassesRoot, "Test\\Key", name, out);
  }
};

TEST_F(RegistryTextTest, ValuesAtAndPastTheBufferOf255Bytes) {
  const std::string chars253(253, 'a'), chars254(254, 'b'), chars255(255, 'c');
  sim::setRegistryText(kHkeyClassesRoot, "Test\\Key", "v254", chars253);  // 254 bytes
  sim::setRegistryText(kHkeyClassesRoot, "Test\\Key", "v255", chars254);  // 255 bytes
  sim::setRegistryText(kHkeyClassesRoot, "Test\\Key", "v256", chars255);  // 256 bytes
  zorvel::TextVar out;
  ASSERT_TRUE(read("v254", out));
  EXPECT_EQ(std::string(out.c_str()), chars253);
  ASSERT_TRUE(read("v255", out));
  EXPECT_EQ(std::string(out.c_str()), chars254);
  EXPECT_FALSE(read("v256", out));
  EXPECT_STREQ(out.c_str(), "");
}

TEST_F(RegistryTextTest, TheValueWithoutItsLastByteCutAtTheFirstZero) {
  sim::setRegistryValue(kHkeyClassesRoot, "Test\\Key", "", std::string("ab\0cd\0", 6));
  sim::setRegistryValue(kHkeyClassesRoot, "Test\\Key", "bare", "xyz");  // stored without a zero
  sim::setRegistryValue(kHkeyClassesRoot, "Test\\Key", "empty", "", platform::kRegBinary);
  sim::setRegistryValue(kHkeyClassesRoot, "Test\\Key", "number", std::string("\x31\x32\0\0", 4),
                        platform::kRegDword);
  zorvel::TextVar out;
  ASSERT_TRUE(read("", out));  // the default value
  EXPECT_STREQ(out.c_str(), "ab");
  ASSERT_TRUE(read("bare", out));
  EXPECT_STREQ(out.c_str(), "xy");
  ASSERT_TRUE(read("empty", out));
  EXPECT_STREQ(out.c_str(), "");
  ASSERT_TRUE(read("number", out));  // the type is not looked at
  EXPECT_STREQ(out.c_str(), "12");
}

TEST_F(RegistryTextTest, MissingKeysAndValuesAndRefusedCallsFailAndCloseTheKey) {
  zorvel::TextVar out("old");
  EXPECT_FALSE(zorvel::readRegistryText(kHkeyClassesRoot, "No\\Such", "", out));
  EXPECT_STREQ(out.c_str(), "");
  sim::setRegistryText(kHkeyClassesRoot, "Test\\Key", "v", "text");
  EXPECT_FALSE(read("w", out));
  sim::failCall("RegQueryValueExA", 1, platform::kErrorAccessDenied);
  EXPECT_FALSE(read("v", out));
  EXPECT_EQ(sim::callsOf("RegCloseKey").size(), 2u);

  // The key is opened for reading only.
  sim::clearCalls();
  ASSERT_TRUE(read("v", out));
  EXPECT_EQ(sim::callsOf("RegOpenKeyExA").at(0).args[3], "131097");
  EXPECT_STREQ(out.c_str(), "text");
}

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
    sim::associate("https:", "C:\\Windows\\System32\\handler.exe");
  }

  void registerUserChoice(const std::string& command) {
    sim::setRegistryText(kHkeyCurrentUser, kUserChoice, "ProgID", "TestURL");
    sim::setRegistryText(kHkeyLocalMachine, "SOFTWARE\\Classes\\TestURL\\shell\\open\\command", "",
                         command);
  }
  void registerHtmlClass(const std::string& command) {
    sim::setRegistryText(kHkeyClassesRoot, ".html", "", "htmlfile");
    sim::setRegistryText(kHkeyClassesRoot, "htmlfile\\shell\\open\\command", "", command);
  }
  void web(std::vector<quenda::ValueRef> args = {}) {
    quenda::Result result = runtime.call("web", std::move(args));
    ASSERT_TRUE(result.ok()) << result.error.value_or("");
    EXPECT_FALSE(result.value);
  }
  std::vector<std::string> commandLines() {
    std::vector<std::string> lines;
    for (const auto& p : sim::processes()) lines.push_back(p.commandLine);
    return lines;
  }
  bool anyCallMentions(const std::string& word) {
    for (const auto& call : sim::calls())
      for (const auto& arg : call.args)
        if (arg.find(word) != std::string::npos) return true;
    return false;
  }
};

TEST_F(WebTest, TheBrowserGetsTheQuotedAddressAsItsOnlyParameter) {
  registerUserChoice("\"C:\\Program Files\\Browser\\browser.exe\" -osint -url \"%1\"");
  web({text("https://example.org/a b")});
  EXPECT_EQ(commandLines(), std::vector<std::string>{"\"" + std::string(kBrowser) +
                                                     "\" \"https://example.org/a b\""});
  EXPECT_EQ(sim::processes().at(0).directory, sim::currentDirectory());  // none given
  EXPECT_EQ(sim::openHandles(), "");
}

TEST_F(WebTest, WithoutAnAddressTheBrowserStartsAlone) {
  registerUserChoice("\"C:\\Program Files\\Browser\\browser.exe\" -osint -url \"%1\"");
  web();
  EXPECT_EQ(commandLines(), std::vector<std::string>{"\"" + std::string(kBrowser) + "\""});
}

TEST_F(WebTest, OlderSystemsUseTheClassOfHtmlFiles) {
  sim::setVersion(platform::kVerPlatformWin32Nt, 5, 1, platform::kVerNtWorkstation);
  registerUserChoice("\"C:\\Wrong\\wrong.exe\"");
  registerHtmlClass("\"C:\\Old\\old.exe\" \"%1\"");
  web({text("http://x.org")});
  EXPECT_EQ(commandLines(), std::vector<std::string>{"\"C:\\Old\\old.exe\" \"http://x.org\""});
}

TEST_F(WebTest, AnUnquotedCommandKeepsItsArgumentsInTheProgramName) {
  registerUserChoice("C:\\Old\\old.exe -nohome");
  web({text("https://example.org")});
  // Neither the process nor the shell can start "C:\Old\old.exe -nohome".
  EXPECT_TRUE(sim::processes().empty());
  auto tried = sim::callsOf("CreateProcessA");
  ASSERT_EQ(tried.size(), 1u);
  EXPECT_EQ(tried[0].args[1], "\"C:\\Old\\old.exe -nohome\" \"https://example.org\"");
  auto shell = sim::callsOf("ShellExecuteExA");
  ASSERT_EQ(shell.size(), 1u);
  EXPECT_EQ(shell[0].args[4], "C:\\Old\\old.exe -nohome");
}

TEST_F(WebTest, FindBrowserCommandDropsQuotesAndArguments) {
  registerUserChoice("\"C:\\Program Files\\Browser\\browser.exe\" --single-argument %1");
  zorvel::TextVar command;
  ASSERT_TRUE(zorvel::findBrowserCommand(command));
  EXPECT_STREQ(command.c_str(), kBrowser);
}

// A failed lookup never turns into a key or a program of its own: with an address, the shell
// opens the address; without one, nothing starts.
TEST_F(WebTest, AFailedLookupHandsTheAddressToTheShell) {
  sim::addFile("C:\\Windows\\System32\\ERROR.exe");  // must never run
  web({text("https://example.org")});
  ASSERT_EQ(sim::processes().size(), 1u);
  EXPECT_TRUE(sim::processes()[0].byShell);
  EXPECT_EQ(sim::processes()[0].shellFile, "https://example.org");
  EXPECT_EQ(sim::callsOf("RegOpenKeyExA").size(), 1u);  // the second key is not even tried
  EXPECT_FALSE(anyCallMentions("ERROR"));
}

TEST_F(WebTest, AFailedLookupWithoutAnAddressStartsNothing) {
  sim::addFile("C:\\Windows\\System32\\ERROR.exe");
  web();
  EXPECT_TRUE(sim::processes().empty());
  EXPECT_TRUE(sim::callsOf("CreateProcessA").empty());
  EXPECT_TRUE(sim::callsOf("ShellExecuteExA").empty());
}

TEST_F(WebTest, AFailedSecondReadIsAFailedLookupToo) {
  sim::setRegistryText(kHkeyCurrentUser, kUserChoice, "ProgID", "Gone");
  web({text("https://example.org")});
  ASSERT_EQ(sim::processes().size(), 1u);
  EXPECT_EQ(sim::processes()[0].shellFile, "https://example.org");
  EXPECT_EQ(sim::callsOf("RegOpenKeyExA").size(), 2u);
  EXPECT_FALSE(anyCallMentions("ERROR"));

  sim::reset();
  prepareMachine();
  sim::setVersion(platform::kVerPlatformWin32Windows, 4, 10, 0);
  sim::setRegistryText(kHkeyClassesRoot, ".html", "", "htmlfile");  // no command under it
  web();
  EXPECT_TRUE(sim::callsOf("CreateProcessA").empty());
}

// Every registry and version call refused in turn: the browser starts as it should, or the
// address goes to the shell; no key stays open and nothing named by a failure runs.
TEST_F(WebTest, RefusedCallsAtEveryStep) {
  forEachFault(
      {"GetVersionExA", "RegOpenKeyExA", "RegQueryValueExA"},
      [&](const Fault& fault) {
        sim::reset();
        prepareMachine();
        registerUserChoice("\"C:\\Program Files\\Browser\\browser.exe\" \"%1\"");
        fault.arm();
        web({text("https://example.org")});
        ASSERT_EQ(sim::processes().size(), 1u);
        const auto& started = sim::processes()[0];
        if (started.byShell) {
          EXPECT_EQ(started.shellFile, "https://example.org");
        } else {
          EXPECT_EQ(started.commandLine,
                    "\"" + std::string(kBrowser) + "\" \"https://example.org\"");
        }
      },
      platform::kErrorAccessDenied, [&] { return libraryBytes(); });
}

// Memory running out at any step: the browser gets the whole address, or nothing starts.
TEST_F(WebTest, WithoutMemoryTheAddressArrivesWholeOrNothingStarts) {
  forEachFault(
      {"HeapAlloc", "HeapReAlloc"},
      [&](const Fault& fault) {
        sim::reset();
        prepareMachine();
        registerUserChoice("\"C:\\Program Files\\Browser\\browser.exe\" \"%1\"");
        fault.arm();
        web({text("https://example.org/?q=\"a\"")});
        ASSERT_LE(sim::processes().size(), 1u);
        for (const auto& started : sim::processes()) {
          if (started.byShell) {
            EXPECT_EQ(started.shellFile, "https://example.org/?q=%22a%22");
          } else {
            EXPECT_EQ(started.commandLine,
                      "\"" + std::string(kBrowser) + "\" \"https://example.org/?q=%22a%22\"");
          }
        }
      },
      platform::kErrorNotEnoughMemory, [&] { return libraryBytes(); });
}

}  // namespace
