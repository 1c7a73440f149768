// Consoles and the program's own path (platform/console.h, program.h), for the reference host.
// Under ctest the standard handles are pipes or files.
#include "fixture.h"

namespace {

using namespace platform;

TEST(ConsoleContract, WhatIsNoConsoleIsRefusedAndNothingIsReadOrWritten) {
  DWORD mode = 0xdeadbeef;
  EXPECT_FAILS(GetConsoleMode(nullptr, &mode), kFalse, kErrorInvalidHandle);
  EXPECT_EQ(mode, 0xdeadbeefu);
  INPUT_RECORD record;
  std::memset(&record, contract::kPrime, sizeof record);
  DWORD count = 0xdeadbeef;
  EXPECT_FAILS(ReadConsoleInputW(nullptr, &record, 1, &count), kFalse, kErrorInvalidHandle);
  EXPECT_EQ(count, 0u);
  EXPECT_TRUE(contract::primed(&record, sizeof record));
  EXPECT_FAILS(WriteConsoleW(nullptr, u"x", 1, &count, nullptr), kFalse, kErrorInvalidHandle);
}

TEST(ConsoleContract, TheProgramPathIsAbsoluteAndASmallBufferGetsItsStartOnly) {
  char full[kMaxPath + 1];
  DWORD length = GetModuleFileNameA(nullptr, full, sizeof full);
  ASSERT_GT(length, 4u);
  EXPECT_EQ(std::string(full + 1, 2), ":\\");
  EXPECT_EQ(std::string(full + length - 4), std::string(".exe"));
  char buffer[8];
  std::memset(buffer, contract::kPrime, sizeof buffer);
  EXPECT_FAILS(GetModuleFileNameA(nullptr, buffer, 5), 5u, kErrorInsufficientBuffer);
  // Later Windows end the cut path with a NUL in the last place; Wine and XP do not.
  EXPECT_EQ(std::string(buffer, 4), std::string(full, 4));
  EXPECT_TRUE(contract::primed(buffer + 5, 3));
}

}  // namespace
