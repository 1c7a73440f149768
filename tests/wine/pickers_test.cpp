// selFile and selFolder of the real zorvel.dll under Wine. With a display the real dialogs come
// up and a second thread answers them as a user would (the file name typed, a folder selected,
// OK or Cancel pressed); without one, Windows can't show them and both pickers take their cancel
// path.
#include <gtest/gtest.h>

#include <atomic>
#include <functional>

#include "platform/desktop.h"
#include "work_folder.h"
// After the seam headers.
#include "desktop.h"

namespace {

constexpr int kFileNameEdit = 0x480;   // edt1
constexpr int kFileNameCombo = 0x47c;  // cmb13, the explorer-style dialog's name box

class RealPickers : public wine::WorkFolder {
 protected:
  void SetUp() override {
    wine::WorkFolder::SetUp();
    addFolder("src");
    addFile("notes.txt");
    ASSERT_TRUE(SetCurrentDirectoryA(work.c_str()));
  }

  // Calls the picker while `user` answers its dialog from another thread; gives the object's
  // path.
  std::string pick(const char* routine, std::function<void(HWND dialog)> user,
                   const char* caption = nullptr) {
    std::atomic<bool> answered{false};
    std::thread other([&] {
      HWND dialog = wine::waitForDialog(caption);
      if (dialog) user(dialog);
      answered = dialog != nullptr;
    });
    quenda::Result result = runtime.call(routine);
    other.join();
    EXPECT_TRUE(answered) << routine << ": no dialog appeared";
    EXPECT_TRUE(result.ok()) << result.error.value_or("");
    EXPECT_TRUE(result.value.is(quenda::Kind::Object));
    return result.value.objectPath();
  }
  static void press(HWND dialog, int button) { PostMessageA(dialog, WM_COMMAND, button, 0); }
  static void typeFileName(HWND dialog, const std::string& path) {
    if (!SetDlgItemTextA(dialog, kFileNameCombo, path.c_str()))
      SetDlgItemTextA(dialog, kFileNameEdit, path.c_str());
  }
  // Selects the folder once the browser has shown the one it opened on, and waits until it
  // shows the new one: OK pressed any earlier would take whatever was selected then.
  static void selectFolder(HWND dialog, const std::string& path) {
    showsFolder(dialog, wine::currentDirectory());
    SendMessageA(dialog, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(path.c_str()));
    showsFolder(dialog, path);
  }
  static void showsFolder(HWND dialog, std::string path) {
    while (path.size() > 3 && path.back() == '\\') path.pop_back();
    const std::string name = path.substr(path.find_last_of('\\') + 1);
    EXPECT_TRUE(wine::waitUntil([&] {
      return lstrcmpiA(wine::browserSelection(dialog).c_str(), name.c_str()) == 0;
    })) << "the browser never showed "
        << path << " selected";
  }
};

TEST_F(RealPickers, SelFileGivesTheFileTypedInAndKeepsTheCurrentDirectory) {
  if (!wine::canShowWindows()) GTEST_SKIP() << "no display: see CancelPathWithoutADisplay";
  EXPECT_EQ(pick(
                "selFile",
                [&](HWND d) {
                  typeFileName(d, at("notes.txt"));
                  press(d, IDOK);
                },
                "Open"),
            at("notes.txt"));
  EXPECT_EQ(wine::currentDirectory(), work);

  EXPECT_EQ(pick(
                "selFile", [](HWND d) { press(d, IDCANCEL); }, "Open"),
            "");
}

TEST_F(RealPickers, SelFolderGivesPathsRelativeToTheCurrentDirectory) {
  if (!wine::canShowWindows()) GTEST_SKIP() << "no display: see CancelPathWithoutADisplay";
  // OK at once takes the folder the browser opened on: the current directory itself.
  EXPECT_EQ(pick("selFolder",
                 [&](HWND d) {
                   showsFolder(d, work);
                   press(d, IDOK);
                 }),
            "");
  EXPECT_EQ(pick("selFolder",
                 [&](HWND d) {
                   selectFolder(d, at("src"));
                   press(d, IDOK);
                 }),
            "src\\");
  char temp[MAX_PATH];
  std::string elsewhere(temp, GetTempPathA(sizeof temp, temp));  // ends in a backslash
  EXPECT_EQ(pick("selFolder",
                 [&](HWND d) {
                   selectFolder(d, elsewhere);
                   press(d, IDOK);
                 }),
            elsewhere);
  EXPECT_EQ(pick("selFolder", [](HWND d) { press(d, IDCANCEL); }), "");
  EXPECT_EQ(wine::currentDirectory(), work);
}

// The host's windows: a visible, enabled one is disabled while a picker is open and enabled
// again afterwards; one disabled before stays so. The foreground window owns the dialog (which
// disables its owner while it is open, as every modal dialog does).
TEST_F(RealPickers, TheHostsWindowsAreDisabledOnlyWhileTheDialogIsOpen) {
  if (!wine::canShowWindows()) GTEST_SKIP() << "no display: see CancelPathWithoutADisplay";
  auto window = [](DWORD style) {
    return CreateWindowExA(0, "STATIC", "host", WS_OVERLAPPEDWINDOW | style, 0, 0, 90, 60, nullptr,
                           nullptr, nullptr, nullptr);
  };
  HWND background = window(WS_VISIBLE);
  HWND disabledBefore = window(WS_VISIBLE | WS_DISABLED);
  HWND front = window(WS_VISIBLE);

  for (const char* routine : {"selFile", "selFolder"}) {
    SetForegroundWindow(front);
    ASSERT_EQ(GetForegroundWindow(), front);
    bool backgroundWhileOpen = true, disabledWhileOpen = true;
    HWND owner = nullptr;
    pick(routine, [&](HWND d) {
      backgroundWhileOpen = IsWindowEnabled(background);
      disabledWhileOpen = IsWindowEnabled(disabledBefore);
      owner = GetWindow(d, GW_OWNER);
      press(d, IDCANCEL);
    });
    EXPECT_FALSE(backgroundWhileOpen) << routine;
    EXPECT_FALSE(disabledWhileOpen) << routine;
    EXPECT_EQ(owner, front) << routine;
    EXPECT_TRUE(IsWindowEnabled(background)) << routine;
    EXPECT_TRUE(IsWindowEnabled(front)) << routine;
    EXPECT_FALSE(IsWindowEnabled(disabledBefore)) << routine;
  }
  for (HWND w : {background, disabledBefore, front}) DestroyWindow(w);
}

TEST_F(RealPickers, CancelPathWithoutADisplay) {
  if (wine::canShowWindows()) GTEST_SKIP() << "a display is there: the dialogs are answered";
  for (const char* routine : {"selFile", "selFolder"}) {
    quenda::Result result = runtime.call(routine);
    ASSERT_TRUE(result.ok()) << result.error.value_or("");
    ASSERT_TRUE(result.value.is(quenda::Kind::Object)) << routine;
    EXPECT_EQ(result.value.objectPath(), "") << routine;
  }
  EXPECT_EQ(wine::currentDirectory(), work);
}

}  // namespace
