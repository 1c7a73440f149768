// The absolute form of a path, worked out as Windows would without asking the file system: "/"
// read as "\", relative paths joined to the current directory, "." and ".." folded, trailing
// dots and blanks of a name dropped. Used to compare two paths for the same place.
#pragma once

#include <cstddef>

namespace zorvel {

// Writes the absolute form of `path` against `currentDirectory` into `out` (`capacity` bytes):
// a drive and its components ("C:\a\b", "C:" for a root; "\\server\share\a" for UNC paths), no
// closing backslash. False when it would not fit or `path` is empty.
bool fullPath(const char* path, const char* currentDirectory, char* out, std::size_t capacity);

// Equal as Windows compares names: ASCII letters without regard to case.
bool samePathText(const char* a, const char* b);

}  // namespace zorvel
