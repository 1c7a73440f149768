// The simulated process's ANSI code page (Windows-1252 or UTF-8), the conversions the file
// system makes with it, and console text.
#include "../code_page.h"

#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "core.h"

namespace platform {
namespace {

using sim::detail::fail;
using sim::detail::recordCall;

constexpr char32_t kReplacement = 0xFFFD;

struct CodePages {
  UINT ansi = kCodePageWestern;
  UINT consoleInput = 437;  // the OEM code page a new console starts with
  UINT consoleOutput = 437;
};
sim::detail::AreaState<CodePages> pages;

// Windows-1252's bytes 0x80 to 0x9F; the five it leaves undefined map to the C1 controls.
constexpr char16_t kWestern80[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

void appendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

// The characters of UTF-8 text; a byte that starts no well-formed sequence (overlong forms and
// surrogates included) is one U+FFFD.
std::u32string decodeUtf8(std::string_view text) {
  std::u32string out;
  for (std::size_t i = 0; i < text.size();) {
    auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    unsigned char b = byte(i);
    std::size_t length = b < 0x80                ? 1
                         : b >= 0xC2 && b < 0xE0 ? 2
                         : b >= 0xE0 && b < 0xF0 ? 3
                         : b >= 0xF0 && b < 0xF5 ? 4
                                                 : 0;
    char32_t c = length == 1 ? b : length == 2 ? b & 0x1F : length == 3 ? b & 0x0F : b & 0x07;
    bool good = length > 0 && i + length <= text.size();
    for (std::size_t k = 1; good && k < length; ++k) {
      good = (byte(i + k) & 0xC0) == 0x80;
      c = (c << 6) | (byte(i + k) & 0x3F);
    }
    if (good && ((length == 3 && (c < 0x800 || (c >= 0xD800 && c < 0xE000))) ||
                 (length == 4 && (c < 0x10000 || c > 0x10FFFF))))
      good = false;
    out += good ? c : kReplacement;
    i += good ? length : 1;
  }
  return out;
}

std::u32string decodeAnsi(std::string_view text) {
  if (pages->ansi == kCodePageUtf8) return decodeUtf8(text);
  std::u32string out;
  for (char ch : text) {
    auto b = static_cast<unsigned char>(ch);
    out += b >= 0x80 && b < 0xA0 ? kWestern80[b - 0x80] : char32_t{b};
  }
  return out;
}

// The Windows-1252 byte of a character, or -1 when the code page has none.
int westernByte(char32_t c) {
  if (c < 0x80 || (c >= 0xA0 && c < 0x100)) return static_cast<int>(c);
  for (int i = 0; i < 32; ++i)
    if (kWestern80[i] == c) return 0x80 + i;
  return -1;
}

}  // namespace

namespace sim {

void setCodePage(UINT codePage) {
  if (codePage != kCodePageWestern && codePage != kCodePageUtf8)
    detail::fatal("the simulation has code pages 1252 and 65001 only");
  pages->ansi = codePage;
}

std::string fromCodePage(const std::string& ansi) {
  return detail::unicodeOf(ansi);
}

std::string detail::unicodeOf(std::string_view ansi) {
  if (pages->ansi == kCodePageUtf8) {  // well-formed text stays as it is
    std::string out;
    for (char32_t c : decodeUtf8(ansi)) appendUtf8(out, c);
    return out;
  }
  std::string out;
  for (char32_t c : decodeAnsi(ansi)) appendUtf8(out, c);
  return out;
}

bool detail::ansiOf(std::string_view unicode, std::string& out) {
  out.clear();
  bool exact = true;
  for (char32_t c : decodeUtf8(unicode)) {
    if (pages->ansi == kCodePageUtf8) {
      appendUtf8(out, c);
      continue;
    }
    int b = westernByte(c);
    exact = exact && b >= 0;
    out += b >= 0 ? static_cast<char>(b) : '?';
  }
  return exact;
}

std::size_t detail::utf16Length(std::string_view unicode) {
  std::size_t n = 0;
  for (char32_t c : decodeUtf8(unicode)) n += c >= 0x10000 ? 2 : 1;
  return n;
}

}  // namespace sim

UINT GetACP() {
  recordCall("GetACP");
  return pages->ansi;
}

int MultiByteToWideChar(UINT codePage, DWORD flags, const char* text, int length, WCHAR* out,
                        int capacity) {
  if (DWORD fault = recordCall("MultiByteToWideChar", codePage, flags, text, length))
    return fail(fault, 0);
  if (!text || length == 0 || length < -1 || capacity < 0 || flags != 0 || (capacity > 0 && !out))
    return fail(kErrorInvalidParameter, 0);
  UINT page = codePage == kCodePageAnsi ? pages->ansi : codePage;
  if (page != kCodePageWestern && page != kCodePageUtf8) return fail(kErrorInvalidParameter, 0);
  std::string_view bytes = length == -1 ? std::string_view(text, std::strlen(text) + 1)
                                        : std::string_view(text, static_cast<std::size_t>(length));
  UINT saved = pages->ansi;
  pages->ansi = page;
  std::u32string chars = decodeAnsi(bytes);
  pages->ansi = saved;
  std::u16string units;
  for (char32_t c : chars) {
    if (c >= 0x10000) {
      units += static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
      units += static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
    } else {
      units += static_cast<char16_t>(c);
    }
  }
  if (capacity == 0) return static_cast<int>(units.size());
  if (units.size() > static_cast<std::size_t>(capacity)) {
    std::copy_n(units.begin(), capacity, out);
    return fail(kErrorInsufficientBuffer, 0);
  }
  std::copy(units.begin(), units.end(), out);
  return static_cast<int>(units.size());
}

int WideCharToMultiByte(UINT codePage, DWORD flags, const WCHAR* wide, int length, char* out,
                        int capacity, const char* defaultChar, BOOL* usedDefault) {
  if (DWORD fault = recordCall("WideCharToMultiByte", codePage, flags, length))
    return fail(fault, 0);
  UINT page = codePage == kCodePageAnsi ? pages->ansi : codePage;
  if (!wide || length == 0 || length < -1 || capacity < 0 || flags != 0 || defaultChar ||
      (capacity > 0 && !out) || (page != kCodePageWestern && page != kCodePageUtf8) ||
      (page == kCodePageUtf8 && usedDefault))
    return fail(kErrorInvalidParameter, 0);
  std::size_t size = 0;
  if (length == -1) {
    while (wide[size]) ++size;
    ++size;  // the NUL goes along
  } else {
    size = static_cast<std::size_t>(length);
  }
  std::string bytes;
  bool defaulted = false;
  for (std::size_t i = 0; i < size; ++i) {
    char32_t c = wide[i];
    if (c >= 0xD800 && c < 0xDC00 && i + 1 < size && wide[i + 1] >= 0xDC00 &&
        wide[i + 1] < 0xE000) {
      c = 0x10000 + ((c - 0xD800) << 10) + (wide[++i] - 0xDC00);
    } else if (c >= 0xD800 && c < 0xE000) {
      c = kReplacement;
    }
    if (page == kCodePageUtf8) {
      appendUtf8(bytes, c);
      continue;
    }
    int b = westernByte(c);
    defaulted = defaulted || b < 0;
    bytes += b >= 0 ? static_cast<char>(b) : '?';
  }
  if (usedDefault) *usedDefault = defaulted ? kTrue : kFalse;
  if (capacity == 0) return static_cast<int>(bytes.size());
  if (bytes.size() > static_cast<std::size_t>(capacity)) {
    std::copy_n(bytes.begin(), capacity, out);
    return fail(kErrorInsufficientBuffer, 0);
  }
  std::copy(bytes.begin(), bytes.end(), out);
  return static_cast<int>(bytes.size());
}

UINT GetConsoleCP() {
  recordCall("GetConsoleCP");
  return pages->consoleInput;
}

UINT GetConsoleOutputCP() {
  recordCall("GetConsoleOutputCP");
  return pages->consoleOutput;
}

namespace {
BOOL setConsolePage(UINT& page, const char* operation, UINT codePage) {
  if (DWORD fault = recordCall(operation, codePage)) return fail(fault, kFalse);
  if (codePage != 437 && codePage != 850 && codePage != kCodePageWestern &&
      codePage != kCodePageUtf8)
    return fail(kErrorInvalidParameter, kFalse);
  page = codePage;
  return kTrue;
}
}  // namespace

BOOL SetConsoleCP(UINT codePage) {
  return setConsolePage(pages->consoleInput, "SetConsoleCP", codePage);
}

BOOL SetConsoleOutputCP(UINT codePage) {
  return setConsolePage(pages->consoleOutput, "SetConsoleOutputCP", codePage);
}

BOOL WriteConsoleW(HANDLE handle, const WCHAR* text, DWORD count, DWORD* written, void* reserved) {
  // The call record shows the text as UTF-8; a lone surrogate shows as U+FFFD.
  std::string utf8;
  for (DWORD i = 0; text && i < count; ++i) {
    char32_t c = text[i];
    if (c >= 0xD800 && c < 0xDC00 && i + 1 < count && text[i + 1] >= 0xDC00 &&
        text[i + 1] < 0xE000) {
      c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
    } else if (c >= 0xD800 && c < 0xE000) {
      c = kReplacement;
    }
    appendUtf8(utf8, c);
  }
  if (DWORD fault = recordCall("WriteConsoleW", handle, utf8, count)) return fail(fault, kFalse);
  int descriptor = sim::detail::consoleOutputDescriptor(handle);
  if (descriptor < 0 || reserved || (!text && count)) {
    if (written) *written = 0;
    return fail(kErrorInvalidHandle, kFalse);
  }
  for (std::size_t done = 0; done < utf8.size();) {
    ssize_t n = ::write(descriptor, utf8.data() + done, utf8.size() - done);
    if (n <= 0) break;
    done += static_cast<std::size_t>(n);
  }
  if (written) *written = count;
  return kTrue;
}

}  // namespace platform
