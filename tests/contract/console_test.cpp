// The standard handles, console modes and the program's own path: natively against the
// simulation, under Wine against Windows. Under ctest the standard handles are pipes or files.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "fixture.h"
#include "platform/console.h"
#include "platform/program.h"

namespace {

using namespace platform;

TEST(ConsoleContract, StandardHandlesExistAndOthersAreRefused) {
  EXPECT_NE(GetStdHandle(kStdOutputHandle), kInvalidHandle);
  EXPECT_NE(GetStdHandle(kStdErrorHandle), kInvalidHandle);
  SetLastError(0);
  EXPECT_EQ(GetStdHandle(static_cast<DWORD>(-13)), kInvalidHandle);
  EXPECT_EQ(GetLastError(), kErrorInvalidHandle);
}

TEST(ConsoleContract, ANullHandleIsNoConsoleAndTheModeIsLeftAlone) {
  DWORD mode = 0xdeadbeef;
  SetLastError(0);
  EXPECT_EQ(GetConsoleMode(nullptr, &mode), kFalse);
  EXPECT_EQ(GetLastError(), kErrorInvalidHandle);
  EXPECT_EQ(mode, 0xdeadbeefu);
  SetLastError(0);
  EXPECT_EQ(SetConsoleMode(nullptr, kEnableProcessedOutput), kFalse);
  EXPECT_EQ(GetLastError(), kErrorInvalidHandle);

  CONSOLE_SCREEN_BUFFER_INFO info;
  std::memset(&info, 0xbd, sizeof info);
  SetLastError(0);
  EXPECT_EQ(GetConsoleScreenBufferInfo(nullptr, &info), kFalse);
  EXPECT_EQ(GetLastError(), kErrorInvalidHandle);
  EXPECT_EQ(info.wAttributes, 0xbdbd);
  SetLastError(0);
  EXPECT_EQ(SetConsoleTextAttribute(nullptr, kForegroundIntensity), kFalse);
  EXPECT_EQ(GetLastError(), kErrorInvalidHandle);
}

// Keys are for consoles only; nothing is read or written elsewhere.
TEST(ConsoleContract, KeysNeedAConsole) {
  INPUT_RECORD record;
  std::memset(&record, 0xbd, sizeof record);
  DWORD count = 0xdeadbeef;
  SetLastError(0);
  EXPECT_EQ(ReadConsoleInputW(nullptr, &record, 1, &count), kFalse);
  EXPECT_EQ(GetLastError(), kErrorInvalidHandle);
  EXPECT_EQ(count, 0u);
  EXPECT_EQ(record.EventType, 0xbdbd);
  count = 0xdeadbeef;
  SetLastError(0);
  EXPECT_EQ(WriteConsoleInputW(nullptr, &record, 1, &count), kFalse);
  EXPECT_EQ(GetLastError(), kErrorInvalidHandle);
  EXPECT_EQ(count, 0xdeadbeefu);
}

BOOL ZV_STDCALL handled(DWORD) {
  return kTrue;
}

TEST(ConsoleContract, ControlHandlersComeAndGo) {
  EXPECT_EQ(SetConsoleCtrlHandler(&handled, kTrue), kTrue);
  EXPECT_EQ(SetConsoleCtrlHandler(&handled, kFalse), kTrue);
  SetLastError(0);
  EXPECT_EQ(SetConsoleCtrlHandler(&handled, kFalse), kFalse);
  EXPECT_EQ(GetLastError(), kErrorInvalidParameter);
}

TEST(ConsoleContract, TheProgramPathIsAbsoluteAndEndsInExe) {
  char buffer[kMaxPath + 1];
  std::memset(buffer, 0xbd, sizeof buffer);
  DWORD length = GetModuleFileNameA(nullptr, buffer, sizeof buffer);
  ASSERT_GT(length, 4u);
  ASSERT_LT(length, sizeof buffer);
  EXPECT_EQ(std::strlen(buffer), length);
  std::string path(buffer);
  EXPECT_EQ(path.substr(1, 2), ":\\") << path;
  std::string extension = path.substr(path.size() - 4);
  for (char& c : extension) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
  EXPECT_EQ(extension, ".exe");
}

TEST(ConsoleContract, ASmallBufferGetsTheStartOfThePathAndNothingBeyond) {
  char full[kMaxPath + 1];
  ASSERT_GT(GetModuleFileNameA(nullptr, full, sizeof full), 4u);
  char buffer[8];
  std::memset(buffer, 0xbd, sizeof buffer);
  SetLastError(0);
  EXPECT_EQ(GetModuleFileNameA(nullptr, buffer, 5), 5u);
  EXPECT_EQ(GetLastError(), kErrorInsufficientBuffer);
  // Later Windows end the cut path with a NUL in the last place; Wine and XP do not.
  EXPECT_EQ(std::string(buffer, 4), std::string(full, 4));
  EXPECT_EQ(static_cast<unsigned char>(buffer[5]), 0xbd);  // nothing past the buffer's size

  std::memset(buffer, 0xbd, sizeof buffer);
  EXPECT_EQ(GetModuleFileNameA(nullptr, buffer, 0), 0u);
  EXPECT_EQ(static_cast<unsigned char>(buffer[0]), 0xbd);
}

}  // namespace
