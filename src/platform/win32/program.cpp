#include "../program.h"

#include <windows.h>

namespace platform {

DWORD GetModuleFileNameA(HMODULE module, char* buffer, DWORD size) {
  return ::GetModuleFileNameA(static_cast<::HMODULE>(module), buffer, size);
}

}  // namespace platform
