// The path-part rules: pure text work on a path, never on the file system. Each accepts a null
// text as "", a leading double quote, and both "\" and "/" as separators.
#pragma once

#include "plugin/text.h"

namespace zorvel {

// The folder part up to and including the last separator before the first "|"; "" when there is
// none. A leading double quote is skipped.
void directoryPart(const char* path, TextVar& out);
// The text behind the last separator (a "|" does not stop the search), up to the first double
// quote or the end. A leading double quote is skipped.
void fileNamePart(const char* path, TextVar& out);
// The text behind the last "." of the final component, up to the first double quote or the end,
// without the dot; "" when the final component has no dot.
void extensionPart(const char* path, TextVar& out);

// The longest path text the platform takes: 260 bytes with its NUL. A longer one is never
// handed over; the routine does nothing instead, as the platform would have refused it.
constexpr std::size_t kLongestPath = 259;
inline bool fitsPath(const char* path) {
  return textLength(path) <= kLongestPath;
}

}  // namespace zorvel
