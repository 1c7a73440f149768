// The environment (platform/environment.h): variables, the whole block and the Windows folder.
#include "fixture.h"

#include <algorithm>

namespace {

using namespace platform;

// The block's strings; checks each holds a '=' after its first character.
std::vector<std::string> blockStrings() {
  std::vector<std::string> strings;
  char* block = GetEnvironmentStrings();
  if (!block) return strings;
  for (const char* at = block; *at; at += std::strlen(at) + 1) {
    strings.emplace_back(at);
    EXPECT_NE(std::strchr(at + 1, '='), nullptr) << at;
  }
  EXPECT_EQ(FreeEnvironmentStringsA(block), kTrue);
  return strings;
}

long countOf(const std::string& entry) {
  auto strings = blockStrings();
  return std::count(strings.begin(), strings.end(), entry);
}

// The value by GetEnvironmentVariableA into `size` primed bytes: the result, and the bytes up to
// the first one left primed.
std::pair<DWORD, std::string> get(const char* name, DWORD size) {
  char buffer[32];
  std::memset(buffer, contract::kPrime, sizeof buffer);
  DWORD n = GetEnvironmentVariableA(name, size ? buffer : nullptr, size);
  return {n, std::string(buffer, std::find(buffer, buffer + sizeof buffer, '\xbd'))};
}

TEST(EnvironmentContract, VariablesAreSetReplacedAndReadWithinTheBuffer) {
  ASSERT_EQ(SetEnvironmentVariableA("ZV_CONTRACT", "0123=5678"), kTrue);
  using Got = std::pair<DWORD, std::string>;
  EXPECT_EQ(get("zv_contract", 11), (Got{9, std::string("0123=5678\0", 10)}));
  EXPECT_EQ(get("ZV_CONTRACT", 10), (Got{9, std::string("0123=5678\0", 10)}));  // exactly
  EXPECT_EQ(get("ZV_CONTRACT", 9), (Got{10, ""}));  // the size needed, nothing written
  EXPECT_EQ(get("ZV_CONTRACT", 0), (Got{10, ""}));
  EXPECT_EQ(countOf("ZV_CONTRACT=0123=5678"), 1);

  ASSERT_EQ(SetEnvironmentVariableA("ZV_CONTRACT", ""), kTrue);  // replaces, empty is kept
  EXPECT_EQ(countOf("ZV_CONTRACT=0123=5678"), 0);
  EXPECT_EQ(countOf("ZV_CONTRACT="), 1);
  SetLastError(contract::kPrimeError);
  EXPECT_EQ(get("ZV_CONTRACT", 4), (Got{0, std::string(1, '\0')}));
  EXPECT_EQ(GetLastError(), contract::kPrimeError);
  EXPECT_EQ(get("ZV_CONTRACT", 0), (Got{1, ""}));

  EXPECT_EQ(SetEnvironmentVariableA("ZV_CONTRACT", nullptr), kTrue);
  EXPECT_EQ(SetEnvironmentVariableA("ZV_CONTRACT", nullptr), kTrue);  // already gone
  EXPECT_FAILS(get("ZV_CONTRACT", 4), (Got{0, ""}), kErrorEnvvarNotFound);

  ASSERT_EQ(SetEnvironmentVariableA("=Q:", "Q:\\work"), kTrue);  // per-drive entries
  EXPECT_EQ(countOf("=Q:=Q:\\work"), 1);
  EXPECT_EQ(get("=q:", 8), (Got{7, std::string("Q:\\work\0", 8)}));
  SetEnvironmentVariableA("=Q:", nullptr);
  EXPECT_EQ(SetEnvironmentVariableA("ZV=CONTRACT", "x"), kFalse);  // a name with '=' in it
  EXPECT_EQ(countOf("ZV=CONTRACT=x"), 0);
}

TEST(EnvironmentContract, WindowsDirectoryAtAndPastItsLength) {
  char full[kMaxPath];
  UINT length = GetWindowsDirectoryA(full, sizeof full);
  ASSERT_GT(length, 2u);
  ASSERT_LT(length, kMaxPath);
  EXPECT_EQ(std::strlen(full), length);
  EXPECT_EQ(full[1], ':');
  EXPECT_NE(full[length - 1], '\\');  // not a drive root here
  std::vector<char> buffer(length + 1, static_cast<char>(contract::kPrime));
  EXPECT_EQ(GetWindowsDirectoryA(buffer.data(), length), length + 1);  // one short
  EXPECT_TRUE(contract::primed(buffer.data(), buffer.size()));
  EXPECT_EQ(GetWindowsDirectoryA(nullptr, 0), length + 1);
  EXPECT_EQ(GetWindowsDirectoryA(buffer.data(), length + 1), length);
  EXPECT_STREQ(buffer.data(), full);
}

}  // namespace
