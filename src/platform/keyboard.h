// The keyboard's state, whatever window has the focus.
#pragma once

#include "types.h"

namespace platform {

constexpr int kVkReturn = 0x0D;   // VK_RETURN
constexpr int kVkControl = 0x11;  // VK_CONTROL

// The bits of a GetAsyncKeyState result, read as a WORD.
constexpr WORD kKeyDown = 0x8000;
constexpr WORD kKeyPressedSince = 0x0001;

// GetAsyncKeyState(virtualKey): the key's state as a signed 16-bit value. kKeyDown (the sign
// bit): the key is down now. kKeyPressedSince: the key was pressed since the previous
// GetAsyncKeyState call for it (any thread of the process); the call clears that bit. 0 for a
// key that is up and was not pressed, and for a key number outside 1..254.
SHORT GetAsyncKeyState(int virtualKey);

// Known differences: Wine reports the pressed-since bit of Enter, but not of VK_CONTROL (which
// stands for either Ctrl key); the simulation reports it for every key.

}  // namespace platform
