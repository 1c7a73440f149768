// The running system's version.
#pragma once

#include "types.h"

namespace platform {

constexpr DWORD kVerPlatformWin32Windows = 1;        // VER_PLATFORM_WIN32_WINDOWS
constexpr DWORD kVerPlatformWin32Nt = 2;             // VER_PLATFORM_WIN32_NT
constexpr unsigned char kVerNtWorkstation = 1;       // VER_NT_WORKSTATION
constexpr unsigned char kVerNtDomainController = 2;  // VER_NT_DOMAIN_CONTROLLER
constexpr unsigned char kVerNtServer = 3;            // VER_NT_SERVER

struct OSVERSIONINFOA {
  DWORD dwOSVersionInfoSize;
  DWORD dwMajorVersion;
  DWORD dwMinorVersion;
  DWORD dwBuildNumber;
  DWORD dwPlatformId;
  char szCSDVersion[128];
};
static_assert(sizeof(OSVERSIONINFOA) == 148);

struct OSVERSIONINFOEXA {
  DWORD dwOSVersionInfoSize;
  DWORD dwMajorVersion;
  DWORD dwMinorVersion;
  DWORD dwBuildNumber;
  DWORD dwPlatformId;
  char szCSDVersion[128];
  WORD wServicePackMajor;
  WORD wServicePackMinor;
  WORD wSuiteMask;
  unsigned char wProductType;
  unsigned char wReserved;
};
static_assert(sizeof(OSVERSIONINFOEXA) == 156);
static_assert(offsetof(OSVERSIONINFOEXA, wProductType) == 154);

// GetVersionExA(info): TRUE with the version written into *info, whose dwOSVersionInfoSize
// (set by the caller) is 148 (OSVERSIONINFOA) or 156 (OSVERSIONINFOEXA; the pointer is then
// really an OSVERSIONINFOEXA). Any other size: FALSE with kErrorInsufficientBuffer, *info
// unchanged. The size field itself is not changed.
BOOL GetVersionExA(OSVERSIONINFOA* info);

}  // namespace platform
