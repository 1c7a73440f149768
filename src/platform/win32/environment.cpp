#include "../environment.h"

#include <windows.h>

namespace platform {

static_assert(kErrorEnvvarNotFound == ERROR_ENVVAR_NOT_FOUND);

char* GetEnvironmentStrings() {
  return ::GetEnvironmentStrings();
}

BOOL FreeEnvironmentStringsA(char* block) {
  return ::FreeEnvironmentStringsA(block);
}

DWORD GetEnvironmentVariableA(const char* name, char* buffer, DWORD size) {
  return ::GetEnvironmentVariableA(name, buffer, size);
}

BOOL SetEnvironmentVariableA(const char* name, const char* value) {
  return ::SetEnvironmentVariableA(name, value);
}

UINT GetWindowsDirectoryA(char* buffer, UINT size) {
  return ::GetWindowsDirectoryA(buffer, size);
}

}  // namespace platform
