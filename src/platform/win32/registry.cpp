#include "../registry.h"

#include <windows.h>

namespace platform {

static_assert(sizeof(::OSVERSIONINFOA) == sizeof(OSVERSIONINFOA));
static_assert(sizeof(::OSVERSIONINFOEXA) == sizeof(OSVERSIONINFOEXA));
static_assert(offsetof(::OSVERSIONINFOEXA, wProductType) ==
              offsetof(OSVERSIONINFOEXA, wProductType));
static_assert(KEY_READ == kKeyRead && VER_NT_WORKSTATION == kVerNtWorkstation);

LONG RegOpenKeyExA(HKEY root, const char* subKey, DWORD options, DWORD access, HKEY* result) {
  return ::RegOpenKeyExA(static_cast<::HKEY>(root), subKey, options, access,
                         reinterpret_cast<::HKEY*>(result));
}

LONG RegQueryValueExA(HKEY key, const char* valueName, DWORD* reserved, DWORD* type,
                      unsigned char* data, DWORD* size) {
  return ::RegQueryValueExA(static_cast<::HKEY>(key), valueName,
                            reinterpret_cast<::DWORD*>(reserved), reinterpret_cast<::DWORD*>(type),
                            data, reinterpret_cast<::DWORD*>(size));
}

LONG RegCloseKey(HKEY key) {
  return ::RegCloseKey(static_cast<::HKEY>(key));
}

BOOL GetVersionExA(OSVERSIONINFOA* info) {
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
  return ::GetVersionExA(reinterpret_cast<::OSVERSIONINFOA*>(info));
#pragma GCC diagnostic pop
}

}  // namespace platform
