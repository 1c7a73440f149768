// The simulated clipboard and global memory.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "../types.h"

namespace platform::sim {

// While held, another program has the clipboard open and OpenClipboard fails.
void holdClipboard(bool heldByAnotherProgram);
// Empties the clipboard and places one format with exactly these bytes, as another program
// would (a text block may lack its NUL or hold several).
void placeClipboardData(UINT format, const std::string& bytes);
// The whole block that holds a format, or nothing when the format is not there.
std::optional<std::string> clipboardData(UINT format);
std::vector<UINT> clipboardFormats();
// Whether this thread holds the clipboard open now.
bool clipboardOpen();
// Global blocks allocated and neither freed nor handed to the clipboard.
int liveGlobalBlocks();

}  // namespace platform::sim
