// The shell's folder browser, modal to the host.
#pragma once

#include "platform/types.h"
#include "plugin/text.h"

namespace zorvel {

// Shows the browser titled `title`, opened on `initialFolder` (a final backslash is dropped
// unless the folder is a drive root; a folder that does not fit the 260-byte buffer is not
// preselected). `out` gets the chosen folder's path ending in a backslash, or empty text when
// the user cancelled, the choice has no file-system path, or the shell library can't be had.
void browseFolderDialog(const char* title, const char* initialFolder, TextVar& out);

// The browser's callback: on BFFM_INITIALIZED with a path as `data`, selects that folder.
int ZV_STDCALL preselectFolder(platform::HWND dialog, platform::UINT message,
                               platform::LPARAM lParam, platform::LPARAM data);

}  // namespace zorvel
