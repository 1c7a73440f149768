// The calling thread's last error: every seam call that fails sets it, except the registry's,
// which return their error.
#pragma once

#include "types.h"

namespace platform {

// GetLastError(): the calling thread's last error code.
DWORD GetLastError();
// SetLastError(code): sets it. Tests prime it before a call; the library does not call it.
void SetLastError(DWORD code);

}  // namespace platform
