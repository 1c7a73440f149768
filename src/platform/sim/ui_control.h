// The simulated desktop: top-level windows with their thread, process, visibility, enabled
// state and the foreground; the identity of the calling thread; and scripted answers for the
// "Open" dialog and the shell's folder browser (whose module, "SHELL32.DLL", is always
// registered with its "SHBrowseForFolder" and "SHGetPathFromIDList" exports).
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "../desktop.h"
#include "../dialogs.h"

namespace platform::sim {

// The simulated process, and the thread that calls the seam unless setCurrentThread says
// otherwise. Another process, for windows that are not ours.
constexpr DWORD kProcessId = 0x1000;
constexpr DWORD kHostThreadId = 0x1004;
constexpr DWORD kOtherProcessId = 0x2000;

// The thread the next seam calls come from (GetCurrentThreadId). reset(): kHostThreadId.
void setCurrentThread(DWORD threadId);

// A new top-level window in front of the others. reset(): no windows, no foreground window.
HWND addWindow(DWORD threadId = kHostThreadId, bool visible = true, bool enabled = true,
               DWORD processId = kProcessId);
void removeWindow(HWND window);
void setForegroundWindow(HWND window);  // null: none
bool windowEnabled(HWND window);
// Windows now open, the dialogs included.
int windowCount();

// How the "Open" dialog answers. The handler sees the structure while the dialog is open (its
// window is in front, the foreground window, and of the calling thread); its result is
// GetOpenFileNameA's. Without OFN_NOCHANGEDIR, a TRUE answer moves the current directory to the
// chosen file's folder, as the real dialog does. reset(): every dialog is cancelled.
using FileDialogHandler = std::function<BOOL(OPENFILENAMEA& dialog)>;
void onFileDialog(FileDialogHandler handler);
// The user types `path` and presses Open: the path goes into lpstrFile when it fits nMaxFile
// with its NUL (TRUE), otherwise the dialog fails (FALSE).
void answerFileDialog(const std::string& path);

// How the folder browser answers: the handler sees the structure after the dialog's callback
// had BFFM_INITIALIZED, and returns the chosen item list (makeItemList from shell_control.h)
// or null for a cancel. reset(): every browser is cancelled.
using FolderDialogHandler = std::function<ITEMIDLIST*(BROWSEINFOA& info)>;
void onFolderDialog(FolderDialogHandler handler);
// The user chooses the folder `path` (hasFileSystemPath false: an item such as the computer).
void answerFolderDialog(const std::string& path, bool hasFileSystemPath = true);
// The path the last folder browser was told to select with BFFM_SETSELECTIONA, if any.
std::optional<std::string> folderDialogSelection();

}  // namespace platform::sim
