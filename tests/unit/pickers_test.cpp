// selFile and selFolder: the dialog structures, what the dialogs start on, the answers turned
// into objects, and the host's windows disabled only while a dialog is open.
#include <gtest/gtest.h>

#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "classes_fixture.h"
#include "namespaces/dialog_owner.h"
#include "namespaces/open_file_dialog.h"
#include "namespaces/thread_windows.h"
#include "platform/desktop.h"
#include "platform/dialogs.h"
#include "platform/module.h"

namespace {

namespace sim = platform::sim;
using platform::HWND;

class PickersTest : public LibraryTest {
 protected:
  void SetUp() override {
    LibraryTest::SetUp();
    sim::addFolder("C:\\work\\src");
    sim::addFolder("D:\\data");
    sim::setCurrentDirectoryPath("C:\\work");
  }

  quenda::ValueRef pick(const char* routine) {
    quenda::Result result = runtime.call(routine);
    EXPECT_TRUE(result.ok()) << result.error.value_or("");
    return result.value;
  }
  std::string pickFile() {
    quenda::ValueRef chosen = pick("selFile");
    EXPECT_TRUE(isFileObject(chosen));
    return chosen.objectPath();
  }
  std::string pickFolder() {
    quenda::ValueRef chosen = pick("selFolder");
    EXPECT_TRUE(isFolderObject(chosen));
    return chosen.objectPath();
  }
};

// The dialog starts in the current directory, owned by the host's window, with an empty buffer
// of 260 characters and flags that keep the current directory where it is.
TEST_F(PickersTest, TheOpenDialogStartsInTheCurrentDirectoryWithoutAProposal) {
  const HWND host = sim::addWindow();
  sim::setForegroundWindow(host);
  std::vector<std::string> folders;
  sim::onFileDialog([&](platform::OPENFILENAMEA& d) -> platform::BOOL {
    folders.emplace_back(d.lpstrInitialDir);
    EXPECT_EQ(d.lStructSize, 76u);
    EXPECT_EQ(d.hwndOwner, host);
    EXPECT_EQ(d.nMaxFile, 260u);
    EXPECT_EQ(std::string(d.lpstrFile, 260), std::string(260, '\0'));
    EXPECT_EQ(d.Flags, 0x8080Cu);
    return platform::kFalse;
  });
  EXPECT_EQ(pickFile(), "");
  sim::setCurrentDirectoryPath("C:\\");
  pickFile();
  EXPECT_EQ(folders, (std::vector<std::string>{"C:\\work", "C:"}));
}

TEST_F(PickersTest, SelFileGivesTheChosenPathAndKeepsTheCurrentDirectory) {
  sim::addFile("D:\\data\\notes.txt");
  sim::answerFileDialog("D:\\data\\notes.txt");
  EXPECT_EQ(pickFile(), "D:\\data\\notes.txt");
  EXPECT_EQ(sim::currentDirectory(), "C:\\work");
}

TEST_F(PickersTest, APathTooLongForTheBufferIsACancel) {
  sim::answerFileDialog("C:\\" + std::string(256, 'x'));  // 259 characters and the NUL: fits
  EXPECT_EQ(pickFile().size(), 259u);
  sim::answerFileDialog("C:\\" + std::string(257, 'x'));
  EXPECT_EQ(pickFile(), "");
}

// openFileDialog as other callers may use it: proposals, filters and the pattern index.
TEST_F(PickersTest, InitialPathsSplitIntoAFolderAndAProposal) {
  struct Case {
    std::string initial, folder, proposal;
  };
  const std::string name259(259, 'n'), name260(260, 'n');
  const std::vector<Case> cases = {
      {"C:\\work\\notes.txt", "C:\\work", "notes.txt"},
      {"notes.txt", "", "notes.txt"},
      {"\\notes.txt", "", ""},  // a backslash in front only: the whole text, not a valid name
      {"C:\\work\\a*b", "C:\\work", ""},
      {"C:\\work\\a:b", "C:\\work", ""},
      {"C:\\work\\a/b", "C:\\work", ""},
      {"C:\\work\\tab\there", "C:\\work", ""},
      {"C:\\work\\\"q\"", "C:\\work", ""},
      {"C:\\work\\<>|?", "C:\\work", ""},
      {"C:\\work\\caf\xe9.txt", "C:\\work", "caf\xe9.txt"},
      {"C:\\" + name259, "C:", name259},
      {"C:\\" + name260, "C:", ""},  // would not fit the buffer with its NUL
      {"", "", ""},
  };
  for (const Case& c : cases) {
    std::string folder, proposal;
    sim::onFileDialog([&](platform::OPENFILENAMEA& d) -> platform::BOOL {
      folder = d.lpstrInitialDir;
      proposal = std::string(d.lpstrFile, strnlen(d.lpstrFile, d.nMaxFile));
      return platform::kFalse;
    });
    zorvel::TextVar out;
    zorvel::openFileDialog("T", c.initial.c_str(), "*.*", 0, out);
    EXPECT_EQ(folder, c.folder) << c.initial;
    EXPECT_EQ(proposal, c.proposal) << c.initial;
    EXPECT_STREQ(out.c_str(), "");
  }
}

TEST_F(PickersTest, OnlyTheCallingThreadsVisibleEnabledBackgroundWindowsAreDisabled) {
  const HWND plain = sim::addWindow();
  const HWND hidden = sim::addWindow(sim::kHostThreadId, false, true);
  const HWND disabled = sim::addWindow(sim::kHostThreadId, true, false);
  const HWND otherThread = sim::addWindow(0x2004);
  const HWND otherProcess = sim::addWindow(0x3004, true, true, sim::kOtherProcessId);
  const HWND front = sim::addWindow();
  sim::setForegroundWindow(front);
  const std::vector<HWND> all = {plain, hidden, disabled, otherThread, otherProcess, front};
  std::vector<bool> during;
  auto look = [&] {
    during.clear();
    for (HWND w : all) during.push_back(sim::windowEnabled(w));
  };
  const std::vector<bool> whileOpen = {false, true, false, true, true, true};
  const std::vector<bool> afterwards = {true, true, false, true, true, true};

  sim::onFileDialog([&](platform::OPENFILENAMEA&) -> platform::BOOL {
    look();
    return platform::kFalse;
  });
  pickFile();
  EXPECT_EQ(during, whileOpen);
  look();
  EXPECT_EQ(during, afterwards);

  sim::onFolderDialog([&](platform::BROWSEINFOA&) -> std::optional<std::string> {
    look();
    return std::nullopt;
  });
  pickFolder();
  EXPECT_EQ(during, whileOpen);
  look();
  EXPECT_EQ(during, afterwards);
}

TEST_F(PickersTest, EachThreadEnablesOnlyTheWindowsItDisabled) {
  const HWND ours = sim::addWindow();
  const HWND theirs = sim::addWindow(0x2004);
  sim::setCurrentThread(0x2004);
  zorvel::disableThreadWindows();  // another thread's dialog is open
  EXPECT_FALSE(sim::windowEnabled(theirs));

  sim::setCurrentThread(sim::kHostThreadId);
  sim::answerFileDialog("C:\\work\\a.txt");
  pickFile();
  EXPECT_TRUE(sim::windowEnabled(ours));
  EXPECT_FALSE(sim::windowEnabled(theirs));

  sim::setCurrentThread(0x2004);
  zorvel::enableThreadWindows();
  EXPECT_TRUE(sim::windowEnabled(theirs));
}

TEST_F(PickersTest, AWindowWhoseRecordCannotBeKeptIsLeftEnabled) {
  const HWND first = sim::addWindow();
  const HWND second = sim::addWindow();
  sim::failCall("HeapAlloc", 1, platform::kErrorNotEnoughMemory);
  zorvel::disableThreadWindows();
  const int disabledNow = !sim::windowEnabled(first) + !sim::windowEnabled(second);
  EXPECT_EQ(disabledNow, 1);
  zorvel::enableThreadWindows();
  EXPECT_TRUE(sim::windowEnabled(first));
  EXPECT_TRUE(sim::windowEnabled(second));
}

TEST_F(PickersTest, TheFolderBrowsersStructureAndPreselection) {
  const HWND host = sim::addWindow();
  sim::setForegroundWindow(host);
  int shown = 0;
  std::optional<std::string> selected;
  sim::onFolderDialog([&](platform::BROWSEINFOA& info) -> std::optional<std::string> {
    ++shown;
    EXPECT_EQ(info.hwndOwner, host);
    EXPECT_EQ(info.ulFlags, 0x40u);
    selected = sim::folderDialogSelection();  // set while the dialog initialised
    return std::nullopt;
  });
  EXPECT_EQ(pickFolder(), "");
  EXPECT_EQ(selected, std::optional<std::string>("C:\\work"));

  sim::setCurrentDirectoryPath("C:\\");
  pickFolder();
  EXPECT_EQ(selected, std::optional<std::string>("C:\\"));
  EXPECT_EQ(shown, 2);
}

TEST_F(PickersTest, AFolderThatDoesNotFitTheBufferIsNotPreselected) {
  const std::string deep = "C:\\" + std::string(200, 'd') + "\\" + std::string(60, 'e');
  sim::addFolder(deep);
  sim::setCurrentDirectoryPath(deep);
  sim::answerFolderDialog("C:\\work");
  EXPECT_EQ(pickFolder(), "C:\\work\\");
  EXPECT_EQ(sim::folderDialogSelection(), std::nullopt);
}

TEST_F(PickersTest, SelFolderPathsRelativeToTheCurrentDirectory) {
  sim::answerFolderDialog("C:\\work\\src");
  EXPECT_EQ(pickFolder(), "src\\");
  sim::answerFolderDialog("C:\\work");
  EXPECT_EQ(pickFolder(), "");
  sim::answerFolderDialog("D:\\data");
  EXPECT_EQ(pickFolder(), "D:\\data\\");
  sim::answerFolderDialog("D:\\");
  EXPECT_EQ(pickFolder(), "D:\\");
  sim::answerFolderDialog("c:\\WORK\\src");  // the comparison counts case
  EXPECT_EQ(pickFolder(), "c:\\WORK\\src\\");
  sim::answerFolderDialog("C:\\workshop");  // begins with the text, but not at a backslash
  EXPECT_EQ(pickFolder(), "C:\\workshop\\");
  sim::answerFolderDialog("");  // an item without a file-system path
  EXPECT_EQ(pickFolder(), "");
  EXPECT_EQ(sim::currentDirectory(), "C:\\work");
}

TEST_F(PickersTest, NoShellLibraryOrNoBrowserInItMeansNoDialog) {
  const HWND w = sim::addWindow();
  sim::failCall("LoadLibraryA", 1, platform::kErrorModNotFound);
  EXPECT_EQ(pickFolder(), "");
  sim::addModule("SHELL32.DLL", {{"SHBrowseForFolder", nullptr}});
  EXPECT_EQ(pickFolder(), "");
  EXPECT_TRUE(sim::windowEnabled(w));
}

// Allocations refused in turn: the right object or an empty one, no window left disabled,
// no memory kept.
TEST_F(PickersTest, RefusedAllocations) {
  const HWND w = sim::addWindow();
  forEachFault(
      {"HeapAlloc"},
      [&](const Fault& fault) {
        sim::answerFileDialog("C:\\work\\a.txt");
        sim::answerFolderDialog("C:\\work\\src");
        fault.arm();
        const std::string file = pickFile();
        const std::string folder = pickFolder();
        EXPECT_TRUE(file == "C:\\work\\a.txt" || (fault.injected() && file == "")) << file;
        // Without the current directory the path stays absolute: still the right folder.
        EXPECT_TRUE(folder == "src\\" ||
                    (fault.injected() && (folder == "" || folder == "C:\\work\\src\\")))
            << folder;
        EXPECT_TRUE(sim::windowEnabled(w));
      },
      platform::kErrorNotEnoughMemory, [&] { return libraryBytes(); });
}

}  // namespace
