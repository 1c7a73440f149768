// The seam's code-page contract (platform/code_page.h), which the reference host relies on: texts
// of the process's code page to UTF-16 and back, never written past the buffer.
#include "fixture.h"

using namespace platform;

namespace {

TEST(CodePageContract, TextsConvertBothWaysWithinTheBuffer) {
  ASSERT_EQ(GetACP(), kCodePageWestern);
  struct Case {
    UINT codePage;
    std::string text;
    std::u16string wide;
    int capacity;    // for the result, which fits exactly where it is 0 or large enough
    BOOL defaulted;  // 2: not asked (UTF-8)
    bool back;       // the text converts back to the same UTF-16
  };
  const std::vector<Case> cases{
      {kCodePageAnsi, "caf\xe9\x80", u"caf\u00e9\u20ac", 5, kFalse, true},  // 0x80 is the euro sign
      {kCodePageWestern, "a?", u"a\u4e2d", 2, kTrue, false},  // nothing like it in 1252: '?'
      {kCodePageUtf8, "\xf0\x9f\x99\x82\xef\xbf\xbd", u"\U0001F642\ufffd", 7, 2, true},
      {kCodePageUtf8, "a\xef\xbf\xbd", u"a\xD800", 4, 2, false},  // a lone surrogate becomes U+FFFD
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.codePage) + " " + c.text);
    const int bytes = static_cast<int>(c.text.size()), units = static_cast<int>(c.wide.size());
    std::string narrow(16, '\xbd');
    BOOL defaulted = 2, *usedDefault = c.codePage == kCodePageUtf8 ? nullptr : &defaulted;
    EXPECT_EQ(
        WideCharToMultiByte(c.codePage, 0, c.wide.data(), units, nullptr, 0, nullptr, usedDefault),
        bytes);
    EXPECT_EQ(WideCharToMultiByte(c.codePage, 0, c.wide.data(), units, narrow.data(), c.capacity,
                                  nullptr, usedDefault),
              bytes);
    EXPECT_EQ(narrow, c.text + std::string(16 - bytes, '\xbd'));
    EXPECT_EQ(defaulted, c.defaulted);
    if (!c.back) continue;
    std::u16string back(16, 0xbdbd);
    EXPECT_EQ(MultiByteToWideChar(c.codePage, 0, c.text.c_str(), bytes, back.data(), units), units);
    EXPECT_TRUE(back == c.wide + std::u16string(16 - units, 0xbdbd));
  }
  // Too small a buffer: what fits may be written, nothing past it.
  char narrow[8];
  std::memset(narrow, contract::kPrime, sizeof narrow);
  EXPECT_FAILS(WideCharToMultiByte(kCodePageAnsi, 0, u"toolong", 7, narrow, 3, nullptr, nullptr), 0,
               kErrorInsufficientBuffer);
  EXPECT_TRUE(contract::primed(narrow + 3, 5));
  char16_t wide[8];
  std::memset(wide, contract::kPrime, sizeof wide);
  EXPECT_FAILS(MultiByteToWideChar(kCodePageAnsi, 0, "toolong", -1, wide, 3), 0,
               kErrorInsufficientBuffer);
  EXPECT_TRUE(contract::primed(wide + 3, 10));
  EXPECT_EQ(MultiByteToWideChar(kCodePageAnsi, 0, "abc", -1, nullptr, 0), 4);  // the NUL too
  EXPECT_EQ(MultiByteToWideChar(kCodePageUtf8, 0, "a\xffz", 3, wide, 8), 3);
  EXPECT_TRUE(std::u16string(wide, 3) == u"a\ufffdz");  // a stray byte is U+FFFD
  EXPECT_FAILS(MultiByteToWideChar(kCodePageAnsi, 0, "abc", 0, wide, 8), 0, kErrorInvalidParameter);
  EXPECT_FAILS(WideCharToMultiByte(kCodePageAnsi, 0, u"", 0, narrow, 8, nullptr, nullptr), 0,
               kErrorInvalidParameter);
}

}  // namespace
