// The simulated desktop: windows in z-order, the foreground window, the calling thread, and
// the two modal dialogs with scripted answers.
#include "../desktop.h"
#include "../dialogs.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "../files.h"
#include "../shell.h"
#include "internal.h"
#include "module_control.h"
#include "shell_control.h"
#include "ui_control.h"

namespace platform {
namespace {

constexpr DWORD kErrorInvalidWindowHandle = 1400;  // ERROR_INVALID_WINDOW_HANDLE

struct Window {
  HWND handle;
  DWORD thread;
  DWORD process;
  bool visible;
  bool enabled;
  bool folderBrowser;
};

struct UiState {
  DWORD thread = sim::kHostThreadId;
  std::vector<Window> windows;  // front first
  HWND foreground = nullptr;
  std::uintptr_t nextHandle = 0x10010;
  sim::FileDialogHandler fileDialog;
  sim::FolderDialogHandler folderDialog;
  std::optional<std::string> selection;
};

UiState& state() {
  static UiState s;
  return s;
}

Window* find(HWND handle) {
  for (Window& w : state().windows)
    if (w.handle == handle) return &w;
  return nullptr;
}

// A modal dialog's window: in front, the foreground window, until it closes.
class OpenDialog {
 public:
  explicit OpenDialog(bool folderBrowser) : previous_(state().foreground) {
    window_ = sim::addWindow(state().thread, true, true, sim::kProcessId);
    find(window_)->folderBrowser = folderBrowser;
    state().foreground = window_;
  }
  ~OpenDialog() {
    sim::removeWindow(window_);
    state().foreground = previous_ && find(previous_) ? previous_ : nullptr;
  }
  HWND window() const { return window_; }

