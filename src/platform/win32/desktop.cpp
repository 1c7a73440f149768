#include "../desktop.h"

#include <windows.h>

namespace platform {

DWORD GetCurrentProcessId() {
  return ::GetCurrentProcessId();
}
DWORD GetCurrentThreadId() {
  return ::GetCurrentThreadId();
}

BOOL EnumWindows(WNDENUMPROC callback, LPARAM lParam) {
  return ::EnumWindows(reinterpret_cast<::WNDENUMPROC>(callback), lParam);
}

BOOL EnableWindow(HWND window, BOOL enable) {
  return ::EnableWindow(static_cast<::HWND>(window), enable);
}

BOOL IsWindowVisible(HWND window) {
  return ::IsWindowVisible(static_cast<::HWND>(window));
}
BOOL IsWindowEnabled(HWND window) {
  return ::IsWindowEnabled(static_cast<::HWND>(window));
}
HWND GetForegroundWindow() {
  return ::GetForegroundWindow();
}

DWORD GetWindowThreadProcessId(HWND window, DWORD* processId) {
  return ::GetWindowThreadProcessId(static_cast<::HWND>(window),
                                    reinterpret_cast<::DWORD*>(processId));
}

LRESULT SendMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return ::SendMessageA(static_cast<::HWND>(window), message, wParam, lParam);
}

}  // namespace platform
