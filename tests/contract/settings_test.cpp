// The system's settings: the registry and the version (platform/registry.h, version.h), on values
// the test writes under its own key of the current user, and the environment (environment.h):
// variables, the whole block and the Windows folder.
#include "fixture.h"

#include <algorithm>

namespace {

using namespace platform;

// A value's result, type and size, and what was written into a primed buffer of `size`.
std::string query(HKEY key, const char* name, DWORD size) {
  unsigned char data[300];
  std::memset(data, contract::kPrime, sizeof data);
  DWORD type = 0xdeadbeef;
  LONG result = RegQueryValueExA(key, name, nullptr, &type, data, &size);
  std::size_t written = std::find(data, data + sizeof data, contract::kPrime) - data;
  // What a missing value's type becomes differs (Wine: 0).
  std::string typeText = result == kErrorFileNotFound ? "" : " type " + std::to_string(type);
  return std::to_string(result) + typeText + " size " + std::to_string(size) + ": " +
         std::string(reinterpret_cast<char*>(data), written);
}

TEST(RegistryContract, ValuesAreCopiedWithTheirZeroWhenTheyFitAndNamesIgnoreCase) {
  contract::clearTestKey();
  contract::setTestValue("", "", std::string("default\0", 8));
  contract::setTestValue("Sub\\Deeper", "Mixed", std::string("x\0", 2));
  contract::setTestValue("", "v255", std::string(254, 'b') + std::string(1, '\0'));
  contract::setTestValue("", "v256", std::string(255, 'c') + std::string(1, '\0'));
  contract::setTestValue("", "binary", std::string("\x01\x00\x02", 3), kRegBinary);
  HKEY key = nullptr, deeper = reinterpret_cast<HKEY>(0xdeadbeef);
  ASSERT_EQ(RegOpenKeyExA(kHkeyCurrentUser, contract::kTestKey, 0, kKeyRead, &key), kErrorSuccess);
  SetLastError(contract::kPrimeError);
  EXPECT_EQ(query(key, "binary", 3), std::string("0 type 3 size 3: \x01\x00\x02", 20));
  EXPECT_EQ(GetLastError(), contract::kPrimeError);  // registry calls leave it alone
  EXPECT_EQ(query(key, "", 16), std::string("0 type 1 size 8: default\0", 25));
  EXPECT_EQ(query(key, nullptr, 16), query(key, "", 16));  // the default value by either name
  EXPECT_EQ(query(key, "v255", 255), "0 type 1 size 255: " + std::string(254, 'b') + '\0');
  EXPECT_EQ(query(key, "v256", 255), "234 type 1 size 256: ");  // kErrorMoreData, the size needed
  EXPECT_EQ(query(key, "absent", 8), "2 size 8: ");             // kErrorFileNotFound
  EXPECT_EQ(RegCloseKey(key), kErrorSuccess);

  // Keys and names compare without case; a missing key gives null.
  std::string path = std::string(contract::kTestKey) + "\\sub\\DEEPER";
  ASSERT_EQ(RegOpenKeyExA(kHkeyCurrentUser, path.c_str(), 0, kKeyRead, &deeper), kErrorSuccess);
  EXPECT_EQ(query(deeper, "mIXED", 8), std::string("0 type 1 size 2: x\0", 19));
  EXPECT_EQ(RegCloseKey(deeper), kErrorSuccess);
  path = std::string(contract::kTestKey) + "\\NoSuchKey";
  EXPECT_EQ(RegOpenKeyExA(kHkeyCurrentUser, path.c_str(), 0, kKeyRead, &deeper),
            static_cast<LONG>(kErrorFileNotFound));
  EXPECT_EQ(deeper, nullptr);
  contract::clearTestKey();
}

// Both forms the library asks for; the short one stops before the service pack numbers.
TEST(VersionContract, BothSizes) {
  OSVERSIONINFOEXA info;
  for (DWORD size : {DWORD{sizeof(OSVERSIONINFOA)}, DWORD{sizeof info}}) {
    std::memset(&info, contract::kPrime, sizeof info);
    info.dwOSVersionInfoSize = size;
    EXPECT_EQ(GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&info)), kTrue);
    EXPECT_EQ(info.dwOSVersionInfoSize, size);
    EXPECT_EQ(info.dwPlatformId, kVerPlatformWin32Nt);
    EXPECT_EQ(contract::primed(&info.wServicePackMajor, 8), size != sizeof info) << size;
  }
}

// How often `entry` is in the whole block; checks each string holds a '=' after its first
// character.
long countOf(const std::string& entry) {
  long count = 0;
  char* block = GetEnvironmentStrings();
  for (const char* at = block; at && *at; at += std::strlen(at) + 1) {
    count += entry == at;
    EXPECT_NE(std::strchr(at + 1, '='), nullptr) << at;
  }
  EXPECT_EQ(FreeEnvironmentStringsA(block), kTrue);
  return count;
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
  ASSERT_LT(length, kMaxPath);
  ASSERT_GT(length, 2u);
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
