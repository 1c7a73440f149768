// The simulated shell: special folders and shell memory.
#pragma once

#include <cstddef>
#include <string>

#include "../types.h"

namespace platform::sim {

// Where a special folder points. An empty path makes a folder without a file-system path
// (SHGetPathFromIDListA then fails). reset() restores the defaults: the desktop, documents,
// profile and program files folders under C:\Users\quenda and C:\Program Files.
void setSpecialFolder(int csidl, const std::string& path);
// SHGetSpecialFolderLocation fails with kEInvalidArg for this CSIDL.
void removeSpecialFolder(int csidl);

// Shell memory that CoTaskMemFree releases, for other simulated shell operations.
void* coTaskMemAlloc(std::size_t bytes);
// An item list in shell memory, as SHGetPathFromIDListA reads it.
ITEMIDLIST* makeItemList(const std::string& path, bool hasFileSystemPath = true);
// Shell memory blocks not yet released.
int liveCoTaskBlocks();

}  // namespace platform::sim
