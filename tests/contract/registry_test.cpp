// Reading the registry and the version (platform/registry.h, version.h), on values the test
// writes under its own key of the current user.
#include "fixture.h"

#include <algorithm>

namespace {

using namespace platform;

class RegistryContract : public ::testing::Test {
 protected:
  void SetUp() override {
    contract::clearTestKey();
    contract::setTestValue("", "", std::string("default\0", 8));
    contract::setTestValue("Sub\\Deeper", "Mixed", std::string("x\0", 2));
    contract::setTestValue("", "v255", std::string(254, 'b') + std::string(1, '\0'));
    contract::setTestValue("", "v256", std::string(255, 'c') + std::string(1, '\0'));
    contract::setTestValue("", "binary", std::string("\x01\x00\x02", 3), kRegBinary);
    ASSERT_EQ(RegOpenKeyExA(kHkeyCurrentUser, contract::kTestKey, 0, kKeyRead, &key),
              kErrorSuccess);
  }
  void TearDown() override {
    EXPECT_EQ(RegCloseKey(key), kErrorSuccess);
    contract::clearTestKey();
  }
  // The value's result, type and size, and what was written into a primed buffer of `size`.
  std::string query(const char* name, DWORD size) {
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
  HKEY key = nullptr;
};

TEST_F(RegistryContract, ValuesAreCopiedWithTheirZeroWhenTheyFitAndNamesIgnoreCase) {
  SetLastError(contract::kPrimeError);
  EXPECT_EQ(query("binary", 3), std::string("0 type 3 size 3: \x01\x00\x02", 20));
  EXPECT_EQ(GetLastError(), contract::kPrimeError);  // registry calls leave it alone
  EXPECT_EQ(query("", 16), std::string("0 type 1 size 8: default\0", 25));
  EXPECT_EQ(query(nullptr, 16), query("", 16));  // the default value by either name
  EXPECT_EQ(query("v255", 255), "0 type 1 size 255: " + std::string(254, 'b') + '\0');
  EXPECT_EQ(query("v256", 255), "234 type 1 size 256: ");  // kErrorMoreData, the size needed
  EXPECT_EQ(query("absent", 8), "2 size 8: ");             // kErrorFileNotFound

  // Keys and names compare without case; a missing key gives null.
  HKEY deeper = reinterpret_cast<HKEY>(0xdeadbeef);
  std::string path = std::string(contract::kTestKey) + "\\sub\\DEEPER";
  ASSERT_EQ(RegOpenKeyExA(kHkeyCurrentUser, path.c_str(), 0, kKeyRead, &deeper), kErrorSuccess);
  std::swap(key, deeper);
  EXPECT_EQ(query("mIXED", 8), std::string("0 type 1 size 2: x\0", 19));
  EXPECT_EQ(RegCloseKey(deeper), kErrorSuccess);
  path = std::string(contract::kTestKey) + "\\NoSuchKey";
  EXPECT_EQ(RegOpenKeyExA(kHkeyCurrentUser, path.c_str(), 0, kKeyRead, &deeper),
            static_cast<LONG>(kErrorFileNotFound));
  EXPECT_EQ(deeper, nullptr);
}

// The short form stops before the service pack numbers; other sizes are refused untouched.
TEST(VersionContract, BothSizesAndNoOther) {
  OSVERSIONINFOEXA info;
  for (DWORD size : {DWORD{sizeof(OSVERSIONINFOA)}, DWORD{sizeof info}, DWORD{100}}) {
    SCOPED_TRACE(size);
    std::memset(&info, contract::kPrime, sizeof info);
    info.dwOSVersionInfoSize = size;
    SetLastError(contract::kPrimeError);
    BOOL got = GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&info));
    EXPECT_EQ(got, size == 100 ? kFalse : kTrue);
    EXPECT_EQ(info.dwOSVersionInfoSize, size);
    EXPECT_TRUE(got || GetLastError() == kErrorInsufficientBuffer);
    EXPECT_EQ(info.dwPlatformId == kVerPlatformWin32Nt, got != kFalse);
    EXPECT_EQ(contract::primed(&info.wServicePackMajor, 8), size != sizeof info);
  }
}

}  // namespace
