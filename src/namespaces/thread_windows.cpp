#include "thread_windows.h"

#include <new>

#include "platform/desktop.h"
#include "plugin/memory.h"
#include "plugin/module_state.h"

namespace zorvel {
namespace {

// One window a dialog disabled, with the thread that disabled it. The records of all threads
// form one process-wide list, empty between dialogs.
struct DisabledWindow {
  platform::DWORD threadId;
  platform::HWND window;
  DisabledWindow* next;
};
LoadState<DisabledWindow*> gDisabledWindows;

// The EnumWindows callback; `data` is the calling thread's identifier.
platform::BOOL ZV_STDCALL disableIfOurs(platform::HWND window, platform::LPARAM data) {
  const auto threadId = static_cast<platform::DWORD>(data);
  if (platform::GetWindowThreadProcessId(window, nullptr) == threadId &&
      platform::IsWindowVisible(window) && platform::IsWindowEnabled(window) &&
      window != platform::GetForegroundWindow()) {
    void* memory = moduleAlloc(sizeof(DisabledWindow));
    if (memory) {
      DisabledWindow*& list = gDisabledWindows.get();
      list = new (memory) DisabledWindow{threadId, window, list};
      platform::EnableWindow(window, platform::kFalse);
    }
  }
  return platform::kTrue;
}

}  // namespace

void disableThreadWindows() {
  platform::EnumWindows(&disableIfOurs,
                        static_cast<platform::LPARAM>(platform::GetCurrentThreadId()));
}

void enableThreadWindows() {
  const platform::DWORD threadId = platform::GetCurrentThreadId();
  DisabledWindow** link = &gDisabledWindows.get();
  while (*link) {
    DisabledWindow* record = *link;
    if (record->threadId == threadId) {
      platform::EnableWindow(record->window, platform::kTrue);
      *link = record->next;
      moduleFree(record);
    } else {
      link = &record->next;
    }
  }
}

}  // namespace zorvel
