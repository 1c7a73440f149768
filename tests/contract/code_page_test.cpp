// Text between UTF-16 and a code page: sizes, cut buffers, bad input. UTF-8 is the same
// everywhere; the ANSI code page is checked with ASCII only (UTF-8 in the simulation, 1252 or the
// manifest's under Wine).
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "fixture.h"
#include "platform/code_page.h"

namespace {

using namespace platform;

const char16_t kWide[] = u"a\u00e9\u20ac\U0001F600";  // 1, 2, 3 and 4 bytes in UTF-8
const char kUtf8[] = "a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80";

TEST(CodePageContract, WideToUtf8SizesFitsAndCuts) {
  EXPECT_EQ(WideCharToMultiByte(kCpUtf8, 0, kWide, 5, nullptr, 0, nullptr, nullptr), 10);
  char out[16];
  std::memset(out, 0xbd, sizeof out);
  ASSERT_EQ(WideCharToMultiByte(kCpUtf8, 0, kWide, 5, out, 10, nullptr, nullptr), 10);
  EXPECT_EQ(std::string(out, 10), kUtf8);
  EXPECT_EQ(static_cast<unsigned char>(out[10]), 0xbd);
  // -1: the NUL goes along.
  EXPECT_EQ(WideCharToMultiByte(kCpUtf8, 0, kWide, -1, out, sizeof out, nullptr, nullptr), 11);
  EXPECT_EQ(out[10], '\0');

  std::memset(out, 0xbd, sizeof out);
  SetLastError(0);
  EXPECT_EQ(WideCharToMultiByte(kCpUtf8, 0, kWide, 5, out, 5, nullptr, nullptr), 0);
  EXPECT_EQ(GetLastError(), kErrorInsufficientBuffer);
  EXPECT_EQ(static_cast<unsigned char>(out[5]), 0xbd);  // nothing past the buffer

  for (UINT codePage : {kCpUtf8, 12345u}) {
    SetLastError(0);
    int length = codePage == kCpUtf8 ? 0 : 1;  // a length of 0, or a code page nobody has
    EXPECT_EQ(WideCharToMultiByte(codePage, 0, kWide, length, out, 4, nullptr, nullptr), 0);
    EXPECT_EQ(GetLastError(), kErrorInvalidParameter);
  }
}

TEST(CodePageContract, Utf8ToWideMarksBadBytes) {
  char16_t out[16];
  std::memset(out, 0xbd, sizeof out);
  ASSERT_EQ(MultiByteToWideChar(kCpUtf8, 0, kUtf8, 10, out, 16), 5);
  EXPECT_EQ(std::u16string(out, 5), std::u16string(kWide, 5));
  EXPECT_EQ(out[5], 0xbdbd);
  ASSERT_EQ(MultiByteToWideChar(kCpUtf8, 0,
                                "a\xFF"
                                "b",
                                3, out, 16),
            3);
  EXPECT_EQ(std::u16string(out, 3), u"a\uFFFDb");
  SetLastError(0);
  EXPECT_EQ(MultiByteToWideChar(kCpUtf8, 0, kUtf8, 10, out, 2), 0);
  EXPECT_EQ(GetLastError(), kErrorInsufficientBuffer);
}

TEST(CodePageContract, AsciiIsTheSameInTheAnsiCodePage) {
  char16_t wide[8];
  ASSERT_EQ(MultiByteToWideChar(kCpAcp, 0, "dir.sel", 7, wide, 8), 7);
  char back[8];
  ASSERT_EQ(WideCharToMultiByte(kCpAcp, 0, wide, 7, back, 8, nullptr, nullptr), 7);
  EXPECT_EQ(std::string(back, 7), "dir.sel");
}

}  // namespace
