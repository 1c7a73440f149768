// The process's current directory as the dir group and the pickers see it.
#pragma once

#include "plugin/text.h"

namespace zorvel {

// The current directory, ending in a backslash; empty text when Windows can't tell it.
// A path of any length is read whole.
void currentDirectoryPath(TextVar& out);

}  // namespace zorvel
