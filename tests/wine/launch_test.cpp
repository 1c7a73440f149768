// run and web of the real zorvel.dll under Wine. The program started is the tests' recorder, which
// writes down its command line, its directory and its arguments as its C runtime split them; as
// the browser or a handler it is found through the registry of the test's prefix.
#include <optional>
#include <sstream>

#include "work_folder.h"

namespace {

constexpr const char* kUserChoice =
    "Software\\Microsoft\\Windows\\Shell\\Associations\\UrlAssociations\\http\\UserChoice";
constexpr const char* kBrowserClass = "SOFTWARE\\Classes\\ZorvelTestURL";

// Sets the text, or with none takes the value away.
void setRegistryText(HKEY root, const std::string& key, const char* name,
                     const std::optional<std::string>& text) {
  if (text) {
    RegSetKeyValueA(root, key.c_str(), name, REG_SZ, text->c_str(),
                    static_cast<DWORD>(text->size() + 1));
  } else {
    RegDeleteKeyValueA(root, key.c_str(), name);
  }
}

struct Record {
  std::string commandLine = "<nothing>";
  std::string directory;
  std::vector<std::string> arguments;
};

class RealLaunch : public wine::WorkFolder {
 protected:
  void SetUp() override {
    wine::WorkFolder::SetUp();
    std::string tests = _pgmptr;  // the recorder is beside this program
    tests.erase(tests.find_last_of('\\') + 1);
    addFolders(at("Program Dir\\"));
    recorder = at("Program Dir\\rec.exe");
    ASSERT_TRUE(CopyFileA((tests + "zv_recorder.exe").c_str(), recorder.c_str(), FALSE));
    ASSERT_TRUE(SetEnvironmentVariableA("ZV_RECORD", at("record.txt").c_str()));
    ASSERT_TRUE(SetCurrentDirectoryA(work.c_str()));
    // No browser, unless a test registers one; the prefix's own choice comes back at the end.
    char old[1024];
    DWORD size = sizeof old;
    if (!RegGetValueA(HKEY_CURRENT_USER, kUserChoice, "ProgID", RRF_RT_REG_SZ, nullptr, old, &size))
      userChoice = old;
    setRegistryText(HKEY_CURRENT_USER, kUserChoice, "ProgID", std::nullopt);
  }
  void TearDown() override {
    setRegistryText(HKEY_CURRENT_USER, kUserChoice, "ProgID", userChoice);
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, kBrowserClass);
    RegDeleteTreeA(HKEY_CLASSES_ROOT, "zvtest");
    wine::WorkFolder::TearDown();
  }

  // Calls the routine; the record of the program it started, waited for up to `seconds` (the
  // program runs on its own, and may start late on a loaded machine).
  Record launch(const char* routine, std::vector<quenda::ValueRef> args, int seconds = 120) {
    const std::string record = at("record.txt");
    DeleteFileA(record.c_str());
    quenda::Result result = runtime.call(routine, std::move(args));
    EXPECT_TRUE(result.ok()) << result.error.value_or("");
    // The recorder writes under another name and renames: a record that is there is whole.
    wine::waitUntil([&] { return wine::exists(record); }, seconds);
    std::istringstream in(wine::readFile(record));
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    if (lines.size() < 2) return {};
    return {lines[0], lines[1], {lines.begin() + 2, lines.end()}};
  }
  quenda::ValueRef text(const std::string& s) { return runtime.text(s); }

  std::string recorder;
  std::optional<std::string> userChoice;
};

TEST_F(RealLaunch, RunStartsTheQuotedProgramInItsFolderWithTheParametersAsTheyAre) {
  Record r = launch("run", {text("\"" + recorder + "\""), text("one \"two\" three")});
  EXPECT_EQ(r.commandLine, "\"" + recorder + "\" one \"two\" three");
  EXPECT_EQ(r.directory, at("Program Dir"));
}

// An object reaches the program as exactly its path, whatever quotes, blanks and closing
// backslashes it holds.
TEST_F(RealLaunch, AnObjectArrivesAsExactlyItsPath) {
  const std::pair<const char*, std::string> objects[] = {
      {"file", at("my notes.txt")}, {"folder", "C:\\"},           {"folder", at("a b\\")},
      {"folder", at("a\\\\")},      {"folder", at("q\" x \"\\")},
  };
  for (const auto& [className, path] : objects) {
    SCOPED_TRACE(path);
    quenda::Result made = runtime.newObject(className, path);
    ASSERT_TRUE(made.ok());
    EXPECT_EQ(launch("run", {text(recorder), made.value}).arguments, std::vector{path});
  }
}

// What neither CreateProcess nor the shell can start raises no error, and the shell shows no
// message box that would hold an unattended script (one that came anyway is answered).
TEST_F(RealLaunch, WhatCannotBeStartedIsSilent) {
  std::atomic<bool> returned{false};
  HWND box = nullptr;
  std::thread user([&] {
    box = wine::waitForDialog(returned);
    if (box) PostMessageA(box, WM_COMMAND, IDOK, 0);
  });
  EXPECT_EQ(launch("run", {text(at("nothing\\here.exe"))}, 1).commandLine, "<nothing>");
  returned = true;
  user.join();
  EXPECT_EQ(box, nullptr) << "the shell showed a message box";
}

// The registered browser gets the address alone, in quotes: its own switches are left out, and a
// quote in the address cannot close the argument (the browser's C runtime reads one argument).
TEST_F(RealLaunch, WebStartsTheRegisteredBrowserWithTheAddressAsOneArgument) {
  setRegistryText(HKEY_CURRENT_USER, kUserChoice, "ProgID", "ZorvelTestURL");
  setRegistryText(HKEY_LOCAL_MACHINE, kBrowserClass + std::string("\\shell\\open\\command"), "",
                  "\"" + recorder + "\" -osint -url \"%1\"");
  EXPECT_EQ(launch("web", {text("https://example.org/a b")}).commandLine,
            "\"" + recorder + "\" \"https://example.org/a b\"");
  EXPECT_EQ(launch("web", {}).commandLine, "\"" + recorder + "\"");
  EXPECT_EQ(launch("web", {text("https://x\" --some-switch \"y\\")}).arguments,
            std::vector<std::string>{"https://x%22 --some-switch %22y\\"});
}

// Without a browser in the registry the address goes to the shell, which opens it with the
// handler of its scheme; a program named ERROR in the current directory never runs; without an
// address nothing starts.
TEST_F(RealLaunch, WithoutABrowserOnlyTheShellOpensTheAddress) {
  setRegistryText(HKEY_CLASSES_ROOT, "zvtest", "URL Protocol", "");
  setRegistryText(HKEY_CLASSES_ROOT, "zvtest\\shell\\open\\command", "",
                  "\"" + recorder + "\" \"%1\"");
  ASSERT_TRUE(CopyFileA(recorder.c_str(), at("ERROR.exe").c_str(), FALSE));
  std::string commandLine = launch("web", {text("zvtest:hello")}).commandLine;
  EXPECT_NE(commandLine.find("zvtest:hello"), std::string::npos) << commandLine;
  EXPECT_EQ(commandLine.find("ERROR"), std::string::npos) << commandLine;
  EXPECT_EQ(launch("web", {}, 3).commandLine, "<nothing>");
}

}  // namespace
