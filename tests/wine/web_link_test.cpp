// web, link and webLink of the real zorvel.dll under Wine: the browser found in the registry of
// the test's prefix is the tests' recorder program, which writes down how it was started.
#include <gtest/gtest.h>

#include "platform/files.h"
#include "work_folder.h"
// After the seam headers.
#include "desktop.h"

namespace {

constexpr const char* kUserChoice =
    "Software\\Microsoft\\Windows\\Shell\\Associations\\UrlAssociations\\http\\UserChoice";
constexpr const char* kProgId = "ZorvelTestURL";
constexpr const char* kScheme = "zvtest";

class RealWeb : public wine::WorkFolder {
 protected:
  void SetUp() override {
    wine::WorkFolder::SetUp();
    addFolder("Browser Dir");
    browser = at("Browser Dir\\browser.exe");
    ASSERT_TRUE(CopyFileA(wine::recorderPath().c_str(), browser.c_str(), FALSE));
    record = at("record.txt");
    ASSERT_TRUE(SetEnvironmentVariableA("ZV_RECORD", record.c_str()));
    ASSERT_TRUE(SetCurrentDirectoryA(work.c_str()));
    // The prefix's own choice, if it has one, is put back afterwards.
    userChoice.emplace(HKEY_CURRENT_USER, kUserChoice, "ProgID", std::nullopt);
  }
  void TearDown() override {
    userChoice.reset();
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, (std::string("SOFTWARE\\Classes\\") + kProgId).c_str());
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, (std::string("SOFTWARE\\Classes\\") + kProgId).c_str());
    RegDeleteTreeA(HKEY_CLASSES_ROOT, kScheme);
    RegDeleteKeyA(HKEY_CLASSES_ROOT, kScheme);
    wine::WorkFolder::TearDown();
  }

  void registerBrowser(const std::string& command) {
    userChoice.emplace(HKEY_CURRENT_USER, kUserChoice, "ProgID", kProgId);
    // The key is removed in TearDown.
    HKEY k = nullptr;
    RegCreateKeyExA(
        HKEY_LOCAL_MACHINE,
        (std::string("SOFTWARE\\Classes\\") + kProgId + "\\shell\\open\\command").c_str(), 0,
        nullptr, 0, KEY_ALL_ACCESS, nullptr, &k, nullptr);
    RegSetValueExA(k, "", 0, REG_SZ, reinterpret_cast<const BYTE*>(command.c_str()),
                   static_cast<DWORD>(command.size() + 1));
    RegCloseKey(k);
  }
  // An address scheme the shell opens with the recorder.
  void registerScheme() {
    HKEY k = nullptr;
    RegCreateKeyExA(HKEY_CLASSES_ROOT, kScheme, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &k,
                    nullptr);
    RegSetValueExA(k, "URL Protocol", 0, REG_SZ, reinterpret_cast<const BYTE*>(""), 1);
    RegCloseKey(k);
    std::string command = "\"" + wine::recorderPath() + "\" \"%1\"";
    RegCreateKeyExA(HKEY_CLASSES_ROOT, (std::string(kScheme) + "\\shell\\open\\command").c_str(), 0,
                    nullptr, 0, KEY_ALL_ACCESS, nullptr, &k, nullptr);
    RegSetValueExA(k, "", 0, REG_SZ, reinterpret_cast<const BYTE*>(command.c_str()),
                   static_cast<DWORD>(command.size() + 1));
    RegCloseKey(k);
  }

  void web(std::vector<quenda::ValueRef> args = {}) {
    DeleteFileA(record.c_str());
    quenda::Result result = runtime.call("web", std::move(args));
    ASSERT_TRUE(result.ok()) << result.error.value_or("");
  }
  // The command line the recorder wrote, waited for; "<nothing>" when no program ran within
  // `seconds`.
  std::string recordedCommandLine(int seconds = 30) {
    for (int i = 0; i < seconds * 10 && !wine::exists(record); ++i)
      std::this_thread::sleep_for(std::chrono::milliseconds(100));
    std::string text = wine::readFile(record);
    std::size_t end = text.find('\n');
    return end == std::string::npos ? "<nothing>" : text.substr(0, end);
  }

  std::string browser;
  std::string record;
  std::optional<wine::RegistryValue> userChoice;
};

TEST_F(RealWeb, TheRegisteredBrowserGetsTheQuotedAddress) {
  registerBrowser("\"" + browser + "\" -osint -url \"%1\"");
  web({runtime.text("https://example.org/a b")});
  EXPECT_EQ(recordedCommandLine(), "\"" + browser + "\" \"https://example.org/a b\"");
  web();
  EXPECT_EQ(recordedCommandLine(), "\"" + browser + "\"");
}

// A quote in the address cannot close the argument: the browser's C runtime reads one argument.
TEST_F(RealWeb, TheBrowserReadsTheAddressAsOneArgument) {
  registerBrowser("\"" + browser + "\" \"%1\"");
  web({runtime.text("https://x\" --some-switch \"y\\")});
  recordedCommandLine();
  std::string text = wine::readFile(record);
  // The command line, the directory, then one line per argument.
  std::size_t arguments = text.find('\n', text.find('\n') + 1) + 1;
  EXPECT_EQ(text.substr(arguments), "https://x%22 --some-switch %22y\\\n");
}

// Without a browser in the registry the address goes to the shell, which opens it with the
// handler of its scheme; a program named ERROR in the current directory never runs.
TEST_F(RealWeb, WithoutABrowserTheShellOpensTheAddress) {
  registerScheme();
  ASSERT_TRUE(CopyFileA(wine::recorderPath().c_str(), at("ERROR.exe").c_str(), FALSE));
  web({runtime.text("zvtest:hello")});
  std::string commandLine = recordedCommandLine();
  EXPECT_NE(commandLine.find("zvtest:hello"), std::string::npos) << commandLine;
  EXPECT_EQ(commandLine.find("ERROR"), std::string::npos) << commandLine;

  web();
  EXPECT_EQ(recordedCommandLine(3), "<nothing>");
}

}  // namespace
