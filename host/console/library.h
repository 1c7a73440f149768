// Finding and binding the plug-in library.
#pragma once

#include <optional>
#include <string>

#include "runtime/runtime.h"

namespace quenda::console {

// The library file quenda loads by default: zorvel.dll in the folder of quenda's own file.
std::string defaultLibraryPath();
// The path made absolute against the current directory, when it is relative.
std::string absoluteLibraryPath(const std::string& path);

// Binds the library to the runtime: the file at `path` when one is given, otherwise
// defaultLibraryPath() (on Windows) or the library linked into this program (native builds).
Result attachLibrary(Runtime& runtime, const std::optional<std::string>& path);

}  // namespace quenda::console
