#include "../registry.h"

#include <windows.h>

namespace platform {

static_assert(KEY_READ == kKeyRead);

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

}  // namespace platform
