// The process environment. Names compare case-insensitively; a value may hold any bytes but NUL.
#pragma once

#include "types.h"

namespace platform {

// GetEnvironmentStrings(): a private copy of the environment block: strings "name=value", each
// ending in a NUL, in block order, then one more NUL. The per-drive entries ("=C:=C:\dir")
// begin with "=". The caller releases the copy with FreeEnvironmentStringsA. Null on failure
// (kErrorNotEnoughMemory).
char* GetEnvironmentStrings();
// FreeEnvironmentStringsA(block): releases a copy made by GetEnvironmentStrings; TRUE.
BOOL FreeEnvironmentStringsA(char* block);

// GetEnvironmentVariableA(name, buffer, size):
//   - the variable exists and its value and NUL fit in `size` bytes: copies them and returns
//     the value's length (0 for an empty value, with only the NUL written and the last error
//     left as it was);
//   - it exists but does not fit (a null buffer with size 0 included): returns the size needed,
//     NUL included, and writes nothing into the buffer;
//   - it does not exist: returns 0 with kErrorEnvvarNotFound, buffer untouched.
DWORD GetEnvironmentVariableA(const char* name, char* buffer, DWORD size);
// SetEnvironmentVariableA(name, value): sets the variable, replacing an old value; a null value
// deletes it (TRUE also when it did not exist), an empty value keeps it with the empty text.
// FALSE with kErrorInvalidParameter for an empty name or one that holds "=" after its first
// character. The block stays sorted by name.
BOOL SetEnvironmentVariableA(const char* name, const char* value);

// GetWindowsDirectoryA(buffer, size): the Windows folder's full path, without a closing
// backslash unless it is a drive root. When the path and its NUL fit in `size` bytes, copies
// them and returns the path's length; otherwise returns the size needed, NUL included, and
// writes nothing into the buffer; 0 with the last error when it fails. The simulation's is
// C:\Windows.
UINT GetWindowsDirectoryA(char* buffer, UINT size);

// Known differences:
// - Wine leaves the last error alone when SetEnvironmentVariableA refuses a name.
// - Wine and the simulation put a new variable at the end of the block.

}  // namespace platform
