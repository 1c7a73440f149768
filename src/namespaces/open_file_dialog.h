// The standard "Open" dialog, modal to the host.
#pragma once

#include <cstdint>

#include "plugin/text.h"

namespace zorvel {

constexpr std::uint32_t kOpenFileDialogFlags = 0x8080C;  // explorer, path must exist, no
                                                         // change of directory, no read-only box

// Shows the dialog titled `title`. `initialPath` is split at its last backslash (unless that is
// its first character): the folder before it is where the dialog starts, the name after it is
// proposed when it is a valid file name that fits the 260-byte name buffer. `patterns` is
// "description|pattern|..." with "|" between the parts; `patternIndex` (from 0) is the one
// selected first. `out` gets the chosen file's full path, or empty text when the dialog was
// cancelled or failed.
void openFileDialog(const char* title, const char* initialPath, const char* patterns,
                    std::int32_t patternIndex, TextVar& out);

// Not empty, no character below 0x20, none of  " \ / : * ? < > |
bool isValidFileName(const char* name);

}  // namespace zorvel
