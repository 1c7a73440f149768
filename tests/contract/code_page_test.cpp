// The seam's code-page contract (platform/code_page.h): the process's code page and converting
// its texts to UTF-16 and back, never writing past the buffer.
#include "fixture.h"

using namespace platform;

namespace {

TEST(CodePageContract, TextsOfTheCodePageBecomeTheirUtf16) {
  ASSERT_EQ(GetACP(), kCodePageWestern);
  struct Case {
    UINT codePage;
    const char* text;
    int length, capacity, result;
    DWORD error;
    std::u16string written;  // the whole buffer afterwards, where it is not too small
  };
  const std::vector<Case> cases{
      {kCodePageAnsi, "caf\xe9\x80", -1, 16, 6, 0, std::u16string(u"caf\u00e9\u20ac", 6)},
      {kCodePageWestern, "caf\xe9", 4, 4, 4, 0, u"caf\u00e9"},  // no NUL asked for, none given
      {kCodePageAnsi, "abc", -1, 0, 4, 0, u""},                 // the size, nothing written
      {kCodePageUtf8, "\xf0\x9f\x99\x82\xff", 5, 16, 3, 0, u"\U0001F642\ufffd"},
      {kCodePageAnsi, "toolong", -1, 3, 0, kErrorInsufficientBuffer, u""},
      {kCodePageAnsi, "abc", 0, 16, 0, kErrorInvalidParameter, u""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.text) + " in " + std::to_string(c.codePage));
    std::u16string buffer(16, 0xbdbd);
    SetLastError(contract::kPrimeError);
    int result = MultiByteToWideChar(c.codePage, 0, c.text, c.length, buffer.data(), c.capacity);
    EXPECT_EQ(result, c.result);
    EXPECT_EQ(result ? DWORD{0} : GetLastError(), c.error);
    std::size_t touched =
        c.error == kErrorInsufficientBuffer ? std::size_t(c.capacity) : c.written.size();
    EXPECT_TRUE(buffer.substr(touched) == std::u16string(16 - touched, 0xbdbd));
    EXPECT_TRUE(buffer.substr(0, c.written.size()) == c.written);
  }
}

TEST(CodePageContract, Utf16BecomesTheCodePagesBytes) {
  struct Case {
    UINT codePage;
    std::u16string text;
    int capacity, result;
    DWORD error;
    std::string written;
    BOOL defaulted;
  };
  const std::vector<Case> cases{
      {kCodePageAnsi, u"caf\u00e9\u20ac", 5, 5, 0, "caf\xe9\x80", kFalse},
      {kCodePageAnsi, u"a\u4e2d", 8, 2, 0, "a?", kTrue},  // nothing like it in 1252
      {kCodePageAnsi, u"abc", 0, 3, 0, "", kFalse},       // the size, nothing written
      {kCodePageUtf8, u"a\U0001F642\xD800", 16, 8, 0, "a\xf0\x9f\x99\x82\xef\xbf\xbd", 2},
      {kCodePageAnsi, u"toolong", 3, 0, kErrorInsufficientBuffer, "", 2},
      {kCodePageAnsi, u"", 8, 0, kErrorInvalidParameter, "", 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.codePage) + " case " + std::to_string(&c - cases.data()));
    std::string buffer(16, '\xbd');
    BOOL defaulted = 2;
    SetLastError(contract::kPrimeError);
    int result = WideCharToMultiByte(c.codePage, 0, c.text.data(), static_cast<int>(c.text.size()),
                                     buffer.data(), c.capacity, nullptr,
                                     c.codePage == kCodePageUtf8 ? nullptr : &defaulted);
    EXPECT_EQ(result, c.result);
    EXPECT_EQ(result ? DWORD{0} : GetLastError(), c.error);
    // What fits may be written when the buffer is too small; nothing past it, ever.
    std::size_t touched =
        c.error == kErrorInsufficientBuffer ? std::size_t(c.capacity) : c.written.size();
    EXPECT_EQ(buffer.substr(touched), std::string(16 - touched, '\xbd'));
    EXPECT_EQ(buffer.substr(0, c.written.size()), c.written);
    EXPECT_TRUE(!result || defaulted == c.defaulted);
  }
}

}  // namespace
