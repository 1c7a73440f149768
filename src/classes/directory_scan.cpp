#include "directory_scan.h"

#include <cstring>

#include "platform/code_page.h"
#include "platform/files.h"
#include "plugin/memory.h"
#include "plugin/text.h"

namespace zorvel {

struct DirectoryScan {
  platform::HANDLE find;  // kInvalidHandle for a folder in which nothing matched
  bool firstPending;      // the entry from FindFirstFileA is not yet handed out
  platform::WIN32_FIND_DATAA current;
};

namespace {

// Builds folder + "\" (when it has no closing backslash) + pattern into `search`, which holds
// kMaxPath bytes. False when that would not fit: a shortened folder would search another place.
bool buildSearchText(const char* folder, const char* pattern, char (&search)[platform::kMaxPath]) {
  if (!pattern || !*pattern) pattern = "*.*";
  std::size_t folderLength = textLength(folder);
  std::size_t patternLength = std::strlen(pattern);
  bool needsSeparator = folderLength > 0 && folder[folderLength - 1] != '\\';
  std::size_t total = folderLength + (needsSeparator ? 1 : 0) + patternLength;
  if (total >= sizeof search) return false;
  char* p = search;
  std::memcpy(p, folder ? folder : "", folderLength);
  p += folderLength;
  if (needsSeparator) *p++ = '\\';
  std::memcpy(p, pattern, patternLength + 1);
  return true;
}

}  // namespace

DirectoryScan* openDirectoryScan(const char* folder, const char* pattern) {
  char search[platform::kMaxPath];
  if (!buildSearchText(folder, pattern, search)) return nullptr;
  auto* scan = static_cast<DirectoryScan*>(moduleAlloc(sizeof(DirectoryScan)));
  if (!scan) return nullptr;
  scan->find = platform::FindFirstFileA(search, &scan->current);
  if (scan->find != platform::kInvalidHandle) {
    scan->firstPending = true;
    return scan;
  }
  // Matches whose names the code page cannot give exactly are as good as none.
  platform::DWORD error = platform::GetLastError();
  if (error == platform::kErrorFileNotFound || error == platform::kErrorNoUnicodeTranslation) {
    scan->firstPending = false;
    return scan;
  }
  moduleFree(scan);
  return nullptr;
}

bool nextDirectoryEntry(DirectoryScan* scan) {
  if (!scan || scan->find == platform::kInvalidHandle) return false;
  if (scan->firstPending) {
    scan->firstPending = false;
    return true;
  }
  return platform::FindNextFileA(scan->find, &scan->current) != platform::kFalse;
}

std::int32_t directoryEntryType(const DirectoryScan* scan) {
  if (!scan) return kNoEntry;
  return (scan->current.dwFileAttributes & platform::kFileAttributeDirectory) ? kFolderEntry
                                                                              : kFileEntry;
}

const char* directoryEntryName(const DirectoryScan* scan) {
  return scan ? scan->current.cFileName : "";
}

void closeDirectoryScan(DirectoryScan* scan) {
  if (!scan) return;
  if (scan->find != platform::kInvalidHandle) platform::FindClose(scan->find);
  moduleFree(scan);
}

}  // namespace zorvel
