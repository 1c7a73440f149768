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

}  // namespace zorvel
