// The running program's own file, so a program can find files that lie beside it.
#pragma once

#include "types.h"

namespace platform {

constexpr DWORD kErrorInsufficientBuffer = 122;  // ERROR_INSUFFICIENT_BUFFER

// GetModuleFileNameA(module, buffer, size) with module null: the full path of the program's
// file. Success: the path's length without the NUL, the path and a NUL in buffer. A buffer of
// `size` characters that is too small gets the first size - 1 characters and a NUL; the result is
// then `size` with kErrorInsufficientBuffer. Size 0 writes nothing and returns 0.
DWORD GetModuleFileNameA(HMODULE module, char* buffer, DWORD size);

}  // namespace platform
