// The recursive folder copy behind folder.copy.
#pragma once

#include <cstdint>

namespace zorvel {

enum CopyFlags : std::uint32_t {
  copyRecursive = 1,        // descend into subfolders
  copyClearAttributes = 2,  // make an existing destination file normal before copying onto it
};

// Copies the entries of `source` that match `pattern` ("*.*" when null or empty) into
// `destination`, creating that folder (one level) when it does not exist. Existing files are
// replaced. Returns 1 when every copy succeeded, 0 otherwise; a failed copy does not stop the
// walk. A path that would not fit in 260 characters is not copied (and makes the result 0).
// Folders are compared by identity, whatever spelling names them: a destination inside the
// source tree is left out of the walk, so the tree is copied once; a folder the walk is in
// already (a junction back up) is not entered again; a destination that is the source itself
// copies nothing and gives 0.
std::int32_t copyFolderTree(const char* source, const char* destination, const char* pattern,
                            std::uint32_t flags);

}  // namespace zorvel
