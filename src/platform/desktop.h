// The desktop: the process's and thread's identity and the top-level windows, which a modal
// dialog must disable and enable again.
#pragma once

#include "types.h"

namespace platform {

// GetCurrentProcessId(), GetCurrentThreadId(): the calling process's and thread's identifiers;
// never 0.
DWORD GetCurrentProcessId();
DWORD GetCurrentThreadId();

// EnumWindows(callback, lParam): calls callback(window, lParam) for every top-level window, in
// z-order, until the callback returns FALSE. TRUE when the walk reached the end.
using WNDENUMPROC = BOOL(ZV_STDCALL*)(HWND window, LPARAM lParam);
BOOL EnumWindows(WNDENUMPROC callback, LPARAM lParam);

// EnableWindow(window, enable): enables or disables mouse and keyboard input to the window.
// The result is nonzero when the window was disabled before the call, 0 when it was enabled
// (and 0 for a handle that is no window).
BOOL EnableWindow(HWND window, BOOL enable);
// IsWindowVisible(window), IsWindowEnabled(window): the window's state; FALSE for a handle that
// is no window.
BOOL IsWindowVisible(HWND window);
BOOL IsWindowEnabled(HWND window);
// GetForegroundWindow(): the window the user works in now, or null when there is none.
HWND GetForegroundWindow();
// GetWindowThreadProcessId(window, processId): the identifier of the thread that created the
// window, and, when processId is not null, its process's identifier in *processId. For a
// handle that is no window: 0, *processId unchanged.
DWORD GetWindowThreadProcessId(HWND window, DWORD* processId);
// SendMessageA(window, message, wParam, lParam): the window procedure's result; returns when
// the window has handled the message.
LRESULT SendMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace platform
