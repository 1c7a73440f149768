// Conversions for a process whose ANSI code page is UTF-8.
#include "../code_page.h"

#include <string>

#include "core.h"

namespace platform {
namespace {

using sim::detail::fail;
using sim::detail::recordCall;

bool knownCodePage(UINT codePage) {
  return codePage == kCpAcp || codePage == kCpUtf8;
}

// Decodes one character from UTF-8 at text[i], moving i past it; U+FFFD for a bad sequence.
char32_t nextUtf8(const unsigned char* text, std::size_t size, std::size_t& i) {
  unsigned char lead = text[i++];
  if (lead < 0x80) return lead;
  int more = lead >= 0xF0 && lead <= 0xF4  ? 3
             : lead >= 0xE0                ? 2
             : lead >= 0xC2 && lead < 0xE0 ? 1
                                           : -1;
  if (more < 0) return 0xFFFD;
  char32_t c = lead & (0x3F >> more);
  for (int k = 0; k < more; ++k) {
    if (i >= size || (text[i] & 0xC0) != 0x80) return 0xFFFD;
    c = (c << 6) | (text[i++] & 0x3F);
  }
  bool overlong = (more == 2 && c < 0x800) || (more == 3 && c < 0x10000);
  if (overlong || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return 0xFFFD;
  return c;
}

// Copies what was made into the caller's buffer: its length, or 0 and an error.
template <typename Unit, typename Text>
int deliver(const Text& made, Unit* out, int outSize) {
  if (outSize == 0) return static_cast<int>(made.size());
  if (made.size() > static_cast<std::size_t>(outSize)) {
    for (int i = 0; i < outSize; ++i) out[i] = static_cast<Unit>(made[i]);
    return fail(kErrorInsufficientBuffer, 0);
  }
  for (std::size_t i = 0; i < made.size(); ++i) out[i] = static_cast<Unit>(made[i]);
  return static_cast<int>(made.size());
}

}  // namespace

int WideCharToMultiByte(UINT codePage, DWORD, const WCHAR* wide, int wideLength, char* out,
                        int outSize, const char*, BOOL* usedDefault) {
  if (DWORD fault = recordCall("WideCharToMultiByte", codePage, wideLength, outSize))
    return fail(fault, 0);
  if (!knownCodePage(codePage) || !wide || wideLength == 0 || wideLength < -1 || outSize < 0 ||
      (outSize > 0 && !out))
    return fail(kErrorInvalidParameter, 0);
  std::size_t length = 0;
  if (wideLength == -1) {
    while (wide[length]) ++length;
    ++length;  // the NUL goes along
  } else {
    length = static_cast<std::size_t>(wideLength);
  }
  std::string made;
  for (std::size_t i = 0; i < length; ++i) {
    char32_t c = wide[i];
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < length && wide[i + 1] >= 0xDC00 &&
        wide[i + 1] <= 0xDFFF) {
      c = 0x10000 + ((c - 0xD800) << 10) + (wide[++i] - 0xDC00);
    } else if (c >= 0xD800 && c <= 0xDFFF) {
      c = 0xFFFD;
    }
    if (c < 0x80) {
      made += static_cast<char>(c);
    } else if (c < 0x800) {
      made += static_cast<char>(0xC0 | (c >> 6));
      made += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
      made += static_cast<char>(0xE0 | (c >> 12));
      made += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      made += static_cast<char>(0x80 | (c & 0x3F));
    } else {
      made += static_cast<char>(0xF0 | (c >> 18));
      made += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
      made += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      made += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  if (usedDefault) *usedDefault = kFalse;
  return deliver(made, out, outSize);
}

int MultiByteToWideChar(UINT codePage, DWORD, const char* text, int length, WCHAR* out,
                        int outSize) {
  if (DWORD fault = recordCall("MultiByteToWideChar", codePage, length, outSize))
    return fail(fault, 0);
  if (!knownCodePage(codePage) || !text || length == 0 || length < -1 || outSize < 0 ||
      (outSize > 0 && !out))
    return fail(kErrorInvalidParameter, 0);
  std::size_t size =
      length == -1 ? std::char_traits<char>::length(text) + 1 : static_cast<std::size_t>(length);
  const auto* bytes = reinterpret_cast<const unsigned char*>(text);
  std::u16string made;
  for (std::size_t i = 0; i < size;) {
    char32_t c = nextUtf8(bytes, size, i);
    if (c >= 0x10000) {
      made += static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
      made += static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
    } else {
      made += static_cast<char16_t>(c);
    }
  }
  return deliver(made, out, outSize);
}

}  // namespace platform
