// Loading modules and finding their exports.
#pragma once

#include "types.h"

namespace platform {

constexpr DWORD kErrorModNotFound = 126;     // ERROR_MOD_NOT_FOUND
constexpr DWORD kErrorProcNotFound = 127;    // ERROR_PROC_NOT_FOUND
constexpr DWORD kErrorDllInitFailed = 1114;  // ERROR_DLL_INIT_FAILED

// LoadLibraryA(name): the module's handle, loading it (and running its entry point) when it is
// not loaded yet; a module already loaded gives the same handle again and counts one load more.
// The name may carry a folder; names compare case-insensitively; a name without an extension
// gets ".dll", and a trailing "." means "no extension". Failure: null with kErrorModNotFound
// (also for an empty name), kErrorDllInitFailed when the entry point refuses the load. Success
// leaves the last error as it was.
HMODULE LoadLibraryA(const char* name);
// GetProcAddress(module, name): the address of the export (names are case-sensitive). Failure:
// null with kErrorProcNotFound for a name the module lacks, kErrorModNotFound for a handle that
// is not a loaded module.
void* GetProcAddress(HMODULE module, const char* name);
// FreeLibrary(module): TRUE, counting one load less; the module's entry point runs and the
// module goes away with its last load. Failure: FALSE with kErrorInvalidHandle for null,
// kErrorModNotFound for a handle that is not a loaded module.
BOOL FreeLibrary(HMODULE module);

// Known differences: the simulation knows registered modules only, KERNEL32.DLL and SHELL32.DLL
// among them, and matches them by their base name, so a path to a missing folder still finds a
// registered module of that name.

}  // namespace platform
