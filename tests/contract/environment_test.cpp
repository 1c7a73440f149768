// The environment wrappers: the same cases natively against the simulation and under Wine.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "platform/environment.h"
#include "platform/files.h"

namespace {

using namespace platform;

std::vector<std::string> blockStrings() {
  std::vector<std::string> strings;
  char* block = GetEnvironmentStrings();
  if (!block) return strings;
  for (const char* at = block; *at; at += std::strlen(at) + 1) strings.emplace_back(at);
  EXPECT_EQ(FreeEnvironmentStringsA(block), kTrue);
  return strings;
}

int countOf(const std::vector<std::string>& strings, const std::string& s) {
  int n = 0;
  for (const auto& one : strings) n += one == s;
  return n;
}

// Removes the variable when the test ends, whatever happened.
struct Scoped {
  explicit Scoped(const char* n) : name(n) {}
  ~Scoped() { SetEnvironmentVariableA(name, nullptr); }
  const char* name;
};

TEST(EnvironmentContract, BlockHoldsNameValueStringsEndedByAnEmptyOne) {
  char* block = GetEnvironmentStrings();
  ASSERT_NE(block, nullptr);
  int strings = 0;
  const char* at = block;
  for (; *at; at += std::strlen(at) + 1) {
    EXPECT_NE(std::strchr(at, '='), nullptr) << at;
    ++strings;
  }
  EXPECT_GT(strings, 0);
  EXPECT_EQ(FreeEnvironmentStringsA(block), kTrue);
}

TEST(EnvironmentContract, SetValueWithEqualsSignsIsReadBackWholeAndCaseInsensitively) {
  Scoped scoped("ZV_CONTRACT_A");
  ASSERT_EQ(SetEnvironmentVariableA("ZV_CONTRACT_A", "b=c"), kTrue);
  char buffer[16];
  std::memset(buffer, 0xbd, sizeof buffer);
  EXPECT_EQ(GetEnvironmentVariableA("zv_contract_a", buffer, sizeof buffer), 3u);
  EXPECT_STREQ(buffer, "b=c");
  EXPECT_EQ(static_cast<unsigned char>(buffer[4]), 0xbd);
  EXPECT_EQ(countOf(blockStrings(), "ZV_CONTRACT_A=b=c"), 1);

  // Replacing keeps one entry.
  ASSERT_EQ(SetEnvironmentVariableA("ZV_CONTRACT_A", "d"), kTrue);
  auto strings = blockStrings();
  EXPECT_EQ(countOf(strings, "ZV_CONTRACT_A=d"), 1);
  EXPECT_EQ(countOf(strings, "ZV_CONTRACT_A=b=c"), 0);
}

TEST(EnvironmentContract, TooSmallABufferGetsTheSizeNeededAndIsLeftAlone) {
  Scoped scoped("ZV_CONTRACT_B");
  ASSERT_EQ(SetEnvironmentVariableA("ZV_CONTRACT_B", "0123456789"), kTrue);
  char buffer[10];
  std::memset(buffer, 0xbd, sizeof buffer);
  EXPECT_EQ(GetEnvironmentVariableA("ZV_CONTRACT_B", buffer, sizeof buffer), 11u);
  for (char c : buffer) EXPECT_EQ(static_cast<unsigned char>(c), 0xbd);
  EXPECT_EQ(GetEnvironmentVariableA("ZV_CONTRACT_B", nullptr, 0), 11u);
  char exact[11];
  EXPECT_EQ(GetEnvironmentVariableA("ZV_CONTRACT_B", exact, sizeof exact), 10u);
  EXPECT_STREQ(exact, "0123456789");
}

TEST(EnvironmentContract, EmptyValueIsKeptAndReadsAsLengthZero) {
  Scoped scoped("ZV_CONTRACT_E");
  ASSERT_EQ(SetEnvironmentVariableA("ZV_CONTRACT_E", ""), kTrue);
  EXPECT_EQ(countOf(blockStrings(), "ZV_CONTRACT_E="), 1);
  char buffer[4];
  std::memset(buffer, 0xbd, sizeof buffer);
  SetLastError(0xdeadbeef);
  EXPECT_EQ(GetEnvironmentVariableA("ZV_CONTRACT_E", buffer, sizeof buffer), 0u);
  EXPECT_EQ(GetLastError(), 0xdeadbeefu);
  EXPECT_EQ(buffer[0], 0);
  EXPECT_EQ(static_cast<unsigned char>(buffer[1]), 0xbd);
  EXPECT_EQ(GetEnvironmentVariableA("ZV_CONTRACT_E", nullptr, 0), 1u);
}

TEST(EnvironmentContract, MissingVariableAndDeletion) {
  char buffer[4];
  std::memset(buffer, 0xbd, sizeof buffer);
  SetLastError(0);
  EXPECT_EQ(GetEnvironmentVariableA("ZV_CONTRACT_MISSING", buffer, sizeof buffer), 0u);
  EXPECT_EQ(GetLastError(), kErrorEnvvarNotFound);
  EXPECT_EQ(static_cast<unsigned char>(buffer[0]), 0xbd);

  ASSERT_EQ(SetEnvironmentVariableA("ZV_CONTRACT_D", "x"), kTrue);
  EXPECT_EQ(SetEnvironmentVariableA("ZV_CONTRACT_D", nullptr), kTrue);
  EXPECT_EQ(GetEnvironmentVariableA("ZV_CONTRACT_D", buffer, sizeof buffer), 0u);
  EXPECT_EQ(GetLastError(), kErrorEnvvarNotFound);
  EXPECT_EQ(SetEnvironmentVariableA("ZV_CONTRACT_D", nullptr), kTrue);  // already gone
}

TEST(EnvironmentContract, InvalidNamesAreRefused) {
  for (const char* name : {"", "ZV=CONTRACT"}) {
    SetLastError(0xdeadbeef);
    EXPECT_EQ(SetEnvironmentVariableA(name, "x"), kFalse) << name;
    // Wine leaves the last error alone.
    DWORD error = GetLastError();
    EXPECT_TRUE(error == kErrorInvalidParameter || error == 0xdeadbeef) << error;
  }
  EXPECT_EQ(countOf(blockStrings(), "ZV=CONTRACT=x"), 0);
}

TEST(EnvironmentContract, PerDriveEntriesBeginWithEquals) {
  Scoped scoped("=Q:");
  ASSERT_EQ(SetEnvironmentVariableA("=Q:", "Q:\\work"), kTrue);
  EXPECT_EQ(countOf(blockStrings(), "=Q:=Q:\\work"), 1);
  char buffer[16];
  EXPECT_EQ(GetEnvironmentVariableA("=q:", buffer, sizeof buffer), 7u);
  EXPECT_STREQ(buffer, "Q:\\work");
}

}  // namespace

TEST(EnvironmentContract, WindowsDirectoryAtAndPastItsLength) {
  char full[kMaxPath];
  std::memset(full, 0xbd, sizeof full);
  UINT length = GetWindowsDirectoryA(full, sizeof full);
  ASSERT_GT(length, 2u);
  ASSERT_LT(length, kMaxPath);
  EXPECT_EQ(std::strlen(full), length);
  EXPECT_EQ(full[1], ':');
  EXPECT_NE(full[length - 1], '\\');  // not a drive root here
  // One byte short of the NUL: the size needed, and nothing written.
  std::vector<char> small(length, static_cast<char>(0xbd));
  EXPECT_EQ(GetWindowsDirectoryA(small.data(), length), length + 1);
  for (char c : small) EXPECT_EQ(static_cast<unsigned char>(c), 0xbd);
  EXPECT_EQ(GetWindowsDirectoryA(nullptr, 0), length + 1);
  std::vector<char> exact(length + 1);
  EXPECT_EQ(GetWindowsDirectoryA(exact.data(), length + 1), length);
  EXPECT_STREQ(exact.data(), full);
}
