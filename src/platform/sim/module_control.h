// The simulated module loader: tests and other simulated areas register named fake modules,
// whose exports LoadLibraryA and GetProcAddress then find.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace platform::sim {

using Export = std::pair<std::string, void*>;

// Registers a module under `name` (matched case-insensitively, with or without a folder in
// front) with the given exports, or adds the exports to one registered already (an export of
// the same name is replaced). A module stays loadable until removeModule; "KERNEL32.DLL" is
// always there and loaded, exporting GetLastError. A "DllMain" export runs as the entry point:
// attach at the first load, detach at the last FreeLibrary.
void addModule(const std::string& name, const std::vector<Export>& exports);
// Forgets one registered module (not a built-in one), loaded or not.
void removeModule(const std::string& name);
// Loads minus frees of a module now (0 for one never loaded or unknown).
int moduleLoadCount(const std::string& name);

}  // namespace platform::sim
