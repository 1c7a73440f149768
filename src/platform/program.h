// The running program's own file, so a program can find files that lie beside it.
#pragma once

#include "registry.h"  // kErrorInsufficientBuffer
#include "types.h"

namespace platform {

// GetModuleFileNameA(module, buffer, size) with module null: the full path of the program's
// file. Success: the path's length without the NUL, the path and a NUL in buffer. A buffer of
// `size` characters that is too small: the result is `size` with kErrorInsufficientBuffer, and
// the buffer holds the start of the path, cut to `size` characters without a NUL (Windows XP,
// Wine and the simulation) or to size - 1 characters and a NUL (later Windows): a result equal to
// `size` means "too small", whatever the buffer holds. Nothing is written past `size`
// characters. Size 0 writes nothing and returns 0.
DWORD GetModuleFileNameA(HMODULE module, char* buffer, DWORD size);

}  // namespace platform
