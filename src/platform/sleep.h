// Waiting.
#pragma once

#include "types.h"

namespace platform {

// Sleep(milliseconds): suspends the calling thread for at least that long; Sleep(0) only gives
// up the rest of the time slice.
void Sleep(DWORD milliseconds);

// Known differences: the simulation does not wait.

}  // namespace platform
