#include "../program.h"

#include <windows.h>

namespace platform {

static_assert(kErrorInsufficientBuffer == ERROR_INSUFFICIENT_BUFFER);

DWORD GetModuleFileNameA(HMODULE module, char* buffer, DWORD size) {
  return ::GetModuleFileNameA(static_cast<::HMODULE>(module), buffer, size);
}

}  // namespace platform
