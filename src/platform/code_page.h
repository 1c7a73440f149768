// Text between UTF-16 and the process's ANSI code page, for the host's console, which reads keys
// as UTF-16 and hands lines on as the rest of the program keeps text.
#pragma once

#include "types.h"

namespace platform {

constexpr UINT kCpAcp = 0;       // CP_ACP: the process's ANSI code page
constexpr UINT kCpUtf8 = 65001;  // CP_UTF8

// WideCharToMultiByte(codePage, 0, wide, wideLength, out, outSize, nullptr, nullptr): converts
// `wideLength` units (-1: up to and with the NUL) to the code page; the number of bytes written.
// outSize 0: the number needed, nothing written. A character the code page lacks becomes its
// default character ('?'). Fails with 0: kErrorInsufficientBuffer when outSize is too small (the
// bytes that fitted may be written), kErrorInvalidParameter for an unknown code page, a null text
// or a length of 0.
int WideCharToMultiByte(UINT codePage, DWORD flags, const WCHAR* wide, int wideLength, char* out,
                        int outSize, const char* defaultChar, BOOL* usedDefault);
// MultiByteToWideChar(codePage, 0, text, length, out, outSize): the other way, with the same
// results and errors; a byte sequence invalid in UTF-8 becomes U+FFFD.
int MultiByteToWideChar(UINT codePage, DWORD flags, const char* text, int length, WCHAR* out,
                        int outSize);

// Known differences: the simulation's ANSI code page is UTF-8 (quenda's under its manifest), and
// it knows no other code page.

}  // namespace platform
