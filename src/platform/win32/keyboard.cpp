#include "../keyboard.h"

#include <windows.h>

namespace platform {

static_assert(VK_RETURN == kVkReturn && VK_CONTROL == kVkControl);

SHORT GetAsyncKeyState(int virtualKey) {
  return ::GetAsyncKeyState(virtualKey);
}

}  // namespace platform
