// Windows, threads and the modal dialogs: the top-level windows a dialog must disable, the
// standard "Open" dialog, and the types of the shell's folder browser (which is found by name
// in the shell library through module.h).
#pragma once

#include "types.h"

#ifndef ZV_STDCALL
#if defined(_WIN32)
#define ZV_STDCALL __stdcall
#else
#define ZV_STDCALL __attribute__((stdcall))
#endif
#endif

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

// The "Open" dialog's structure in its short form (without the three trailing fields of the
// larger form; 76 bytes on i686), which every version of the dialog accepts.
struct OPENFILENAMEA {
  DWORD lStructSize;
  HWND hwndOwner;
  HANDLE hInstance;
  const char* lpstrFilter;
  char* lpstrCustomFilter;
  DWORD nMaxCustFilter;
  DWORD nFilterIndex;
  char* lpstrFile;
  DWORD nMaxFile;
  char* lpstrFileTitle;
  DWORD nMaxFileTitle;
  const char* lpstrInitialDir;
  const char* lpstrTitle;
  DWORD Flags;
  WORD nFileOffset;
  WORD nFileExtension;
  const char* lpstrDefExt;
  LPARAM lCustData;
  void* lpfnHook;
  const char* lpTemplateName;
};
static_assert(sizeof(OPENFILENAMEA) == layoutSize(76, 136));
static_assert(offsetof(OPENFILENAMEA, Flags) == layoutSize(52, 96) &&
              offsetof(OPENFILENAMEA, lpTemplateName) == layoutSize(72, 128));
constexpr DWORD kOpenFileNameSize = sizeof(OPENFILENAMEA);  // OPENFILENAME_SIZE_VERSION_400A

constexpr DWORD kOfnHideReadonly = 0x00000004;   // OFN_HIDEREADONLY
constexpr DWORD kOfnNoChangeDir = 0x00000008;    // OFN_NOCHANGEDIR
constexpr DWORD kOfnPathMustExist = 0x00000800;  // OFN_PATHMUSTEXIST
constexpr DWORD kOfnExplorer = 0x00080000;       // OFN_EXPLORER

// GetOpenFileNameA(dialog): shows the modal "Open" dialog and waits for it to close. TRUE when
// the user chose a file: its full path, NUL-terminated, is in lpstrFile (at most nMaxFile
// bytes, NUL included), nFilterIndex the filter chosen. FALSE when the user cancelled, when the
// chosen path does not fit lpstrFile, or when the dialog could not be shown; lpstrFile may then
// have been changed.
BOOL GetOpenFileNameA(OPENFILENAMEA* dialog);

// The shell's folder browser, called through addresses found with GetProcAddress in the shell
// library: "SHBrowseForFolder" (BrowseForFolderFn) and "SHGetPathFromIDList" (PathFromIdListFn).
// The browser returns an item list for the chosen folder, to be freed with CoTaskMemFree, or
// null when the user cancelled; the path function writes the item's file-system path (at most
// kMaxPath bytes, NUL included) and returns FALSE when the item has none.
using BFFCALLBACK = int(ZV_STDCALL*)(HWND dialog, UINT message, LPARAM lParam, LPARAM data);

struct BROWSEINFOA {
  HWND hwndOwner;
  const ITEMIDLIST* pidlRoot;
  char* pszDisplayName;
  const char* lpszTitle;
  UINT ulFlags;
  BFFCALLBACK lpfn;
  LPARAM lParam;
  int iImage;
};
static_assert(sizeof(BROWSEINFOA) == layoutSize(32, 64));

using BrowseForFolderFn = ITEMIDLIST*(ZV_STDCALL*)(BROWSEINFOA* info);
using PathFromIdListFn = BOOL(ZV_STDCALL*)(const ITEMIDLIST* item, char* path);

constexpr UINT kBifNewDialogStyle = 0x40;    // BIF_NEWDIALOGSTYLE
constexpr UINT kBffmInitialized = 1;         // BFFM_INITIALIZED
constexpr UINT kBffmSetSelectionA = 0x0466;  // BFFM_SETSELECTIONA (WM_USER + 102)

}  // namespace platform
