// selFile and selFolder: what the dialogs start on, the answers turned into objects, and the
// host's windows disabled only while a dialog is open.
#include <cstring>

#include "classes_fixture.h"
#include "namespaces/thread_windows.h"
#include "platform/desktop.h"
#include "platform/dialogs.h"
#include "platform/module.h"

namespace {

using platform::HWND;

class PickersTest : public LibraryTest {
 protected:
  void SetUp() override {
    LibraryTest::SetUp();
    sim::addFolder("C:\\work\\src");
    sim::addFolder("D:\\data");
    sim::setCurrentDirectoryPath("C:\\work");
  }
};

// The dialog starts in the current directory, owned by the host's window, with an empty buffer
// of 260 characters; the answer is taken whole when it fits, and the current directory stays.
// While a dialog is open only the calling thread's visible enabled background windows are
// disabled.
TEST_F(PickersTest, TheOpenDialogStartsHereAndDisablesOnlyTheHostsOtherWindows) {
  const std::vector<HWND> all = {sim::addWindow(),
                                 sim::addWindow(sim::kHostThreadId, false, true),
                                 sim::addWindow(sim::kHostThreadId, true, false),
                                 sim::addWindow(0x2004),
                                 sim::addWindow(0x3004, true, true, sim::kOtherProcessId),
                                 sim::addWindow()};
  sim::setForegroundWindow(all.back());
  auto look = [&] {
    std::string enabled;
    for (HWND w : all) enabled += sim::windowEnabled(w) ? "1" : "0";
    return enabled;
  };
  std::string during;
  sim::onFileDialog([&](platform::OPENFILENAMEA& d) -> platform::BOOL {
    EXPECT_STREQ(d.lpstrInitialDir, "C:\\work");
    EXPECT_EQ(d.hwndOwner, all.back());
    EXPECT_EQ(d.nMaxFile, 260u);
    EXPECT_EQ(std::string(d.lpstrFile, 260), std::string(260, '\0'));
    during = look();
    return platform::kFalse;
  });
  sim::onFolderDialog([&](platform::BROWSEINFOA&) -> std::optional<std::string> {
    during = look();
    return std::nullopt;
  });
  for (const char* picker : {"selFile", "selFolder"}) {
    during.clear();
    EXPECT_EQ(routine(picker), picker == std::string("selFile") ? "file " : "folder ");
    EXPECT_EQ(during, "010111") << picker;
    EXPECT_EQ(look(), "110111") << picker;
  }
  const std::string fits = "C:\\" + std::string(256, 'x');  // 259 characters and the NUL
  for (const std::string& answer : {std::string("D:\\data\\notes.txt"), fits, fits + "x"}) {
    sim::answerFileDialog(answer);
    EXPECT_EQ(routine("selFile"), "file " + (answer.size() < 260 ? answer : ""));
  }
  EXPECT_EQ(sim::currentDirectory(), "C:\\work");
}

TEST_F(PickersTest, TheFolderBrowserGivesARelativePathAndNoFaultLeavesAWindowDisabled) {
  std::vector<std::optional<std::string>> selected;
  sim::onFolderDialog([&](platform::BROWSEINFOA&) -> std::optional<std::string> {
    selected.push_back(sim::folderDialogSelection());  // set while the dialog initialised
    return std::nullopt;
  });
  EXPECT_EQ(routine("selFolder"), "folder ");
  const std::string deep = "C:\\" + std::string(200, 'd') + "\\" + std::string(60, 'e');
  sim::addFolder(deep);
  sim::setCurrentDirectoryPath(deep);  // does not fit the buffer
  routine("selFolder");
  EXPECT_EQ(selected, (std::vector<std::optional<std::string>>{"C:\\work", std::nullopt}));

  sim::setCurrentDirectoryPath("C:\\work");
  const std::pair<const char*, const char*> rows[] = {
      {"C:\\work\\src", "folder src\\"},
      {"C:\\work", "folder "},
      {"D:\\", "folder D:\\"},
      {"c:\\WORK\\src", "folder c:\\WORK\\src\\"},  // the comparison counts case
      {"C:\\workshop", "folder C:\\workshop\\"},    // begins with the text, not at a backslash
      {"", "folder "},                              // an item without a file-system path
  };
  for (const auto& [answer, result] : rows) {
    sim::answerFolderDialog(answer);
    EXPECT_EQ(routine("selFolder"), result);
  }
  EXPECT_EQ(sim::currentDirectory(), "C:\\work");
  // No shell library, or no browser in it: no dialog.
  sim::failCall("LoadLibraryA", 1, platform::kErrorModNotFound);
  EXPECT_EQ(routine("selFolder"), "folder ");
  sim::addModule("SHELL32.DLL", {{"SHBrowseForFolder", nullptr}});
  EXPECT_EQ(routine("selFolder"), "folder ");

  // Allocations refused in turn: the right object or an empty one, no window left disabled,
  // no memory kept. A window whose record cannot be kept is left enabled.
  EXPECT_EQ(sim::openHandles(), "");  // before the machine is reset
  sim::reset();
  sim::addFolder("C:\\work\\src");
  sim::setCurrentDirectoryPath("C:\\work");
  const HWND w = sim::addWindow();
  const HWND second = sim::addWindow();
  sim::failCall("HeapAlloc", 1, platform::kErrorNotEnoughMemory);
  zorvel::disableThreadWindows();
  EXPECT_EQ(!sim::windowEnabled(w) + !sim::windowEnabled(second), 1);
  zorvel::enableThreadWindows();
  forEachFault(
      {"HeapAlloc"},
      [&](const Fault& fault) {
        sim::answerFileDialog("C:\\work\\a.txt");
        sim::answerFolderDialog("C:\\work\\src");
        fault.arm();
        const std::string file = routine("selFile");
        const std::string folder = routine("selFolder");
        EXPECT_TRUE(file == "file C:\\work\\a.txt" || (fault.injected() && file == "file "))
            << file;
        // Without the current directory the path stays absolute: still the right folder.
        EXPECT_TRUE(
            folder == "folder src\\" ||
            (fault.injected() && (folder == "folder " || folder == "folder C:\\work\\src\\")))
            << folder;
        EXPECT_TRUE(sim::windowEnabled(w));
      },
      platform::kErrorNotEnoughMemory, [&] { return libraryBytes(); });
}

}  // namespace
