#include "platform/module.h"

#include <windows.h>

namespace platform {

HMODULE LoadLibraryA(const char* name) {
  return ::LoadLibraryA(name);
}

void* GetProcAddress(HMODULE module, const char* name) {
  return reinterpret_cast<void*>(::GetProcAddress(static_cast<::HMODULE>(module), name));
}

BOOL FreeLibrary(HMODULE module) {
  return ::FreeLibrary(static_cast<::HMODULE>(module));
}

}  // namespace platform
