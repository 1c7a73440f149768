#include "../console.h"

#include <unistd.h>

#include <cstdio>
#include <optional>
#include <string>

#include "console_control.h"
#include "internal.h"

namespace platform {
namespace {

constexpr WORD kNormalAttributes = kForegroundRed | kForegroundGreen | kForegroundBlue;

struct StandardHandle {
  DWORD which;
  int descriptor;
  std::optional<bool> console;  // unset: follow the real descriptor
  DWORD mode = kEnableProcessedOutput;
  WORD attributes = kNormalAttributes;
};

struct ConsoleState {
  StandardHandle handles[3] = {
      {kStdInputHandle, 0, {}}, {kStdOutputHandle, 1, {}}, {kStdErrorHandle, 2, {}}};
  bool terminalSequences = true;
};

ConsoleState& state() {
  static ConsoleState console;
  return console;
}

// The simulated handles are the addresses of the entries above.
StandardHandle* standardHandle(DWORD which) {
  for (StandardHandle& h : state().handles) {
    if (h.which == which) return &h;
  }
  return nullptr;
}

StandardHandle* consoleOf(HANDLE handle) {
  for (StandardHandle& h : state().handles) {
    if (&h != handle) continue;
    bool console = h.console ? *h.console : ::isatty(h.descriptor) == 1;
    return console ? &h : nullptr;
  }
  return nullptr;
}

bool isOutput(const StandardHandle& h) {
  return h.which != kStdInputHandle;
}

// A console shows text in the attributes' colour; on a real terminal that is an ANSI sequence.
void showAttributes(const StandardHandle& h) {
  if (::isatty(h.descriptor) != 1) return;
  std::string sequence = "\x1b[0m";
  if (h.attributes != kNormalAttributes) {
    int colour = ((h.attributes & kForegroundRed) ? 1 : 0) |
                 ((h.attributes & kForegroundGreen) ? 2 : 0) |
                 ((h.attributes & kForegroundBlue) ? 4 : 0);
    int base = (h.attributes & kForegroundIntensity) ? 90 : 30;
    sequence = "\x1b[" + std::to_string(base + colour) + "m";
  }
  std::fputs(sequence.c_str(), h.descriptor == 2 ? stderr : stdout);
}

}  // namespace

HANDLE GetStdHandle(DWORD which) {
  if (sim::detail::failed(
          sim::enter("GetStdHandle", {sim::detail::snum(static_cast<LONG>(which))})))
    return kInvalidHandle;
  StandardHandle* h = standardHandle(which);
  if (!h) {
    sim::detail::setLastError(kErrorInvalidHandle);
    return kInvalidHandle;
  }
  return h;
}

BOOL GetConsoleMode(HANDLE handle, DWORD* mode) {
  if (sim::detail::failed(sim::enter("GetConsoleMode", {sim::detail::hex(handle)}))) return kFalse;
  StandardHandle* h = consoleOf(handle);
  if (!h || !mode) {
    sim::detail::setLastError(kErrorInvalidHandle);
    return kFalse;
  }
  *mode = h->mode;
  return kTrue;
}

BOOL SetConsoleMode(HANDLE handle, DWORD mode) {
  if (sim::detail::failed(
          sim::enter("SetConsoleMode", {sim::detail::hex(handle), sim::detail::num(mode)})))
    return kFalse;
  StandardHandle* h = consoleOf(handle);
  if (!h) {
    sim::detail::setLastError(kErrorInvalidHandle);
    return kFalse;
  }
  if ((mode & kEnableVirtualTerminalProcessing) && !state().terminalSequences) {
    sim::detail::setLastError(kErrorInvalidParameter);
    return kFalse;
  }
  h->mode = mode;
  return kTrue;
}

BOOL GetConsoleScreenBufferInfo(HANDLE handle, CONSOLE_SCREEN_BUFFER_INFO* info) {
  if (sim::detail::failed(sim::enter("GetConsoleScreenBufferInfo", {sim::detail::hex(handle)})))
    return kFalse;
  StandardHandle* h = consoleOf(handle);
  if (!h || !isOutput(*h) || !info) {
    sim::detail::setLastError(kErrorInvalidHandle);
    return kFalse;
  }
  *info = CONSOLE_SCREEN_BUFFER_INFO{{80, 300}, {0, 0}, h->attributes, {0, 0, 79, 24}, {80, 25}};
  return kTrue;
}

BOOL SetConsoleTextAttribute(HANDLE handle, WORD attributes) {
  if (sim::detail::failed(sim::enter("SetConsoleTextAttribute",
                                     {sim::detail::hex(handle), sim::detail::num(attributes)})))
    return kFalse;
  StandardHandle* h = consoleOf(handle);
  if (!h || !isOutput(*h)) {
    sim::detail::setLastError(kErrorInvalidHandle);
    return kFalse;
  }
  h->attributes = attributes;
  showAttributes(*h);
  return kTrue;
}

namespace sim {

WORD consoleAttributes(DWORD which) {
  StandardHandle* h = standardHandle(which);
  return h ? h->attributes : 0;
}

void setConsole(DWORD which, bool isConsole) {
  if (StandardHandle* h = standardHandle(which)) h->console = isConsole;
}

void setTerminalSequences(bool supported) {
  state().terminalSequences = supported;
}

DWORD consoleMode(DWORD which) {
  StandardHandle* h = standardHandle(which);
  return h ? h->mode : 0;
}

void resetConsole() {
  state() = ConsoleState();
}

}  // namespace sim
}  // namespace platform
