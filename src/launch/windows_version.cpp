#include "windows_version.h"

#include <cstring>

#include "platform/version.h"

namespace zorvel {

std::int32_t windowsVersionCode() {
  platform::OSVERSIONINFOA info;
  std::memset(&info, 0, sizeof info);
  info.dwOSVersionInfoSize = sizeof info;
  if (!platform::GetVersionExA(&info)) return 100;

  bool workstation = false;
  if (info.dwPlatformId == platform::kVerPlatformWin32Nt) {
    platform::OSVERSIONINFOEXA extended;
    std::memset(&extended, 0, sizeof extended);
    extended.dwOSVersionInfoSize = sizeof extended;
    workstation = platform::GetVersionExA(reinterpret_cast<platform::OSVERSIONINFOA*>(&extended)) &&
                  extended.wProductType == platform::kVerNtWorkstation;
  }

  const platform::DWORD major = info.dwMajorVersion;
  const platform::DWORD minor = info.dwMinorVersion;
  if (info.dwPlatformId == platform::kVerPlatformWin32Windows) {
    if (minor == 0) return 10;
    if (minor == 10) return 30;
    if (minor == 90) return 40;
  } else if (info.dwPlatformId == platform::kVerPlatformWin32Nt) {
    if (major == 3) return 5;
    if (major == 4) return 20;
    if (major == 5 && minor == 0) return 50;
    if (major == 5 && minor == 1) return 60;
    if (major == 5 && minor == 2) return workstation ? 60 : 65;
    if (major == 6 && minor == 0) return workstation ? 70 : 75;
    if (major == 6 && minor == 1) return workstation ? 80 : 75;
  }
  return 100;
}

}  // namespace zorvel
