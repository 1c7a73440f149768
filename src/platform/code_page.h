// The process's ANSI code page and the console's: what 8-bit texts mean, and writing them to a
// console as UTF-16 so that every letter shows whatever the console's own code page is. For the
// reference host; the library speaks the ANSI code page and calls none of these.
#pragma once

#include "types.h"

namespace platform {

using WCHAR = char16_t;  // a UTF-16 code unit, as Windows' WCHAR

constexpr UINT kCodePageAnsi = 0;        // CP_ACP: the process's ANSI code page
constexpr UINT kCodePageUtf8 = 65001;    // CP_UTF8
constexpr UINT kCodePageWestern = 1252;  // Windows-1252, the ANSI code page of Western systems
constexpr DWORD kErrorNoUnicodeTranslation = 1113;  // ERROR_NO_UNICODE_TRANSLATION

// GetACP(): the process's ANSI code page: kCodePageUtf8 when the program's manifest asks for it
// (Windows 10 1903 and later, and Wine), else the system's (kCodePageWestern here).
UINT GetACP();

// MultiByteToWideChar(codePage, 0, text, length, out, capacity): converts `length` bytes of
// `text` (-1: up to and with its NUL) and returns the number of code units; capacity 0 asks for
// that number without writing. Bytes that are no character of the code page become U+FFFD
// (UTF-8) or the code page's own mapping (single-byte pages map every byte). Errors:
// kErrorInsufficientBuffer (out too small; what fitted may be written),
// kErrorInvalidParameter (null text, or a length of 0 / below -1). Flags must be 0.
int MultiByteToWideChar(UINT codePage, DWORD flags, const char* text, int length, WCHAR* out,
                        int capacity);

// WideCharToMultiByte(codePage, 0, wide, length, out, capacity, nullptr, usedDefault): the other
// way: `length` UTF-16 units (-1: up to and with the NUL) to bytes of the code page; the number
// of bytes, or with capacity 0 the number needed. A character the code page lacks becomes a
// look-alike where Windows has one (alpha is 'a' in 1252; not in the simulation), else '?',
// which sets *usedDefault (when given; it must be null for kCodePageUtf8); a lone surrogate
// becomes U+FFFD in UTF-8. Errors as above; `defaultChar` must be null.
int WideCharToMultiByte(UINT codePage, DWORD flags, const WCHAR* wide, int length, char* out,
                        int capacity, const char* defaultChar, BOOL* usedDefault);

// The console's input and output code pages (0 when the process has no console), and setting
// them: TRUE, or FALSE with kErrorInvalidHandle without a console, kErrorInvalidParameter for a
// code page the system lacks. The console belongs to every process attached to it: whoever
// changes its code pages gives them back before it ends.
UINT GetConsoleCP();
UINT GetConsoleOutputCP();
BOOL SetConsoleCP(UINT codePage);
BOOL SetConsoleOutputCP(UINT codePage);

// WriteConsoleW(handle, text, count, written, reserved): writes `count` UTF-16 units to a
// console output and sets *written (which may be null). FALSE with kErrorInvalidHandle, and
// *written 0, for a handle that is not a console (a file, a pipe). `reserved` must be null.
BOOL WriteConsoleW(HANDLE handle, const WCHAR* text, DWORD count, DWORD* written, void* reserved);

// Known differences: the simulation knows the code pages kCodePageWestern and kCodePageUtf8 (set
// with sim::setCodePage) and keeps the console's code pages without using them; its consoles are
// the standard handles whose descriptors are terminals, which get the text as UTF-8.

}  // namespace platform
