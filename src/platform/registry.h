// The registry, read only. Registry calls return their error code as the result (0 on success)
// and leave the thread's last error alone.
#pragma once

#include "types.h"

namespace platform {

// The predefined keys are negative 32-bit numbers: sign-extended where a handle is 64 bits wide.
inline HKEY const kHkeyClassesRoot =
    reinterpret_cast<HKEY>(static_cast<std::intptr_t>(static_cast<LONG>(0x80000000u)));
inline HKEY const kHkeyCurrentUser =
    reinterpret_cast<HKEY>(static_cast<std::intptr_t>(static_cast<LONG>(0x80000001u)));
inline HKEY const kHkeyLocalMachine =
    reinterpret_cast<HKEY>(static_cast<std::intptr_t>(static_cast<LONG>(0x80000002u)));

constexpr DWORD kKeyRead = 0x20019;  // KEY_READ

constexpr DWORD kRegNone = 0;      // REG_NONE
constexpr DWORD kRegSz = 1;        // REG_SZ
constexpr DWORD kRegExpandSz = 2;  // REG_EXPAND_SZ
constexpr DWORD kRegBinary = 3;    // REG_BINARY
constexpr DWORD kRegDword = 4;     // REG_DWORD

// RegOpenKeyExA(root, subKey, options, access, result): kErrorSuccess with *result an open key
// (to be closed with RegCloseKey). A subkey names its levels separated by "\", compared
// case-insensitively. Failure: kErrorFileNotFound when the key does not exist (*result is then
// null); kErrorInvalidHandle for a root that is not an open key.
LONG RegOpenKeyExA(HKEY root, const char* subKey, DWORD options, DWORD access, HKEY* result);

// RegQueryValueExA(key, valueName, reserved, type, data, size): reads the named value (a null or
// empty name: the key's default value). `reserved` must be null; `type` may be null.
//   data and size given, the value fits in *size bytes: kErrorSuccess, the bytes copied, *size
//     the value's length in bytes (a text value's count includes its terminating zero), *type
//     the value's type; the bytes of `data` past the value stay as they were.
//   data given, the value does not fit: kErrorMoreData, *size the length needed, `data` not to
//     be relied on.
//   data null, size given: kErrorSuccess, *size the length.
//   no such value: kErrorFileNotFound, *size and `data` unchanged.
LONG RegQueryValueExA(HKEY key, const char* valueName, DWORD* reserved, DWORD* type,
                      unsigned char* data, DWORD* size);

// RegCloseKey(key): kErrorSuccess; kErrorInvalidHandle for a key that is not open.
LONG RegCloseKey(HKEY key);

}  // namespace platform
