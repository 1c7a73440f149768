// The simulated desktop: windows in z-order, the foreground window, the calling thread, and the
// two modal dialogs with scripted answers.
#include <algorithm>
#include <cstring>

#include "../desktop.h"
#include "../dialogs.h"
#include "../shell.h"
#include "core.h"

namespace platform {
namespace {

using sim::detail::fail;
using sim::detail::recordCall;

constexpr DWORD kErrorInvalidWindowHandle = 1400;  // ERROR_INVALID_WINDOW_HANDLE

struct Window {
  HWND handle;
  DWORD thread;
  DWORD process;
  bool visible;
  bool enabled;
};

struct Desktop {
  DWORD thread = sim::kHostThreadId;
  std::vector<Window> windows;  // front first
  HWND foreground = nullptr;
  sim::FileDialogHandler fileDialog;
  sim::FolderDialogHandler folderDialog;
  HWND folderBrowser = nullptr;  // while it is open
  std::optional<std::string> selection;
};

sim::detail::AreaState<Desktop> desktop;

Window* find(HWND handle) {
  for (Window& w : desktop->windows)
    if (w.handle == handle) return &w;
  return nullptr;
}

// A modal dialog's window: in front, and the foreground window until it closes.
struct OpenDialog {
  HWND previous = desktop->foreground;
  HWND window = sim::addWindow(desktop->thread);
  explicit OpenDialog(bool folderBrowser) {
    if (folderBrowser) desktop->folderBrowser = window;
    desktop->foreground = window;
  }
  ~OpenDialog() {
    sim::removeWindow(window);
    desktop->foreground = previous && find(previous) ? previous : nullptr;
  }
};

ITEMIDLIST* ZV_STDCALL browseForFolder(BROWSEINFOA* info) {
  if (recordCall("SHBrowseForFolder", info)) return nullptr;
  OpenDialog dialog(true);
  desktop->selection.reset();
  if (info->lpfn) info->lpfn(dialog.window, kBffmInitialized, 0, info->lParam);
  std::optional<std::string> chosen;
  if (desktop->folderDialog) chosen = desktop->folderDialog(*info);
  return chosen ? sim::detail::makeItemList(*chosen) : nullptr;
}

BOOL ZV_STDCALL pathFromIdList(const ITEMIDLIST* item, char* path) {
  recordCall("SHGetPathFromIDList", item);
  return SHGetPathFromIDListA(item, path);
}

}  // namespace

std::vector<sim::Export> sim::detail::folderBrowserExports() {
  return {{"SHBrowseForFolder", reinterpret_cast<void*>(&browseForFolder)},
          {"SHGetPathFromIDList", reinterpret_cast<void*>(&pathFromIdList)}};
}

namespace sim {

void setCurrentThread(DWORD threadId) {
  desktop->thread = threadId;
}

HWND addWindow(DWORD threadId, bool visible, bool enabled, DWORD processId) {
  HWND handle = detail::freshHandle();
  desktop->windows.insert(desktop->windows.begin(),
                          Window{handle, threadId, processId, visible, enabled});
  return handle;
}

void removeWindow(HWND window) {
  std::erase_if(desktop->windows, [window](const Window& w) { return w.handle == window; });
  if (desktop->foreground == window) desktop->foreground = nullptr;
}

void setForegroundWindow(HWND window) {
  desktop->foreground = window;
}

bool windowEnabled(HWND window) {
  Window* w = find(window);
  return w && w->enabled;
}

void onFileDialog(FileDialogHandler handler) {
  desktop->fileDialog = std::move(handler);
}

void answerFileDialog(const std::string& path) {
  onFileDialog([path](OPENFILENAMEA& dialog) -> BOOL {
    if (!dialog.lpstrFile || path.size() + 1 > dialog.nMaxFile) return kFalse;
    std::memcpy(dialog.lpstrFile, path.c_str(), path.size() + 1);
    return kTrue;
  });
}

void onFolderDialog(FolderDialogHandler handler) {
  desktop->folderDialog = std::move(handler);
}

void answerFolderDialog(const std::string& path) {
  onFolderDialog([path](BROWSEINFOA&) { return std::optional<std::string>(path); });
}

std::optional<std::string> folderDialogSelection() {
  return desktop->selection;
}

}  // namespace sim

DWORD GetCurrentProcessId() {
  recordCall("GetCurrentProcessId");
  return sim::kProcessId;
}

DWORD GetCurrentThreadId() {
  recordCall("GetCurrentThreadId");
  return desktop->thread;
}

BOOL EnumWindows(WNDENUMPROC callback, LPARAM lParam) {
  if (DWORD fault = recordCall("EnumWindows")) return fail(fault, kFalse);
  // A snapshot: the callback may change the windows.
  std::vector<HWND> handles;
  for (const Window& w : desktop->windows) handles.push_back(w.handle);
  for (HWND handle : handles)
    if (find(handle) && !callback(handle, lParam)) return kFalse;
  return kTrue;
}

BOOL EnableWindow(HWND window, BOOL enable) {
  recordCall("EnableWindow", window, enable ? 1 : 0);
  Window* w = find(window);
  if (!w) return fail(kErrorInvalidWindowHandle, kFalse);
  const bool wasDisabled = !w->enabled;
  w->enabled = enable != kFalse;
  return wasDisabled ? kTrue : kFalse;
}

BOOL IsWindowVisible(HWND window) {
  recordCall("IsWindowVisible", window);
  Window* w = find(window);
  return w && w->visible ? kTrue : kFalse;
}

BOOL IsWindowEnabled(HWND window) {
  recordCall("IsWindowEnabled", window);
  Window* w = find(window);
  return w && w->enabled ? kTrue : kFalse;
}

HWND GetForegroundWindow() {
  recordCall("GetForegroundWindow");
  return desktop->foreground;
}

DWORD GetWindowThreadProcessId(HWND window, DWORD* processId) {
  recordCall("GetWindowThreadProcessId", window);
  Window* w = find(window);
  if (!w) return fail(kErrorInvalidWindowHandle, DWORD{0});
  if (processId) *processId = w->process;
  return w->thread;
}

LRESULT SendMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  recordCall("SendMessageA", window, message, wParam, reinterpret_cast<void*>(lParam));
  Window* w = find(window);
  if (!w) return fail(kErrorInvalidWindowHandle, LRESULT{0});
  if (window == desktop->folderBrowser && message == kBffmSetSelectionA && wParam && lParam)
    desktop->selection = std::string(reinterpret_cast<const char*>(lParam));
  return 0;
}

BOOL GetOpenFileNameA(OPENFILENAMEA* dialog) {
  if (recordCall("GetOpenFileNameA", dialog)) return kFalse;
  if (!dialog || (dialog->lStructSize != kOpenFileNameSize && dialog->lStructSize != 88))
    return kFalse;
  BOOL chosen = kFalse;
  {
    OpenDialog open(false);
    if (desktop->fileDialog) chosen = desktop->fileDialog(*dialog);
  }
  if (chosen && !(dialog->Flags & kOfnNoChangeDir) && dialog->lpstrFile) {
    std::string path(dialog->lpstrFile);
    std::size_t folderEnd = path.find_last_of('\\');
    if (folderEnd != std::string::npos)
      sim::setCurrentDirectoryPath(sim::detail::unicodeOf(path.substr(0, folderEnd)));
  }
  return chosen;
}

}  // namespace platform
