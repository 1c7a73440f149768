// Which folder a path names, as the file system knows it: the same for every spelling of one
// folder (another case, a short name, a "\\?\" prefix, a junction on the way).
#pragma once

#include <cstdint>

namespace zorvel {

struct FolderIdentity {
  std::uint32_t volume;
  std::uint32_t indexHigh;
  std::uint32_t indexLow;

  bool operator==(const FolderIdentity&) const = default;
};

// The identity of the existing entry `path`; false when it cannot be opened or asked.
bool folderIdentity(const char* path, FolderIdentity& out);

}  // namespace zorvel
