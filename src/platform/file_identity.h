// Which file or folder a path names, whatever spelling reaches it: a short 8.3 name, another
// case, a "\\?\" prefix, "..", or a junction on the way. A handle opened here is closed with
// CloseHandle (process.h).
#pragma once

#include "types.h"

namespace platform {

constexpr DWORD kFileShareRead = 0x1;                   // FILE_SHARE_READ
constexpr DWORD kFileShareWrite = 0x2;                  // FILE_SHARE_WRITE
constexpr DWORD kFileShareDelete = 0x4;                 // FILE_SHARE_DELETE
constexpr DWORD kOpenExisting = 3;                      // OPEN_EXISTING
constexpr DWORD kFileFlagBackupSemantics = 0x02000000;  // FILE_FLAG_BACKUP_SEMANTICS
constexpr DWORD kFileAttributeReparsePoint = 0x400;     // FILE_ATTRIBUTE_REPARSE_POINT

struct BY_HANDLE_FILE_INFORMATION {
  DWORD dwFileAttributes;
  FILETIME ftCreationTime;
  FILETIME ftLastAccessTime;
  FILETIME ftLastWriteTime;
  DWORD dwVolumeSerialNumber;
  DWORD nFileSizeHigh;
  DWORD nFileSizeLow;
  DWORD nNumberOfLinks;
  DWORD nFileIndexHigh;
  DWORD nFileIndexLow;
};
static_assert(sizeof(BY_HANDLE_FILE_INFORMATION) == 52);

// CreateFileA(path, access, share, security, disposition, flags, templateFile), as the library
// uses it: to ask what an existing entry is, with access 0 (neither reading nor writing), share
// read | write | delete (nobody else is hindered), no security, kOpenExisting, and
// kFileFlagBackupSemantics, without which a folder cannot be opened; no template. The path
// rules are those of files.h; a junction on the way or at the end is followed. On success an
// open handle; on failure kInvalidHandle with the last error of GetFileAttributesA for the same
// path (kErrorFileNotFound, kErrorPathNotFound, kErrorInvalidName, kErrorFilenameExcedRange).
HANDLE CreateFileA(const char* path, DWORD access, DWORD share, void* security, DWORD disposition,
                   DWORD flags, HANDLE templateFile);

// GetFileInformationByHandle(file, info): TRUE with the entry's attributes, times, size, link
// count, its volume's serial number and its file index in *info. Two handles whose serial
// number and index (both halves) agree are open on the same entry. FALSE with
// kErrorInvalidHandle for a handle that is not an open file; *info is left as it was then.
BOOL GetFileInformationByHandle(HANDLE file, BY_HANDLE_FILE_INFORMATION* info);

// Known differences:
// - The simulation gives times of zero, and every entry one link. Its file indexes are never
//   reused within a run; its drives C: and D: have serial numbers of their own. It has no short
//   names and no "\\?\" prefix (files.h); it has junctions (sim::addJunction).

}  // namespace platform
