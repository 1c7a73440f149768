#include "dialog_owner.h"

#include "platform/desktop.h"

namespace zorvel {

platform::HWND dialogOwnerWindow() {
  platform::HWND foreground = platform::GetForegroundWindow();
  if (!foreground) return nullptr;
  platform::DWORD process = 0;
  platform::GetWindowThreadProcessId(foreground, &process);
  if (process != platform::GetCurrentProcessId()) return nullptr;
  return foreground;
}

}  // namespace zorvel
