// The desktop's windows, the thread's identity, the keyboard and the dialogs' entry points: the
// same cases natively against the simulation and under Wine. Cases that need windows of their
// own are skipped where the backend can't show any (Wine without a display).
#include <gtest/gtest.h>

#include <vector>

#include "desktop_fixture.h"
#include "fixture.h"
#include "platform/desktop.h"
#include "platform/dialogs.h"
#include "platform/keyboard.h"
#include "platform/module.h"

namespace {

using namespace platform;

constexpr DWORD kErrorInvalidWindowHandle = 1400;
HWND const kNoWindow = reinterpret_cast<HWND>(0x7ffe0000);

TEST(DesktopContract, AHandleThatIsNoWindow) {
  DWORD process = 0xdeadbeef;
  EXPECT_FAILS(GetWindowThreadProcessId(kNoWindow, &process), 0u, kErrorInvalidWindowHandle);
  EXPECT_EQ(process, 0xdeadbeefu);
  EXPECT_EQ(IsWindowVisible(kNoWindow), kFalse);
  EXPECT_EQ(IsWindowEnabled(kNoWindow), kFalse);
  EXPECT_EQ(EnableWindow(kNoWindow, kFalse), kFalse);
  EXPECT_FAILS(SendMessageA(kNoWindow, 0x0466, 1, 0), 0, kErrorInvalidWindowHandle);
}

struct Walk {
  std::vector<HWND> seen;
  std::size_t stopAfter;
};

BOOL ZV_STDCALL collect(HWND window, LPARAM data) {
  auto* walk = reinterpret_cast<Walk*>(data);
  walk->seen.push_back(window);
  return walk->seen.size() < walk->stopAfter ? kTrue : kFalse;
}

class WindowContract : public ::testing::Test {
 protected:
  void SetUp() override {
    shown = contract::makeTestWindow(true, true);
    if (!shown) GTEST_SKIP() << "no display: this backend shows no windows";
    hidden = contract::makeTestWindow(false, true);
    disabled = contract::makeTestWindow(true, false);
  }
  void TearDown() override {
    for (HWND w : {shown, hidden, disabled}) contract::destroyTestWindow(w);
  }
  HWND shown = nullptr, hidden = nullptr, disabled = nullptr;
};

TEST_F(WindowContract, WindowsKnowTheirThreadProcessAndState) {
  DWORD process = 0;
  EXPECT_EQ(GetWindowThreadProcessId(shown, &process), GetCurrentThreadId());
  EXPECT_EQ(process, GetCurrentProcessId());
  EXPECT_EQ(GetWindowThreadProcessId(hidden, nullptr), GetCurrentThreadId());
  EXPECT_EQ(IsWindowVisible(shown), kTrue);
  EXPECT_EQ(IsWindowVisible(hidden), kFalse);
  EXPECT_EQ(IsWindowEnabled(shown), kTrue);
  EXPECT_EQ(IsWindowEnabled(disabled), kFalse);
}

TEST_F(WindowContract, EnableWindowTellsWhetherTheWindowWasDisabled) {
  EXPECT_EQ(EnableWindow(shown, kFalse), kFalse);  // was enabled
  EXPECT_EQ(IsWindowEnabled(shown), kFalse);
  EXPECT_NE(EnableWindow(shown, kFalse), kFalse);  // was disabled already
  EXPECT_NE(EnableWindow(shown, kTrue), kFalse);
  EXPECT_EQ(IsWindowEnabled(shown), kTrue);
  EXPECT_NE(EnableWindow(disabled, kTrue), kFalse);
}

TEST_F(WindowContract, EnumWindowsVisitsOurWindowsAndStopsWhenAsked) {
  Walk all{{}, static_cast<std::size_t>(-1)};
  EXPECT_EQ(EnumWindows(&collect, reinterpret_cast<LPARAM>(&all)), kTrue);
  for (HWND w : {shown, hidden, disabled}) {
    bool found = false;
    for (HWND s : all.seen) found = found || s == w;
    EXPECT_TRUE(found);
  }
  Walk one{{}, 1};
  EXPECT_EQ(EnumWindows(&collect, reinterpret_cast<LPARAM>(&one)), kFalse);
  EXPECT_EQ(one.seen.size(), 1u);
}

TEST(DialogContract, TheOpenDialogRefusesAStructureOfAnotherSize) {
  char file[260] = {};
  OPENFILENAMEA dialog{};
  dialog.lStructSize = 60;
  dialog.lpstrFile = file;
  dialog.nMaxFile = sizeof file;
  EXPECT_EQ(GetOpenFileNameA(&dialog), kFalse);
  EXPECT_EQ(file[0], 0);
}

TEST(DialogContract, TheShellLibraryExportsTheFolderBrowserByItsPlainNames) {
  HMODULE shell = LoadLibraryA("SHELL32.DLL");
  ASSERT_NE(shell, nullptr);
  EXPECT_NE(GetProcAddress(shell, "SHBrowseForFolder"), nullptr);
  EXPECT_NE(GetProcAddress(shell, "SHGetPathFromIDList"), nullptr);
  EXPECT_EQ(FreeLibrary(shell), kTrue);
}

TEST(KeyboardContract, KeysNobodyPressedAndKeysOutOfRange) {
  GetAsyncKeyState(kVkReturn);  // clears a press from before the test
  EXPECT_EQ(GetAsyncKeyState(kVkReturn), 0);
  EXPECT_EQ(GetAsyncKeyState(0), 0);
  EXPECT_EQ(GetAsyncKeyState(255), 0);
  EXPECT_EQ(GetAsyncKeyState(-5), 0);
}

}  // namespace
