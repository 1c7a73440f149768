// What a library that shows the system's dialogs starts once: the common controls and COM.
#pragma once

#include "types.h"

namespace platform {

// InitCommonControls(): no result.
void InitCommonControls();
// CoInitialize(reserved): S_OK (0), or S_FALSE (1) when this thread has initialised COM already.
HRESULT CoInitialize(void* reserved);

}  // namespace platform
