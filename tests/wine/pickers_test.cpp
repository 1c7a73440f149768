// selFile and selFolder of the real zorvel.dll under Wine: the real dialogs come up, owned by the
// host's foreground window, and a second thread answers them as a user would.
#include <cstdlib>
#include <functional>

#include "work_folder.h"
// After windows.h.
#include <commctrl.h>

namespace {

BOOL CALLBACK findTreeView(HWND child, LPARAM found) {
  char name[32];
  if (!GetClassNameA(child, name, sizeof name) || lstrcmpiA(name, WC_TREEVIEWA) != 0) return TRUE;
  *reinterpret_cast<HWND*>(found) = child;
  return FALSE;
}

// Whether the folder browser shows the folder of that name selected.
bool showsSelected(HWND dialog, const char* name) {
  HWND tree = nullptr;
  EnumChildWindows(dialog, findTreeView, reinterpret_cast<LPARAM>(&tree));
  char text[MAX_PATH] = "";
  TVITEMA item{};
  item.mask = TVIF_TEXT;
  item.hItem = tree ? TreeView_GetSelection(tree) : nullptr;
  item.pszText = text;
  item.cchTextMax = sizeof text;
  return item.hItem && TreeView_GetItem(tree, &item) && lstrcmpiA(text, name) == 0;
}

void press(HWND dialog, int button) {
  PostMessageA(dialog, WM_COMMAND, button, 0);
}

using RealPickers = wine::WorkFolder;

// The host's visible, enabled windows are disabled while a dialog is open (its owner, the
// foreground window, by the dialog itself) and enabled again afterwards; one disabled before
// stays so.
TEST_F(RealPickers, EachDialogAnsweredAsAUserWouldWhileTheHostsWindowsWait) {
  if (!std::getenv("DISPLAY")) GTEST_SKIP() << "no display: Windows can't show the dialogs";
  addFile("notes.txt");
  ASSERT_TRUE(SetCurrentDirectoryA(work.c_str()));
  const std::string folderName = work.substr(work.find_last_of('\\') + 1);
  const struct {
    const char* routine;
    std::function<void(HWND)> answer;
    std::string chosen;
  } rows[] = {
      {"selFile",
       [&](HWND d) {
         // The explorer-style dialog's name box, or the old one's edit field.
         if (!SetDlgItemTextA(d, cmb13, at("notes.txt").c_str()))
           SetDlgItemTextA(d, edt1, at("notes.txt").c_str());
         press(d, IDOK);
       },
       at("notes.txt")},
      // OK once the browser shows the current directory, where it opens: an empty path.
      {"selFolder",
       [&](HWND d) {
         EXPECT_TRUE(wine::waitUntil([&] { return showsSelected(d, folderName.c_str()); }));
         press(d, IDOK);
       },
       ""},
      {"selFolder", [](HWND d) { press(d, IDCANCEL); }, ""},
  };
  auto window = [](DWORD style) {
    return CreateWindowExA(0, "STATIC", "host", WS_OVERLAPPEDWINDOW | style, 0, 0, 90, 60, nullptr,
                           nullptr, nullptr, nullptr);
  };
  HWND background = window(WS_VISIBLE);
  HWND disabledBefore = window(WS_VISIBLE | WS_DISABLED);
  HWND front = window(WS_VISIBLE);
  for (const auto& row : rows) {
    SCOPED_TRACE(std::string(row.routine) + " giving " + row.chosen);
    SetForegroundWindow(front);
    ASSERT_EQ(GetForegroundWindow(), front);
    bool backgroundWhileOpen = true;
    HWND dialog = nullptr, owner = nullptr;
    std::atomic<bool> returned{false};
    std::thread user([&] {
      dialog = wine::waitForDialog(returned);
      if (!dialog) return;
      backgroundWhileOpen = IsWindowEnabled(background);
      owner = GetWindow(dialog, GW_OWNER);
      row.answer(dialog);
    });
    quenda::Result result = runtime.call(row.routine);
    returned = true;
    user.join();
    ASSERT_TRUE(result.ok() && result.value.is(quenda::Kind::Object));
    EXPECT_EQ(result.value.objectPath(), row.chosen);
    EXPECT_NE(dialog, nullptr);
    EXPECT_EQ(owner, front);
    EXPECT_FALSE(backgroundWhileOpen);
    EXPECT_TRUE(IsWindowEnabled(background));
    EXPECT_TRUE(IsWindowEnabled(front));
    EXPECT_FALSE(IsWindowEnabled(disabledBefore));
    EXPECT_EQ(std::filesystem::current_path().string(), work);
  }
  for (HWND w : {background, disabledBefore, front}) DestroyWindow(w);
}

}  // namespace
