// Windows types and constants as the seam uses them. The layouts match the Win32 ones, on i686 and
// on x86_64 alike, so the real layer passes them straight through (it checks sizes and offsets
// against Windows' own structures at compile time).
// Real-layer sources include the seam before <windows.h>: several names here are macros there.
#pragma once

#include <cstddef>
#include <cstdint>

#ifndef ZV_STDCALL
#if defined(_WIN32)
#define ZV_STDCALL __stdcall
#else
#define ZV_STDCALL __attribute__((stdcall))
#endif
#endif

namespace platform {

using BOOL = std::int32_t;
using DWORD = std::uint32_t;
using WORD = std::uint16_t;
using WCHAR = char16_t;  // a UTF-16 unit
using UINT = std::uint32_t;
using LONG = std::int32_t;
using SHORT = std::int16_t;
using HANDLE = void*;
using HWND = void*;
using HMODULE = void*;
using HKEY = void*;
using HGLOBAL = void*;
using ITEMIDLIST = void;  // opaque shell item list
using LPARAM = std::intptr_t;
using WPARAM = std::uintptr_t;
using LRESULT = std::intptr_t;
using HRESULT = std::int32_t;

constexpr BOOL kTrue = 1;
constexpr BOOL kFalse = 0;
constexpr DWORD kMaxPath = 260;  // MAX_PATH
inline HANDLE const kInvalidHandle = reinterpret_cast<HANDLE>(static_cast<std::intptr_t>(-1));

// A structure's size as Windows lays it out for this build's architecture: pointers and handles
// are 4 bytes on i686 and 8 on x86_64, and the fields after them move with them.
constexpr std::size_t layoutSize(std::size_t i686, std::size_t x86_64) {
  return sizeof(void*) == 4 ? i686 : x86_64;
}

// GetLastError codes the seam promises.
constexpr DWORD kErrorSuccess = 0;
constexpr DWORD kErrorFileNotFound = 2;       // ERROR_FILE_NOT_FOUND
constexpr DWORD kErrorPathNotFound = 3;       // ERROR_PATH_NOT_FOUND
constexpr DWORD kErrorAccessDenied = 5;       // ERROR_ACCESS_DENIED
constexpr DWORD kErrorInvalidHandle = 6;      // ERROR_INVALID_HANDLE
constexpr DWORD kErrorNotEnoughMemory = 8;    // ERROR_NOT_ENOUGH_MEMORY
constexpr DWORD kErrorNoMoreFiles = 18;       // ERROR_NO_MORE_FILES
constexpr DWORD kErrorNotSameDevice = 17;     // ERROR_NOT_SAME_DEVICE
constexpr DWORD kErrorSharingViolation = 32;  // ERROR_SHARING_VIOLATION
constexpr DWORD kErrorFileExists = 80;        // ERROR_FILE_EXISTS
constexpr DWORD kErrorInvalidParameter = 87;  // ERROR_INVALID_PARAMETER
constexpr DWORD kErrorDirNotEmpty = 145;      // ERROR_DIR_NOT_EMPTY
constexpr DWORD kErrorAlreadyExists = 183;    // ERROR_ALREADY_EXISTS
constexpr DWORD kErrorFilenameExcedRange = 206;  // ERROR_FILENAME_EXCED_RANGE
constexpr DWORD kErrorEnvvarNotFound = 203;   // ERROR_ENVVAR_NOT_FOUND
constexpr DWORD kErrorInvalidName = 123;      // ERROR_INVALID_NAME
constexpr DWORD kErrorDirectory = 267;        // ERROR_DIRECTORY
constexpr DWORD kErrorClipboardNotOpen = 1418;  // ERROR_CLIPBOARD_NOT_OPEN
constexpr DWORD kErrorMoreData = 234;         // ERROR_MORE_DATA
constexpr DWORD kErrorInsufficientBuffer = 122;  // ERROR_INSUFFICIENT_BUFFER

constexpr DWORD kFileAttributeReadonly = 0x01;
constexpr DWORD kFileAttributeHidden = 0x02;
constexpr DWORD kFileAttributeSystem = 0x04;
constexpr DWORD kFileAttributeDirectory = 0x10;
constexpr DWORD kFileAttributeArchive = 0x20;
constexpr DWORD kFileAttributeNormal = 0x80;

struct FILETIME {
  DWORD dwLowDateTime;
  DWORD dwHighDateTime;
};

struct WIN32_FIND_DATAA {
  DWORD dwFileAttributes;
  FILETIME ftCreationTime;
  FILETIME ftLastAccessTime;
  FILETIME ftLastWriteTime;
  DWORD nFileSizeHigh;
  DWORD nFileSizeLow;
  DWORD dwReserved0;
  DWORD dwReserved1;
  char cFileName[260];
  char cAlternateFileName[14];
};
static_assert(sizeof(WIN32_FIND_DATAA) == 320);

}  // namespace platform
