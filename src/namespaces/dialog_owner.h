// The window that owns a picker's dialog.
#pragma once

#include "platform/types.h"

namespace zorvel {

// The foreground window when it belongs to this process, otherwise none (null).
platform::HWND dialogOwnerWindow();

}  // namespace zorvel
