// Shell special folders and shell memory.
#pragma once

#include "types.h"

namespace platform {

constexpr HRESULT kSOk = 0;                                          // S_OK
constexpr HRESULT kEInvalidArg = static_cast<HRESULT>(0x80070057u);  // E_INVALIDARG

// SHGetSpecialFolderLocation(owner, csidl, list): kSOk with an item list for the folder in
// *list, to be released with CoTaskMemFree; an error result (kEInvalidArg for a CSIDL the shell
// does not know) with *list set to null.
HRESULT SHGetSpecialFolderLocation(HWND owner, int csidl, ITEMIDLIST** list);
// SHGetPathFromIDListA(list, path): TRUE with the folder's file-system path (at most
// kMaxPath - 1 characters; a closing backslash at a drive root only) and its NUL in `path`,
// which holds kMaxPath bytes; FALSE with path[0] set to 0 for a folder that has no file-system
// path.
BOOL SHGetPathFromIDListA(const ITEMIDLIST* list, char* path);
// CoTaskMemFree(block): releases shell memory such as an item list; null does nothing.
void CoTaskMemFree(void* block);

// The shell's library is loaded at the first call of either; when it cannot be, they fail with
// its error (kErrorModNotFound).
// Known differences: Wine ends the documents folder's path with a backslash.

}  // namespace platform
