#include "registry_text.h"

#include <cstring>

#include "platform/registry.h"

namespace zorvel {

bool readRegistryText(platform::HKEY root, const char* subkey, const char* valueName,
                      TextVar& out) {
  out.assign("");
  platform::HKEY key = nullptr;
  if (platform::RegOpenKeyExA(root, subkey, 0, platform::kKeyRead, &key) != platform::kErrorSuccess)
    return false;

  // Spaces, so that a value written without its zero shows only its own bytes.
  unsigned char buffer[kRegistryTextBuffer];
  std::memset(buffer, ' ', sizeof buffer - 1);
  buffer[sizeof buffer - 1] = 0;
  platform::DWORD size = sizeof buffer;
  bool read = platform::RegQueryValueExA(key, valueName, nullptr, nullptr, buffer, &size) ==
              platform::kErrorSuccess;
  if (read) {
    // The value without its terminating zero, cut at its first zero byte.
    std::size_t length = size == 0 ? 0 : size - 1;
    if (length > sizeof buffer - 1) length = sizeof buffer - 1;
    const void* zero = std::memchr(buffer, 0, length);
    if (zero) length = static_cast<const unsigned char*>(zero) - buffer;
    out.assign(reinterpret_cast<const char*>(buffer), length);
  }
  platform::RegCloseKey(key);
  return read;
}

}  // namespace zorvel
