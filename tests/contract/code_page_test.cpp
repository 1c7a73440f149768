// The seam's code-page contract (platform/code_page.h): the process's code page, converting its
// texts to UTF-16, and console text refused by what is not a console.
#include "fixture.h"

using namespace platform;

namespace {

constexpr WCHAR kPrimeUnit = 0xbdbd;

struct Converted {
  int result;
  DWORD error;
  std::u16string units;  // the whole buffer afterwards
};

Converted convert(UINT codePage, const char* text, int length, int capacity) {
  std::u16string buffer(16, kPrimeUnit);
  SetLastError(contract::kPrimeError);
  int result = MultiByteToWideChar(codePage, 0, text, length, buffer.data(), capacity);
  return {result, result ? DWORD{0} : GetLastError(), buffer};
}

std::u16string primedAfter(std::u16string written) {
  return written + std::u16string(16 - written.size(), kPrimeUnit);
}

}  // namespace

TEST(CodePageContract, TextsOfTheCodePageBecomeTheirUtf16) {
  ASSERT_EQ(GetACP(), kCodePageWestern);
  struct Case {
    UINT codePage;
    const char* text;
    int length;
    int capacity;
    int result;
    DWORD error;
    std::u16string written;
  };
  const std::vector<Case> cases{
      // Windows-1252: every byte a letter, 0x80 the euro sign.
      {kCodePageAnsi, "caf\xe9\x80", -1, 16, 6, 0, std::u16string(u"caf\u00e9\u20ac", 6)},
      {kCodePageWestern, "caf\xe9", 4, 16, 4, 0, u"caf\u00e9"},  // no NUL asked for, none given
      {kCodePageAnsi, "abc", -1, 0, 4, 0, u""},                  // the size, nothing written
      // UTF-8: an emoji is a surrogate pair; a stray byte is U+FFFD.
      {kCodePageUtf8, "\xf0\x9f\x99\x82\xce\xb1", 6, 16, 3, 0, u"\U0001F642\u03b1"},
      {kCodePageUtf8, "a\xffz", 3, 16, 3, 0, u"a\ufffdz"},
      // Failures.
      {kCodePageAnsi, "toolong", -1, 3, 0, kErrorInsufficientBuffer, u"\xbdbd\xbdbd\xbdbd"},
      {kCodePageAnsi, "abc", 0, 16, 0, kErrorInvalidParameter, u""},
      {kCodePageAnsi, nullptr, -1, 16, 0, kErrorInvalidParameter, u""},
  };
  for (const Case& c : cases) {
    Converted got = convert(c.codePage, c.text, c.length, c.capacity);
    std::string what =
        std::string(c.text ? c.text : "(null)") + " in " + std::to_string(c.codePage);
    EXPECT_EQ(got.result, c.result) << what;
    EXPECT_EQ(got.error, c.error) << what;
    if (c.error != kErrorInsufficientBuffer)  // what fits may be written
      EXPECT_TRUE(got.units == primedAfter(c.written)) << what;
  }
}

TEST(CodePageContract, WriteConsoleRefusesWhatIsNotAConsole) {
  HANDLE out = GetStdHandle(kStdOutputHandle);
  DWORD mode = 0;
  if (GetConsoleMode(out, &mode)) GTEST_SKIP() << "standard output is a console here";
  DWORD written = 0xdeadbeef;
  SetLastError(contract::kPrimeError);
  EXPECT_FALSE(WriteConsoleW(out, u"x", 1, &written, nullptr));
  EXPECT_EQ(GetLastError(), kErrorInvalidHandle);
  EXPECT_EQ(written, 0u);
}

TEST(CodePageContract, Utf16BecomesTheCodePagesBytes) {
  ASSERT_EQ(GetACP(), kCodePageWestern);
  struct Case {
    UINT codePage;
    std::u16string text;
    int capacity;
    int result;
    DWORD error;
    std::string written;
    BOOL defaulted;
  };
  const std::vector<Case> cases{
      {kCodePageAnsi, u"caf\u00e9\u20ac", 8, 5, 0, "caf\xe9\x80", kFalse},
      {kCodePageAnsi, u"a\u4e2d", 8, 2, 0, "a?", kTrue},  // nothing like it in 1252
      {kCodePageAnsi, u"abc", 0, 3, 0, "", kFalse},       // the size, nothing written
      {kCodePageUtf8, u"a\U0001F642\xD800", 16, 8, 0, "a\xf0\x9f\x99\x82\xef\xbf\xbd", 2},
      {kCodePageAnsi, u"toolong", 3, 0, kErrorInsufficientBuffer, "", 2},
      {kCodePageAnsi, u"", 8, 0, kErrorInvalidParameter, "", 2},
  };
  for (const Case& c : cases) {
    std::string buffer(16, '\xbd');
    BOOL defaulted = 2;
    SetLastError(contract::kPrimeError);
    int result = WideCharToMultiByte(c.codePage, 0, c.text.data(), static_cast<int>(c.text.size()),
                                     buffer.data(), c.capacity, nullptr,
                                     c.codePage == kCodePageUtf8 ? nullptr : &defaulted);
    std::string what = std::to_string(c.codePage) + " case " + std::to_string(&c - cases.data());
    EXPECT_EQ(result, c.result) << what;
    EXPECT_EQ(result ? DWORD{0} : GetLastError(), c.error) << what;
    // What fits may be written when the buffer is too small; nothing past it, ever.
    std::size_t touched = c.error == kErrorInsufficientBuffer ? static_cast<std::size_t>(c.capacity)
                                                              : c.written.size();
    EXPECT_EQ(buffer.substr(touched), std::string(16 - touched, '\xbd')) << what;
    if (c.capacity >= c.result) EXPECT_EQ(buffer.substr(0, c.written.size()), c.written) << what;
    if (result) EXPECT_EQ(defaulted, c.defaulted) << what;
  }
}
