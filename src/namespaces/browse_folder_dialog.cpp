#include "browse_folder_dialog.h"

#include <cstring>

#include "dialog_owner.h"
#include "platform/desktop.h"
#include "platform/dialogs.h"
#include "platform/module.h"
#include "platform/shell.h"
#include "platform/startup.h"
#include "plugin/module_state.h"
#include "thread_windows.h"

namespace zorvel {
namespace {

constexpr std::size_t kFolderBuffer = platform::kMaxPath;
// Whether the folder browser has initialised COM on the host's thread (once per load).
LoadState<bool> gComInitialized;

// Copies the initial folder without a final backslash (a drive root such as C:\ keeps it).
// False, leaving the buffer empty, when the folder does not fit: a shortened path could name
// another folder.
bool copyInitialFolder(const char* folder, char (&buffer)[kFolderBuffer]) {
  buffer[0] = 0;
  std::size_t length = textLength(folder);
  if (length >= kFolderBuffer) return false;
  std::memcpy(buffer, folder, length);
  buffer[length] = 0;
  if (length > 3 && buffer[length - 1] == '\\') buffer[length - 1] = 0;
  return true;
}

void choosePath(platform::HMODULE shell, platform::ITEMIDLIST* item, TextVar& out) {
  char path[kFolderBuffer] = {};
  auto pathFromIdList = reinterpret_cast<platform::PathFromIdListFn>(
      platform::GetProcAddress(shell, "SHGetPathFromIDList"));
  if (pathFromIdList) pathFromIdList(item, path);
  platform::CoTaskMemFree(item);
  const void* end = std::memchr(path, 0, sizeof path);
  out.assign(path, end ? static_cast<std::size_t>(static_cast<const char*>(end) - path) : 0);
  if (!out.empty() && out.last() != '\\') out.append('\\');
}

}  // namespace

int ZV_STDCALL preselectFolder(platform::HWND dialog, platform::UINT message, platform::LPARAM,
                               platform::LPARAM data) {
  if (message == platform::kBffmInitialized && data)
    platform::SendMessageA(dialog, platform::kBffmSetSelectionA, 1, data);
  return 0;
}

void browseFolderDialog(const char* title, const char* initialFolder, TextVar& out) {
  out.assign("");
  bool& comInitialized = gComInitialized.get();
  if (!comInitialized) {
    comInitialized = true;
    platform::CoInitialize(nullptr);
  }

  platform::BROWSEINFOA info;
  std::memset(&info, 0, sizeof info);
  platform::HMODULE shell = platform::LoadLibraryA("SHELL32.DLL");
  if (!shell) return;

  char folder[kFolderBuffer];
  const bool preselect = copyInitialFolder(initialFolder, folder);

  auto browseForFolder = reinterpret_cast<platform::BrowseForFolderFn>(
      platform::GetProcAddress(shell, "SHBrowseForFolder"));
  if (browseForFolder) {
    info.hwndOwner = dialogOwnerWindow();
    info.lpszTitle = title;
    info.ulFlags = platform::kBifNewDialogStyle;
    info.lpfn = &preselectFolder;
    info.lParam = preselect ? reinterpret_cast<platform::LPARAM>(folder) : 0;

    disableThreadWindows();
    platform::ITEMIDLIST* item = browseForFolder(&info);
    enableThreadWindows();

    if (item) choosePath(shell, item, out);
  }
  platform::FreeLibrary(shell);
}

}  // namespace zorvel
