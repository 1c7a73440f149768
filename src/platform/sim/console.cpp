// What the reference host asks of its own process: the console, whose standard handles are
// consoles when the real process's descriptors are terminals, and the program's file.
#include "../console.h"

#include <unistd.h>

#include <cstring>

#include "../program.h"
#include "core.h"

namespace platform {
namespace {

using sim::detail::fail;
using sim::detail::recordCall;

struct StandardHandle {
  DWORD which;
  int descriptor;
  DWORD mode = kEnableProcessedOutput;
  WORD attributes = kForegroundRed | kForegroundGreen | kForegroundBlue;
};

// The simulated handles are the addresses of these entries.
StandardHandle handles[] = {{kStdInputHandle, 0}, {kStdOutputHandle, 1}, {kStdErrorHandle, 2}};

StandardHandle* consoleOf(HANDLE handle, bool output) {
  for (StandardHandle& h : handles)
    if (&h == handle && ::isatty(h.descriptor) == 1 && (!output || h.which != kStdInputHandle))
      return &h;
  return nullptr;
}

}  // namespace

int sim::detail::consoleOutputDescriptor(HANDLE handle) {
  StandardHandle* h = consoleOf(handle, true);
  return h ? h->descriptor : -1;
}

HANDLE GetStdHandle(DWORD which) {
  if (DWORD fault = recordCall("GetStdHandle", static_cast<LONG>(which)))
    return fail(fault, kInvalidHandle);
  for (StandardHandle& h : handles)
    if (h.which == which) return &h;
  return fail(kErrorInvalidHandle, kInvalidHandle);
}

BOOL GetConsoleMode(HANDLE handle, DWORD* mode) {
  if (DWORD fault = recordCall("GetConsoleMode", handle)) return fail(fault, kFalse);
  StandardHandle* h = consoleOf(handle, false);
  if (!h || !mode) return fail(kErrorInvalidHandle, kFalse);
  *mode = h->mode;
  return kTrue;
}

BOOL SetConsoleMode(HANDLE handle, DWORD mode) {
  if (DWORD fault = recordCall("SetConsoleMode", handle, mode)) return fail(fault, kFalse);
  StandardHandle* h = consoleOf(handle, false);
  if (!h) return fail(kErrorInvalidHandle, kFalse);
  h->mode = mode;
  return kTrue;
}

BOOL GetConsoleScreenBufferInfo(HANDLE handle, CONSOLE_SCREEN_BUFFER_INFO* info) {
  if (DWORD fault = recordCall("GetConsoleScreenBufferInfo", handle)) return fail(fault, kFalse);
  StandardHandle* h = consoleOf(handle, true);
  if (!h || !info) return fail(kErrorInvalidHandle, kFalse);
  *info = CONSOLE_SCREEN_BUFFER_INFO{{80, 300}, {0, 0}, h->attributes, {0, 0, 79, 24}, {80, 25}};
  return kTrue;
}

// The attributes are kept, not shown: the simulation draws no colours.
BOOL SetConsoleTextAttribute(HANDLE handle, WORD attributes) {
  if (DWORD fault = recordCall("SetConsoleTextAttribute", handle, attributes))
    return fail(fault, kFalse);
  StandardHandle* h = consoleOf(handle, true);
  if (!h) return fail(kErrorInvalidHandle, kFalse);
  h->attributes = attributes;
  return kTrue;
}

DWORD GetModuleFileNameA(HMODULE module, char* buffer, DWORD size) {
  if (DWORD fault = recordCall("GetModuleFileNameA", module, size)) return fail(fault, DWORD{0});
  const std::string path = "C:\\quenda\\quenda.exe";
  if (size == 0 || !buffer) return 0;
  if (path.size() < size) {
    std::memcpy(buffer, path.c_str(), path.size() + 1);
    return static_cast<DWORD>(path.size());
  }
  std::memcpy(buffer, path.data(), size);  // cut, without a NUL
  return fail(kErrorInsufficientBuffer, size);
}

}  // namespace platform
