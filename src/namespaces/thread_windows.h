// Making a dialog modal to the host: the calling thread's other top-level windows are disabled
// while it is open.
#pragma once

#include "platform/types.h"

namespace zorvel {

// Disables every top-level window of the calling thread that is visible, enabled and not the
// foreground window, and records it. A window whose record can't be allocated is left enabled,
// so that nothing stays disabled for good.
void disableThreadWindows();
// Enables the windows that the calling thread disabled and forgets their records; the records
// of other threads stay.
void enableThreadWindows();

}  // namespace zorvel
