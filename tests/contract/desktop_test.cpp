// The desktop's windows, the keyboard, the dialogs' entry points and the special folders
// (platform/desktop.h, keyboard.h, dialogs.h, shell.h, startup.h). Cases that need windows of their
// own are skipped where the backend can't show any (Wine without a display).
#include "fixture.h"

#include <algorithm>

namespace {

using namespace platform;

constexpr DWORD kErrorInvalidWindowHandle = 1400;

BOOL ZV_STDCALL collect(HWND window, LPARAM seen) {
  reinterpret_cast<std::vector<HWND>*>(seen)->push_back(window);
  return kTrue;
}

// A handle that is no window is refused, nobody pressed a key, and windows of this thread are
// found with their state.
TEST(DesktopContract, WindowsOfThisThreadAreFoundWithTheirStateAndEnabledAgain) {
  HWND const none = reinterpret_cast<HWND>(0x7ffe0000);
  DWORD process = 0xdeadbeef;
  EXPECT_FAILS(GetWindowThreadProcessId(none, &process), 0u, kErrorInvalidWindowHandle);
  EXPECT_EQ(process, 0xdeadbeefu);
  EXPECT_EQ(IsWindowVisible(none), kFalse);
  EXPECT_EQ(IsWindowEnabled(none), kFalse);
  EXPECT_EQ(EnableWindow(none, kFalse), kFalse);
  EXPECT_FAILS(SendMessageA(none, 0x0466, 1, 0), 0, kErrorInvalidWindowHandle);
  GetAsyncKeyState(kVkReturn);  // clears a press from before the test
  for (int key : {kVkReturn, 0, 255, -5}) EXPECT_EQ(GetAsyncKeyState(key), 0) << key;
  HWND shown = contract::makeTestWindow(true, true);
  if (!shown) GTEST_SKIP() << "no display: this backend shows no windows";
  HWND hidden = contract::makeTestWindow(false, true);
  HWND disabled = contract::makeTestWindow(true, false);
  process = 0;
  EXPECT_EQ(GetWindowThreadProcessId(shown, &process), GetCurrentThreadId());
  EXPECT_EQ(process, GetCurrentProcessId());
  EXPECT_EQ(IsWindowVisible(hidden), kFalse);
  EXPECT_EQ(IsWindowEnabled(disabled), kFalse);

  std::vector<HWND> seen;
  EXPECT_EQ(EnumWindows(&collect, reinterpret_cast<LPARAM>(&seen)), kTrue);
  for (HWND w : {shown, hidden, disabled})
    EXPECT_NE(std::find(seen.begin(), seen.end(), w), seen.end());

  // EnableWindow tells whether the window was disabled before.
  EXPECT_EQ(EnableWindow(shown, kFalse), kFalse);
  EXPECT_EQ(IsWindowEnabled(shown), kFalse);
  EXPECT_NE(EnableWindow(shown, kFalse), kFalse);
  EXPECT_NE(EnableWindow(disabled, kTrue), kFalse);
  EXPECT_EQ(IsWindowEnabled(disabled), kTrue);
  for (HWND w : {shown, hidden, disabled}) contract::destroyTestWindow(w);
}

constexpr int kPersonal = 0x05, kDesktopDirectory = 0x10, kDrives = 0x11, kProgramFiles = 0x26,
              kProfile = 0x28;

// The folder's path, "<no path>", or the error of SHGetSpecialFolderLocation.
std::string folderPath(int csidl) {
  auto* list = reinterpret_cast<ITEMIDLIST*>(static_cast<std::uintptr_t>(0xdeadbeef));
  if (HRESULT error = SHGetSpecialFolderLocation(nullptr, csidl, &list)) {
    EXPECT_EQ(list, nullptr);
    return "error " + std::to_string(error);
  }
  char path[kMaxPath];
  std::memset(path, contract::kPrime, sizeof path);
  BOOL ok = SHGetPathFromIDListA(list, path);
  CoTaskMemFree(list);
  EXPECT_NE(std::memchr(path, 0, sizeof path), nullptr);
  return ok ? path : path[0] ? "<not emptied>" : "<no path>";
}

// The folder browser's entry points by their plain names, and the special folders.
TEST(ShellContract, TheFolderBrowserIsThereAndFoldersHaveDrivePathsUnderTheProfileOrNone) {
  HRESULT first = CoInitialize(nullptr);
  EXPECT_TRUE(first == 0 || first == 1) << first;  // S_OK, or S_FALSE after an earlier test
  EXPECT_EQ(CoInitialize(nullptr), 1);             // S_FALSE
  InitCommonControls();                            // no result; must simply return
  HMODULE shell = LoadLibraryA("SHELL32.DLL");
  ASSERT_NE(shell, nullptr);
  EXPECT_NE(GetProcAddress(shell, "SHBrowseForFolder"), nullptr);
  EXPECT_NE(GetProcAddress(shell, "SHGetPathFromIDList"), nullptr);
  EXPECT_EQ(FreeLibrary(shell), kTrue);

  std::string profile = folderPath(kProfile);
  ASSERT_EQ(profile.substr(1, 2), ":\\");
  EXPECT_NE(profile.back(), '\\');
  for (int csidl : {kDesktopDirectory, kPersonal})
    EXPECT_EQ(folderPath(csidl).rfind(profile + "\\", 0), 0u) << csidl;
  EXPECT_EQ(folderPath(kProgramFiles).substr(1, 2), ":\\");
  EXPECT_EQ(folderPath(kDrives), "<no path>");  // outside the file system
  EXPECT_EQ(folderPath(0xff), "error " + std::to_string(kEInvalidArg));
  CoTaskMemFree(nullptr);  // accepted
}

}  // namespace
