#include "../startup.h"

#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

namespace platform {

void InitCommonControls() { ::InitCommonControls(); }

HRESULT CoInitialize(void* reserved) { return ::CoInitialize(reserved); }

}  // namespace platform
