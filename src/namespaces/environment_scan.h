// The walk over the whole environment: a private snapshot of the environment block and a
// cursor on its current entry. One walk at a time in the process; each opening replaces the
// previous snapshot.
#pragma once

#include "plugin/text.h"

namespace zorvel {

// Takes a new snapshot and puts the cursor before the first entry. False, with no snapshot
// left, when the block can't be obtained or copied.
bool openEnvironmentScan();
// Moves to the next entry; false at the end and when there is no snapshot.
bool nextEnvironmentEntry();
// The current entry's name: the text before its first "=" (empty when it begins with "=" or
// holds none).
void environmentEntryName(TextVar& out);
// The current entry's value: the text after its first "=" ("" when it holds none). Valid until
// the next scan is opened.
const char* environmentEntryValue();

}  // namespace zorvel
