// Reading the registry and the version: the same cases natively against the simulation and
// under Wine, on values the test writes under its own key of the current user.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "desktop_fixture.h"
#include "fixture.h"
#include "platform/registry.h"
#include "platform/version.h"

namespace {

using namespace platform;

class RegistryContract : public ::testing::Test {
 protected:
  void SetUp() override {
    contract::clearTestKey();
    contract::setTestValue("", "text", std::string("value\0", 6));
    contract::setTestValue("", "", std::string("default\0", 8));
    contract::setTestValue("Sub\\Deeper", "Mixed", std::string("x\0", 2));
    contract::setTestValue("", "v254", std::string(253, 'a') + std::string(1, '\0'));
    contract::setTestValue("", "v255", std::string(254, 'b') + std::string(1, '\0'));
    contract::setTestValue("", "v256", std::string(255, 'c') + std::string(1, '\0'));
    contract::setTestValue("", "binary", std::string("\x01\x00\x02", 3), kRegBinary);
  }
  void TearDown() override {
    if (key) {
      EXPECT_EQ(RegCloseKey(key), kErrorSuccess);
    }
    contract::clearTestKey();
  }
  // Opens the test key (or a key below it) for reading.
  LONG open(const std::string& subkey = "") {
    std::string path = std::string(contract::kTestKey) + (subkey.empty() ? "" : "\\" + subkey);
    if (key) RegCloseKey(key);
    key = nullptr;
    return RegOpenKeyExA(kHkeyCurrentUser, path.c_str(), 0, kKeyRead, &key);
  }
  HKEY key = nullptr;
};

TEST_F(RegistryContract, AMissingKeyIsFileNotFoundAndNullsTheResult) {
  HKEY result = reinterpret_cast<HKEY>(0xdeadbeef);
  EXPECT_EQ(
      RegOpenKeyExA(kHkeyCurrentUser, "Software\\ZorvelContract\\NoSuchKey", 0, kKeyRead, &result),
      static_cast<LONG>(kErrorFileNotFound));
  EXPECT_EQ(result, nullptr);
}

TEST_F(RegistryContract, KeyAndValueNamesCompareWithoutCase) {
  ASSERT_EQ(open("sub\\DEEPER"), kErrorSuccess);
  unsigned char data[8];
  DWORD size = sizeof data;
  EXPECT_EQ(RegQueryValueExA(key, "mIXED", nullptr, nullptr, data, &size), kErrorSuccess);
  EXPECT_EQ(size, 2u);
}

TEST_F(RegistryContract, AValueThatFitsIsCopiedWithItsZeroAndNothingMore) {
  ASSERT_EQ(open(), kErrorSuccess);
  unsigned char data[16];
  std::memset(data, contract::kPrime, sizeof data);
  DWORD size = sizeof data;
  DWORD type = 0xdeadbeef;
  SetLastError(contract::kPrimeError);
  EXPECT_EQ(RegQueryValueExA(key, "text", nullptr, &type, data, &size), kErrorSuccess);
  EXPECT_EQ(GetLastError(), contract::kPrimeError);  // registry calls leave it alone
  EXPECT_EQ(type, kRegSz);
  EXPECT_EQ(size, 6u);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(data), 6), std::string("value\0", 6));
  EXPECT_TRUE(contract::primed(data + 6, sizeof data - 6));

  size = 3;
  EXPECT_EQ(RegQueryValueExA(key, "binary", nullptr, &type, data, &size), kErrorSuccess);
  EXPECT_EQ(type, kRegBinary);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(data), 3), std::string("\x01\x00\x02", 3));
}

TEST_F(RegistryContract, TheDefaultValueByAnEmptyOrNullName) {
  ASSERT_EQ(open(), kErrorSuccess);
  char data[16];
  DWORD size = sizeof data;
  EXPECT_EQ(
      RegQueryValueExA(key, "", nullptr, nullptr, reinterpret_cast<unsigned char*>(data), &size),
      kErrorSuccess);
  EXPECT_STREQ(data, "default");
  size = sizeof data;
  std::memset(data, 0, sizeof data);
  EXPECT_EQ(RegQueryValueExA(key, nullptr, nullptr, nullptr, reinterpret_cast<unsigned char*>(data),
                             &size),
            kErrorSuccess);
  EXPECT_STREQ(data, "default");
}

TEST_F(RegistryContract, ValuesAtAndPastA255ByteBuffer) {
  ASSERT_EQ(open(), kErrorSuccess);
  unsigned char data[255];
  DWORD size = sizeof data;
  EXPECT_EQ(RegQueryValueExA(key, "v254", nullptr, nullptr, data, &size), kErrorSuccess);
  EXPECT_EQ(size, 254u);
  size = sizeof data;
  EXPECT_EQ(RegQueryValueExA(key, "v255", nullptr, nullptr, data, &size), kErrorSuccess);
  EXPECT_EQ(size, 255u);
  EXPECT_EQ(data[253], 'b');
  EXPECT_EQ(data[254], 0);
  size = sizeof data;
  EXPECT_EQ(RegQueryValueExA(key, "v256", nullptr, nullptr, data, &size),
            static_cast<LONG>(kErrorMoreData));
  EXPECT_EQ(size, 256u);
}

TEST_F(RegistryContract, TheSizeAloneAndMissingValues) {
  ASSERT_EQ(open(), kErrorSuccess);
  DWORD size = 0;
  EXPECT_EQ(RegQueryValueExA(key, "v255", nullptr, nullptr, nullptr, &size), kErrorSuccess);
  EXPECT_EQ(size, 255u);

  unsigned char data[8];
  std::memset(data, contract::kPrime, sizeof data);
  size = sizeof data;
  EXPECT_EQ(RegQueryValueExA(key, "absent", nullptr, nullptr, data, &size),
            static_cast<LONG>(kErrorFileNotFound));
  EXPECT_EQ(size, sizeof data);
  EXPECT_TRUE(contract::primed(data, sizeof data));
}

TEST(VersionContract, BothSizesAndNoOther) {
  OSVERSIONINFOEXA extended;
  std::memset(&extended, contract::kPrime, sizeof extended);
  extended.dwOSVersionInfoSize = sizeof(OSVERSIONINFOA);
  ASSERT_EQ(GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&extended)), kTrue);
  EXPECT_EQ(extended.dwOSVersionInfoSize, sizeof(OSVERSIONINFOA));
  EXPECT_EQ(extended.dwPlatformId, kVerPlatformWin32Nt);
  EXPECT_NE(std::memchr(extended.szCSDVersion, 0, sizeof extended.szCSDVersion), nullptr);
  EXPECT_TRUE(contract::primed(&extended.wServicePackMajor, 8));  // the short form stops at 148
  const DWORD major = extended.dwMajorVersion, minor = extended.dwMinorVersion;

  extended.dwOSVersionInfoSize = sizeof extended;
  ASSERT_EQ(GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&extended)), kTrue);
  EXPECT_EQ(extended.dwMajorVersion, major);
  EXPECT_EQ(extended.dwMinorVersion, minor);
  EXPECT_TRUE(extended.wProductType == kVerNtWorkstation || extended.wProductType == kVerNtServer ||
              extended.wProductType == kVerNtDomainController);

  std::memset(&extended, contract::kPrime, sizeof extended);
  extended.dwOSVersionInfoSize = 100;
  EXPECT_FAILS(GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&extended)), kFalse,
               kErrorInsufficientBuffer);
  EXPECT_EQ(extended.dwOSVersionInfoSize, 100u);
  EXPECT_TRUE(contract::primed(&extended.dwMajorVersion, sizeof extended - 4));
}

}  // namespace
