#include "copy_folder_tree.h"

#include <cstring>

#include "folder_identity.h"
#include "full_path.h"
#include "platform/files.h"
#include "plugin/text.h"

namespace zorvel {
namespace {

constexpr std::size_t kPath = platform::kMaxPath;  // a path and its NUL
// An absolute form: the current directory and a relative path of up to kPath each.
constexpr std::size_t kFullPath = 2 * kPath + 8;
// Every level adds a backslash and a name to a path shorter than kPath.
constexpr std::size_t kDeepest = kPath / 2 + 1;

// What stays the same through one copy: the pattern and flags, and where the walk is, in
// absolute form, so that it can recognise the destination when it meets it.
struct Walk {
  const char* pattern;
  std::uint32_t flags;
  char destination[kFullPath];  // "" when unknown
  char source[kFullPath];       // the folder being walked; valid while sourceKnown
  std::size_t sourceLength;
  bool sourceKnown;
  // The same by identity, which no spelling can hide: the destination, once it exists, and the
  // folders being walked, the source first.
  bool destinationAsked;
  bool destinationIdentified;
  FolderIdentity destinationIdentity;
  std::size_t depth;
  FolderIdentity walking[kDeepest];
};

// Whether `folder` is the destination or a folder the walk is in already (a junction back up).
bool isWalkedOrDestination(const Walk& walk, const FolderIdentity& folder) {
  if (walk.destinationIdentified && folder == walk.destinationIdentity) return true;
  for (std::size_t i = 0; i < walk.depth; ++i)
    if (walk.walking[i] == folder) return true;
  return false;
}

// Writes `prefix` (its first `prefixLength` characters) and `name` into `out`, which holds kPath
// bytes. False, with nothing promised about `out`, when the result would not fit.
bool joinPath(char (&out)[kPath], const char* prefix, std::size_t prefixLength, const char* name) {
  std::size_t nameLength = std::strlen(name);
  if (prefixLength + nameLength >= kPath) return false;
  if (out != prefix) std::memmove(out, prefix, prefixLength);
  std::memcpy(out + prefixLength, name, nameLength + 1);
  return true;
}

// Steps the walk's absolute source into the subfolder `name`; gives what leaveFolder needs to
// step back out.
std::size_t enterFolder(Walk& walk, const char* name) {
  std::size_t saved = walk.sourceLength;
  std::size_t nameLength = std::strlen(name);
  if (!walk.sourceKnown || saved + 1 + nameLength >= sizeof walk.source) {
    walk.sourceKnown = false;
    return saved;
  }
  walk.source[saved] = '\\';
  std::memcpy(walk.source + saved + 1, name, nameLength + 1);
  walk.sourceLength = saved + 1 + nameLength;
  return saved;
}

void leaveFolder(Walk& walk, std::size_t saved, bool wasKnown) {
  walk.sourceKnown = wasKnown;
  walk.sourceLength = saved;
  if (wasKnown) walk.source[saved] = 0;
}

bool isDotEntry(const char* name) {
  return sameText(name, ".") || sameText(name, "..");
}

std::int32_t copyTree(const char* source, const char* destination, Walk& walk) {
  std::size_t sourceLength = textLength(source);
  std::size_t destinationLength = textLength(destination);
  if (sourceLength == 0 || destinationLength == 0) return 0;
  // Nothing is cut short: a shortened path can name another place.
  if (destinationLength >= kPath) return 0;

  // S, the source folder with its closing backslash, followed by the pattern: the search text.
  char search[kPath];
  bool sourceNeedsSeparator = source[sourceLength - 1] != '\\';
  std::size_t folderLength = sourceLength + (sourceNeedsSeparator ? 1 : 0);
  if (folderLength >= kPath) return 0;
  std::memcpy(search, source, sourceLength);
  if (sourceNeedsSeparator) search[sourceLength] = '\\';
  if (!joinPath(search, search, folderLength, walk.pattern)) return 0;

  // Entry paths: S + name, and the destination with its closing backslash + name.
  char entrySource[kPath];
  char entryDestination[kPath];
  std::size_t destinationFolderLength =
      destinationLength + (destination[destinationLength - 1] != '\\' ? 1 : 0);

  // D, the destination without one closing backslash: does it exist as a folder?
  std::size_t dLength = destinationLength - (destination[destinationLength - 1] == '\\' ? 1 : 0);
  std::memcpy(entryDestination, destination, dLength);
  entryDestination[dLength] = 0;
  // Its attributes tell what a search for the name itself would, at a fraction of the cost.
  platform::DWORD attributes = platform::GetFileAttributesA(entryDestination);
  bool destinationExists =
      attributes != 0xFFFFFFFF && (attributes & platform::kFileAttributeDirectory) != 0;

  platform::WIN32_FIND_DATAA found;
  platform::HANDLE find = platform::FindFirstFileA(search, &found);
  if (find == platform::kInvalidHandle) return 0;
  bool bareDrive = dLength > 0 && entryDestination[dLength - 1] == ':';
  if (!destinationExists && !bareDrive && !platform::CreateDirectoryA(destination, nullptr)) {
    platform::FindClose(find);
    return 0;
  }

  if (!walk.destinationAsked) {
    walk.destinationAsked = true;
    // D as it stands; a bare drive is its root, not the drive's current directory.
    if (bareDrive) std::memcpy(entryDestination + dLength, "\\", 2);
    walk.destinationIdentified = folderIdentity(entryDestination, walk.destinationIdentity);
    // A destination that cannot be told from the source, or that is the source under another
    // spelling (every file would be its own copy), receives nothing.
    if (!walk.destinationIdentified || walk.walking[0] == walk.destinationIdentity) {
      platform::FindClose(find);
      return 0;
    }
  }

  std::memcpy(entrySource, search, folderLength);
  std::memcpy(entryDestination, destination, destinationLength);
  entryDestination[destinationLength] = '\\';

  std::int32_t result = 1;
  do {
    const char* name = found.cFileName;
    bool isFolder = (found.dwFileAttributes & platform::kFileAttributeDirectory) != 0;
    if (isFolder && (!(walk.flags & copyRecursive) || isDotEntry(name))) continue;
    if (!joinPath(entrySource, entrySource, folderLength, name) ||
        !joinPath(entryDestination, entryDestination, destinationFolderLength, name)) {
      result = 0;
      continue;
    }
    if (isFolder) {
      // Asked once per folder entered, never per file. A folder that cannot be identified might
      // lead back up: it is not entered, and the copy is not complete.
      FolderIdentity folder;
      if (!folderIdentity(entrySource, folder)) {
        result = 0;
        continue;
      }
      if (isWalkedOrDestination(walk, folder)) continue;
      bool pushed = walk.depth < kDeepest;
      if (pushed) walk.walking[walk.depth++] = folder;
      bool wasKnown = walk.sourceKnown;
      std::size_t saved = enterFolder(walk, name);
      // The destination met inside the source: the tree is copied once, not into itself.
      if (!walk.sourceKnown || !samePathText(walk.source, walk.destination)) {
        result &= copyTree(entrySource, entryDestination, walk);
      }
      leaveFolder(walk, saved, wasKnown);
      if (pushed) --walk.depth;
      continue;
    }
    if (walk.flags & copyClearAttributes) {
      platform::SetFileAttributesA(entryDestination, platform::kFileAttributeNormal);
    }
    result &= platform::CopyFileA(entrySource, entryDestination, platform::kFalse) ? 1 : 0;
  } while (platform::FindNextFileA(find, &found));
  // A walk cut short by an error is not a complete copy.
  if (platform::GetLastError() != platform::kErrorNoMoreFiles) result = 0;
  platform::FindClose(find);
  return result;
}

}  // namespace

std::int32_t copyFolderTree(const char* source, const char* destination, const char* pattern,
                            std::uint32_t flags) {
  Walk walk;
  walk.pattern = pattern && *pattern ? pattern : "*.*";
  walk.flags = flags;
  walk.destination[0] = 0;
  walk.sourceLength = 0;
  walk.sourceKnown = false;
  walk.destinationAsked = false;
  walk.destinationIdentified = false;
  // The source is the first folder walked; one that cannot be identified is not copied.
  if (!source || !*source || textLength(source) >= kPath ||
      !folderIdentity(source, walk.walking[0]))
    return 0;
  walk.depth = 1;
  char current[kPath];
  platform::DWORD length = platform::GetCurrentDirectoryA(kPath, current);
  if (length == 0 || length >= kPath) current[0] = 0;
  if (fullPath(destination, current, walk.destination, sizeof walk.destination) &&
      fullPath(source, current, walk.source, sizeof walk.source)) {
    walk.sourceKnown = true;
    walk.sourceLength = std::strlen(walk.source);
  }
  return copyTree(source, destination, walk);
}

}  // namespace zorvel
