// One registry value read as text.
#pragma once

#include "platform/types.h"
#include "plugin/text.h"

namespace zorvel {

// The longest text a registry read gives: the value must fit, with its terminating zero, in
// the 255-byte buffer.
constexpr platform::DWORD kRegistryTextBuffer = 255;

// Reads root\subkey's value `valueName` (an empty name: the key's default value) as text: the
// value's bytes without their terminating zero, cut at the first zero byte. False, with `out`
// empty, when the key or the value is missing or the value needs more than 255 bytes. The
// value's type is not looked at.
bool readRegistryText(platform::HKEY root, const char* subkey, const char* valueName, TextVar& out);

}  // namespace zorvel
