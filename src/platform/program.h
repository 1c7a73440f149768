// The running program's own file, so a program can find files that lie beside it. For the
// reference host; the library does not call it.
#pragma once

#include "types.h"

namespace platform {

// GetModuleFileNameA(module, buffer, size) with module null: the full path of the program's
// file. Success: the path's length without the NUL, the path and a NUL in buffer. A buffer of
// `size` characters that is too small: the result is `size` with kErrorInsufficientBuffer, and
// the buffer holds the start of the path, cut to size - 1 characters and a NUL (Windows XP: to
// `size` characters without a NUL): a result equal to `size` means "too small", whatever the
// buffer holds. Nothing is written past `size` characters. Size 0 writes nothing and returns 0.
DWORD GetModuleFileNameA(HMODULE module, char* buffer, DWORD size);

// Known differences: Wine and the simulation cut the path to `size` characters without a NUL,
// as Windows XP does.

}  // namespace platform
