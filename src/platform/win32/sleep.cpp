#include "../sleep.h"

#include <windows.h>

namespace platform {

void Sleep(DWORD milliseconds) { ::Sleep(milliseconds); }

}  // namespace platform
