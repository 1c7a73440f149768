#include "../version.h"

#include <windows.h>

#include <cstddef>

namespace platform {

static_assert(sizeof(::OSVERSIONINFOA) == sizeof(OSVERSIONINFOA));
static_assert(sizeof(::OSVERSIONINFOEXA) == sizeof(OSVERSIONINFOEXA));
static_assert(offsetof(::OSVERSIONINFOEXA, wProductType) ==
              offsetof(OSVERSIONINFOEXA, wProductType));
static_assert(VER_NT_WORKSTATION == kVerNtWorkstation);
static_assert(kErrorInsufficientBuffer == ERROR_INSUFFICIENT_BUFFER);

BOOL GetVersionExA(OSVERSIONINFOA* info) {
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
  return ::GetVersionExA(reinterpret_cast<::OSVERSIONINFOA*>(info));
#pragma GCC diagnostic pop
}

}  // namespace platform
