// The modal dialogs: the standard "Open" dialog, and the types of the shell's folder browser,
// which is found by name in the shell library (module.h).
#pragma once

#include "types.h"

namespace platform {

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
// have been changed. The dialogs' library is loaded at the first call.
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
