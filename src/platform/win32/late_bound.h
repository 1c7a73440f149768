// Functions of libraries that few scripts use (the shell's and the common dialogs'), found at
// their first call. A library in the import table is loaded with the plug-in, before the host
// can run anything; these two would add their load to every start of every host.
#pragma once

#include <windows.h>

namespace platform {

// The address of `name` in `library`, loaded on the first call and kept for the process; null
// with ERROR_MOD_NOT_FOUND or ERROR_PROC_NOT_FOUND in the last error when either is missing.
template <typename Fn>
Fn lateBound(const char* library, const char* name) {
  ::HMODULE module = ::LoadLibraryA(library);
  if (!module) return nullptr;
  return reinterpret_cast<Fn>(reinterpret_cast<void*>(::GetProcAddress(module, name)));
}

}  // namespace platform
