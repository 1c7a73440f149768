#include "../code_page.h"

#include <windows.h>

namespace platform {

static_assert(kCpAcp == CP_ACP && kCpUtf8 == CP_UTF8);
static_assert(sizeof(WCHAR) == sizeof(::WCHAR));

int WideCharToMultiByte(UINT codePage, DWORD flags, const WCHAR* wide, int wideLength, char* out,
                        int outSize, const char* defaultChar, BOOL* usedDefault) {
  return ::WideCharToMultiByte(codePage, flags, reinterpret_cast<const ::WCHAR*>(wide), wideLength,
                               out, outSize, defaultChar, reinterpret_cast<::BOOL*>(usedDefault));
}

int MultiByteToWideChar(UINT codePage, DWORD flags, const char* text, int length, WCHAR* out,
                        int outSize) {
  return ::MultiByteToWideChar(codePage, flags, text, length, reinterpret_cast<::WCHAR*>(out),
                               outSize);
}

}  // namespace platform
