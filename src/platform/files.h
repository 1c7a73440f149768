// File system and current directory. Paths are 8-bit ANSI texts; "\" and "/" both separate,
// names compare case-insensitively, relative paths resolve against the current directory.
// Every call that fails sets the thread's last error (last_error.h).
//
// Rules common to every path argument:
// - A path whose full form has kMaxPath (260) characters or more fails with
//   kErrorFilenameExcedRange.
// - An empty path fails with kErrorPathNotFound (SetCurrentDirectoryA: kErrorInvalidName).
// - "." and ".." components are resolved in the text, also past missing folders; ".." at a drive
//   root stays at the root. Repeated separators count as one. Trailing dots and spaces of the
//   last component are dropped ("a.txt." names a.txt), and one trailing dot of a middle one.
// - "X:name" resolves against the current directory when it is on drive X, otherwise against
//   X's root; "\name" against the root of the current directory's drive.
// - A middle component that is missing or is a file: kErrorPathNotFound. A name holding
//   * ? < > | or " where a plain name is wanted: kErrorInvalidName. A trailing separator after a
//   file's name: kErrorPathNotFound.
#pragma once

#include "last_error.h"
#include "types.h"

namespace platform {

// FindFirstFileA(pattern, data): a search handle with the first match written to *data, or
// kInvalidHandle. The pattern's last component may hold * and ?: * matches any run of
// characters, ? one character, "*.*" every name (names without a dot too), and dots and stars at
// the end of the pattern may match the end of a name ("noext." finds noext). A last component
// without wildcards finds that one entry ("dir\\sub" gives the entry sub itself). Entries "."
// and ".." come first in any folder but a drive root, then the others in the file system's
// order. The entries are those present when the search starts. Errors:
//   kErrorFileNotFound  the folder exists and nothing in it matches; also a pattern that ends in
//                       a separator or names a drive root ("C:\\", "dir\\", "C:");
//   kErrorPathNotFound  the folder does not exist (or a middle component is a file), or the
//                       pattern is empty;
//   kErrorInvalidName   wildcards before the last component;
//   kErrorFilenameExcedRange  the pattern is too long.
// *data is left as it was on failure.
// Names come exactly as they are, in the process's code page (code_page.h), never as look-alikes
// (Windows' own ANSI calls give a fullwidth "ａ" as "a"): a name the code page lacks comes as its
// short name (cFileName, with cAlternateFileName empty) when it has one, and is otherwise left
// out. A search that matched only names left out fails with kErrorNoUnicodeTranslation. With
// UTF-8 as the code page every name comes as it is.
HANDLE FindFirstFileA(const char* pattern, WIN32_FIND_DATAA* data);
// FindNextFileA(handle, data): TRUE with the next match in *data; FALSE with kErrorNoMoreFiles
// at the end (kErrorNoUnicodeTranslation when the search left a name out), kErrorInvalidHandle
// for a handle that is not an open search.
BOOL FindNextFileA(HANDLE handle, WIN32_FIND_DATAA* data);
// FindClose(handle): TRUE; FALSE with kErrorInvalidHandle for a handle that is not open.
BOOL FindClose(HANDLE handle);

// CopyFileA(from, to, failIfExists): TRUE when `to` holds a copy of `from` (attributes copied).
// Errors: kErrorFileNotFound (no source; checked before the destination), kErrorPathNotFound (no
// destination folder), kErrorFileExists (failIfExists and `to` exists, read-only or not),
// kErrorAccessDenied (`to` is read-only or a folder, `to` is hidden or system and `from` lacks
// that attribute, or `from` is a folder),
// kErrorSharingViolation (`to` is `from`).
BOOL CopyFileA(const char* from, const char* to, BOOL failIfExists);
// MoveFileA(from, to): renames a file or folder, to another folder too; another spelling of the
// same name changes its case. Errors: kErrorFileNotFound (no source), kErrorPathNotFound (no
// destination folder), kErrorAlreadyExists (`to` exists, file or folder), kErrorInvalidParameter
// (a folder into itself or below itself), kErrorNotSameDevice (a folder to another drive).
BOOL MoveFileA(const char* from, const char* to);
// DeleteFileA(path): deletes a file. Errors: kErrorFileNotFound, kErrorPathNotFound,
// kErrorAccessDenied (read-only file or a folder).
BOOL DeleteFileA(const char* path);
// CreateDirectoryA(path, security): creates one folder level; security must be null. A closing
// separator is allowed. Errors: kErrorAlreadyExists (anything of that name exists, a drive root
// included), kErrorPathNotFound (no parent), kErrorInvalidName (wildcards in the name).
BOOL CreateDirectoryA(const char* path, void* security);
// SetFileAttributesA(path, attributes): kFileAttributeNormal clears the others. Works on folders
// too (the directory bit stays). Errors: kErrorFileNotFound, kErrorPathNotFound.
BOOL SetFileAttributesA(const char* path, DWORD attributes);
// GetFileAttributesA(path): the attributes, or 0xFFFFFFFF with kErrorFileNotFound (missing),
// kErrorPathNotFound (missing folder, or a file used as a folder), kErrorInvalidName (wildcards).
// A drive root, "C:\\", is a folder.
constexpr DWORD kInvalidFileAttributes = 0xFFFFFFFF;  // INVALID_FILE_ATTRIBUTES
DWORD GetFileAttributesA(const char* path);

// GetCurrentDirectoryA(size, buffer): when the path and its NUL fit in `size` bytes, copies
// them and returns the path's length; otherwise returns the size needed, NUL included, and
// leaves the buffer untouched. A null buffer with size 0 asks for the size.
DWORD GetCurrentDirectoryA(DWORD size, char* buffer);
// SetCurrentDirectoryA(path): TRUE when `path` (absolute or relative) names an existing folder.
// The new current directory is the full path as written (its case, not the stored one), without
// a closing backslash. Errors: kErrorFileNotFound / kErrorPathNotFound (missing),
// kErrorDirectory (a file), kErrorInvalidName (empty), kErrorFilenameExcedRange (the full path
// has kMaxPath characters or more).
BOOL SetCurrentDirectoryA(const char* path);

// For tests only; the library calls neither.
// RemoveDirectoryA(path): removes an empty folder. Errors: kErrorFileNotFound,
// kErrorPathNotFound, kErrorDirNotEmpty, kErrorDirectory (a file), kErrorSharingViolation (the
// current directory or a folder above it).
BOOL RemoveDirectoryA(const char* path);
// GetTempPathA(size, buffer): the folder for temporary files, ending in a backslash, with the
// buffer rules of GetCurrentDirectoryA. The folder need not exist.
DWORD GetTempPathA(DWORD size, char* buffer);

// Known differences (the contract tests follow what Wine shows):
// - Wine refuses only path texts longer than 260 characters: a text of 260 works, a short
//   relative text may name a longer full path, and the destination of CopyFileA and MoveFileA
//   has no limit at all. A current directory of 260 characters or more: Wine's
//   GetCurrentDirectoryA fails with kErrorFilenameExcedRange; Windows with long paths, and the
//   simulation, give the size needed. The simulation follows Wine otherwise.
// - Wildcards: Windows lets ? before a dot or at the end match nothing ("a??" finds "ab") and
//   "*." only names without a dot. Wine and the simulation match ? with exactly one character
//   and let trailing dots match the end of any name ("*." finds everything); in both a ? right
//   after a * matches nothing ("*?" finds nothing; Windows: everything). Wine also misses a
//   match when the text after the last * repeats its own start ("*aa" does not find "aaa");
//   Windows and the simulation find it.
// - FindFirstFileA on "file.txt\\*": Wine and the simulation kErrorInvalidName, Windows
//   kErrorPathNotFound or kErrorDirectory.
// - MoveFileA to another spelling of the same name: Wine and the simulation succeed and keep the
//   old name.
// - Entry order: Windows and Wine sort names (case-insensitively) after "." and ".."; the
//   simulation gives creation order.
// - Attributes: Wine reports kFileAttributeArchive on every file and never kFileAttributeNormal,
//   keeps no read-only bit on folders, marks names that begin with a dot hidden, and gives the
//   drive root 0x10 (Windows 0x16). The simulation follows Windows, except for the drive root.
// - Wine run by root lets CopyFileA overwrite a read-only file; Windows and the simulation
//   refuse with kErrorAccessDenied.
// - Wine lets CopyFileA overwrite a hidden or system file whatever the source's attributes;
//   Windows and the simulation refuse with kErrorAccessDenied.
// - Wine reads a path that begins with "/" as a path of the Linux side.
// - Short names: Wine gives one to every name beyond ASCII (a hashed form such as "_~~~~Y22.TXT"),
//   so under Wine a name the code page lacks is never left out; Windows makes them where the
//   volume does (8.3 names may be off). The simulation has one only where sim::setShortName gives
//   it, so it shows the leaving out too.
// - The simulation has drives C: and D: only, no UNC paths (kErrorPathNotFound), no device
//   names, no alternate data streams (a name with ":" is never found and can't be made), and
//   compares names case-insensitively for ASCII letters only (Windows folds other letters of the
//   code page). Its code pages are 1252 and UTF-8 only.

}  // namespace platform