 private:
  HWND window_;
  HWND previous_;
};

ITEMIDLIST* ZV_STDCALL browseForFolder(BROWSEINFOA* info) {
  if (sim::enter("SHBrowseForFolder", {sim::detail::hex(info)})) return nullptr;
  OpenDialog dialog(true);
  state().selection.reset();
  if (info->lpfn) info->lpfn(dialog.window(), kBffmInitialized, 0, info->lParam);
  return state().folderDialog ? state().folderDialog(*info) : nullptr;
}

BOOL ZV_STDCALL pathFromIdList(const ITEMIDLIST* item, char* path) {
  sim::enter("SHGetPathFromIDList", {sim::detail::hex(item)});
  return SHGetPathFromIDListA(item, path);
}

void installShellModule() {
  sim::addModule("SHELL32.DLL",
                 {{"SHBrowseForFolder", reinterpret_cast<void*>(&browseForFolder)},
                  {"SHGetPathFromIDList", reinterpret_cast<void*>(&pathFromIdList)}});
}

void resetUi() {
  state() = UiState{};
  installShellModule();
}

[[maybe_unused]] const bool registered = (sim::registerReset(&resetUi), installShellModule(), true);

}  // namespace

namespace sim {

void setCurrentThread(DWORD threadId) {
  state().thread = threadId;
}

HWND addWindow(DWORD threadId, bool visible, bool enabled, DWORD processId) {
  auto handle = reinterpret_cast<HWND>(state().nextHandle);
  state().nextHandle += 0x10;
  state().windows.insert(state().windows.begin(),
                         Window{handle, threadId, processId, visible, enabled, false});
  return handle;
}

void removeWindow(HWND window) {
  std::erase_if(state().windows, [window](const Window& w) { return w.handle == window; });
  if (state().foreground == window) state().foreground = nullptr;
}

void setForegroundWindow(HWND window) {
  state().foreground = window;
}

bool windowEnabled(HWND window) {
  Window* w = find(window);
  return w && w->enabled;
}

int windowCount() {
  return static_cast<int>(state().windows.size());
}

void onFileDialog(FileDialogHandler handler) {
  state().fileDialog = std::move(handler);
}

void answerFileDialog(const std::string& path) {
  onFileDialog([path](OPENFILENAMEA& dialog) -> BOOL {
    if (!dialog.lpstrFile || path.size() + 1 > dialog.nMaxFile) return kFalse;
    std::memcpy(dialog.lpstrFile, path.c_str(), path.size() + 1);
    return kTrue;
  });
}

void onFolderDialog(FolderDialogHandler handler) {
  state().folderDialog = std::move(handler);
}

void answerFolderDialog(const std::string& path, bool hasFileSystemPath) {
  onFolderDialog(
      [path, hasFileSystemPath](BROWSEINFOA&) { return makeItemList(path, hasFileSystemPath); });
}

std::optional<std::string> folderDialogSelection() {
  return state().selection;
}

}  // namespace sim

DWORD GetCurrentProcessId() {
  sim::enter("GetCurrentProcessId");
  return sim::kProcessId;
}

DWORD GetCurrentThreadId() {
  sim::enter("GetCurrentThreadId");
  return state().thread;
}

BOOL EnumWindows(WNDENUMPROC callback, LPARAM lParam) {
  if (sim::detail::failed(sim::enter("EnumWindows"))) return kFalse;
  // A snapshot: the callback may change the windows.
  std::vector<HWND> handles;
  for (const Window& w : state().windows) handles.push_back(w.handle);
  for (HWND handle : handles)
    if (find(handle) && !callback(handle, lParam)) return kFalse;
  return kTrue;
}

BOOL EnableWindow(HWND window, BOOL enable) {
  sim::enter("EnableWindow", {sim::detail::hex(window), sim::detail::num(enable ? 1 : 0)});
  Window* w = find(window);
  if (!w) {
    sim::detail::setLastError(kErrorInvalidWindowHandle);
    return kFalse;
  }
  const bool wasDisabled = !w->enabled;
  w->enabled = enable != kFalse;
  return wasDisabled ? kTrue : kFalse;
}

BOOL IsWindowVisible(HWND window) {
  sim::enter("IsWindowVisible", {sim::detail::hex(window)});
  Window* w = find(window);
  return w && w->visible ? kTrue : kFalse;
}

BOOL IsWindowEnabled(HWND window) {
  sim::enter("IsWindowEnabled", {sim::detail::hex(window)});
  Window* w = find(window);
  return w && w->enabled ? kTrue : kFalse;
}

HWND GetForegroundWindow() {
  sim::enter("GetForegroundWindow");
  return state().foreground;
}

DWORD GetWindowThreadProcessId(HWND window, DWORD* processId) {
  sim::enter("GetWindowThreadProcessId", {sim::detail::hex(window)});
  Window* w = find(window);
  if (!w) {
    sim::detail::setLastError(kErrorInvalidWindowHandle);
    return 0;
  }
  if (processId) *processId = w->process;
  return w->thread;
}

LRESULT SendMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  sim::enter("SendMessageA",
             {sim::detail::hex(window), sim::detail::num(message), sim::detail::num(wParam),
              sim::detail::hex(reinterpret_cast<void*>(lParam))});
  Window* w = find(window);
  if (!w) {
    sim::detail::setLastError(kErrorInvalidWindowHandle);
    return 0;
  }
  if (w->folderBrowser && message == kBffmSetSelectionA && wParam && lParam)
    state().selection = std::string(reinterpret_cast<const char*>(lParam));
  return 0;
}

BOOL GetOpenFileNameA(OPENFILENAMEA* dialog) {
  if (sim::enter("GetOpenFileNameA", {sim::detail::hex(dialog)})) return kFalse;
  if (!dialog || (dialog->lStructSize != kOpenFileNameSize && dialog->lStructSize != 88))
    return kFalse;
  BOOL chosen = kFalse;
  {
    OpenDialog open(false);
    if (state().fileDialog) chosen = state().fileDialog(*dialog);
  }
  if (chosen && !(dialog->Flags & kOfnNoChangeDir) && dialog->lpstrFile) {
    std::string path(dialog->lpstrFile);
    std::size_t folderEnd = path.find_last_of('\\');
    if (folderEnd != std::string::npos) sim::setCurrentDirectoryPath(path.substr(0, folderEnd));
  }
  return chosen;
}

}  // namespace platform
