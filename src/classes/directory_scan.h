// The directory scan: one open walk over a folder's entries.
#pragma once

#include <cstdint>

namespace zorvel {

struct DirectoryScan;

enum DirectoryEntryKind : std::int32_t { kNoEntry = 0, kFileEntry = 1, kFolderEntry = 2 };

// Opens a scan of `folder` (a closing backslash is added when missing; "" is the current
// directory) for `pattern` ("*.*" when null or empty). A folder that exists but matches nothing
// (or only names the code page cannot give) gives a scan with no entries; a folder that can't be
// searched, or whose search text would not fit in 260 characters, gives null.
DirectoryScan* openDirectoryScan(const char* folder, const char* pattern);
// Makes the next entry current; false at the end and for a null scan.
bool nextDirectoryEntry(DirectoryScan* scan);
// kFolderEntry when the current entry is a directory, kFileEntry otherwise, kNoEntry for null.
std::int32_t directoryEntryType(const DirectoryScan* scan);
// The current entry's name without any path, valid until the scan moves on or is closed; "" for
// a null scan.
const char* directoryEntryName(const DirectoryScan* scan);
// Ends the search and releases the scan; null is accepted.
void closeDirectoryScan(DirectoryScan* scan);

}  // namespace zorvel
