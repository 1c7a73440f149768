// Code pages and console text: thin wrappers over Windows.
#include "../code_page.h"

#include <windows.h>

namespace platform {

static_assert(sizeof(WCHAR) == sizeof(::WCHAR));
static_assert(kCodePageAnsi == CP_ACP && kCodePageUtf8 == CP_UTF8);
static_assert(kErrorNoUnicodeTranslation == ERROR_NO_UNICODE_TRANSLATION);

UINT GetACP() {
  return ::GetACP();
}

int MultiByteToWideChar(UINT codePage, DWORD flags, const char* text, int length, WCHAR* out,
                        int capacity) {
  return ::MultiByteToWideChar(codePage, flags, text, length, reinterpret_cast<::WCHAR*>(out),
                               capacity);
}

int WideCharToMultiByte(UINT codePage, DWORD flags, const WCHAR* wide, int length, char* out,
                        int capacity, const char* defaultChar, BOOL* usedDefault) {
  return ::WideCharToMultiByte(codePage, flags, reinterpret_cast<const ::WCHAR*>(wide), length, out,
                               capacity, defaultChar, reinterpret_cast<::BOOL*>(usedDefault));
}

UINT GetConsoleCP() {
  return ::GetConsoleCP();
}
UINT GetConsoleOutputCP() {
  return ::GetConsoleOutputCP();
}
BOOL SetConsoleCP(UINT codePage) {
  return ::SetConsoleCP(codePage);
}
BOOL SetConsoleOutputCP(UINT codePage) {
  return ::SetConsoleOutputCP(codePage);
}

BOOL WriteConsoleW(HANDLE handle, const WCHAR* text, DWORD count, DWORD* written, void* reserved) {
  return ::WriteConsoleW(static_cast<::HANDLE>(handle), text, count,
                         reinterpret_cast<::DWORD*>(written), reserved);
}

}  // namespace platform
