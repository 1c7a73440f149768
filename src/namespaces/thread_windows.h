// Making a dialog modal to the host: the calling thread's other top-level windows are disabled
// while it is open.
#pragma once

#include "platform/types.h"

namespace zorvel {

// One window a dialog disabled, with the thread that disabled it. The records of all threads
// form one process-wide list (SystemState::pickers).
struct DisabledWindow {
  platform::DWORD threadId;
  platform::HWND window;
  DisabledWindow* next;
};

// Disables every top-level window of the calling thread that is visible, enabled and not the
// foreground window, and records it. A window whose record can't be allocated is left enabled,
// so that nothing stays disabled for good.
void disableThreadWindows();
// Enables the windows that the calling thread disabled and forgets their records; the records
// of other threads stay.
void enableThreadWindows();

}  // namespace zorvel
