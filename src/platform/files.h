// File system and current directory. Paths are 8-bit ANSI texts; "\" and "/" both separate,
// names compare case-insensitively, relative paths resolve against the current directory.
// Every call that fails sets the thread's last error, read with GetLastError.
//
// Rules common to every path argument (as Windows, checked under Wine by tests/contract):
// - A path text longer than kMaxPath (260) characters fails with kErrorFilenameExcedRange; 260
//   characters still work. Only the text counts: a short relative path whose full path is longer
//   works, and so does a destination of CopyFileA or MoveFileA of any length (Wine; real Windows
//   refuses full paths of kMaxPath and more; see tests/contract).
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

#include "types.h"

namespace platform {

// GetLastError(): the calling thread's last error code. SetLastError(code) sets it.
DWORD GetLastError();
void SetLastError(DWORD code);

// FindFirstFileA(pattern, data): a search handle with the first match written to *data, or
// kInvalidHandle. The pattern's last component may hold * and ?; "*.*" matches every name
// (names without a dot too), * any run of characters, ? exactly one character. A last component
// without wildcards finds that one entry ("dir\\sub" gives the entry sub itself). Entries "."
// and ".." come first in any folder but a drive root; the order of the others is the file
// system's (see tests/contract). The entries are those present when the search starts. Errors:
//   kErrorFileNotFound  the folder exists and nothing in it matches; also a pattern that ends in
//                       a separator or names a drive root ("C:\\", "dir\\", "C:");
//   kErrorPathNotFound  the folder does not exist (or a middle component is a file), or the
//                       pattern is empty;
//   kErrorInvalidName   wildcards before the last component, or the folder named is a file
//                       ("file.txt\\*");
//   kErrorFilenameExcedRange  the pattern is longer than kMaxPath characters.
// *data is left as it was on failure.
HANDLE FindFirstFileA(const char* pattern, WIN32_FIND_DATAA* data);
// FindNextFileA(handle, data): TRUE with the next match in *data; FALSE with kErrorNoMoreFiles
// at the end, kErrorInvalidHandle for a handle that is not an open search.
BOOL FindNextFileA(HANDLE handle, WIN32_FIND_DATAA* data);
// FindClose(handle): TRUE; FALSE with kErrorInvalidHandle for a handle that is not open.
BOOL FindClose(HANDLE handle);

// CopyFileA(from, to, failIfExists): TRUE when `to` holds a copy of `from` (attributes copied).
// Errors: kErrorFileNotFound (no source; checked before the destination), kErrorPathNotFound (no
// destination folder), kErrorFileExists (failIfExists and `to` exists, read-only or not),
// kErrorAccessDenied (`to` is read-only or a folder, or `from` is a folder),
// kErrorSharingViolation (`to` is `from`).
BOOL CopyFileA(const char* from, const char* to, BOOL failIfExists);
// MoveFileA(from, to): renames a file or folder, to another folder too. Another spelling of the
// same name succeeds and changes nothing (Wine; Windows changes the case). Errors:
// kErrorFileNotFound (no source), kErrorPathNotFound (no destination folder),
// kErrorAlreadyExists (`to` exists, file or folder), kErrorInvalidParameter (a folder into itself
// or below itself), kErrorNotSameDevice (a folder to another drive).
BOOL MoveFileA(const char* from, const char* to);
// DeleteFileA(path): deletes a file. Errors: kErrorFileNotFound, kErrorPathNotFound,
// kErrorAccessDenied (read-only file or a folder).
BOOL DeleteFileA(const char* path);
// CreateDirectoryA(path, security): creates one folder level; security must be null. A closing
// separator is allowed. Errors: kErrorAlreadyExists (anything of that name exists, a drive root
// included), kErrorPathNotFound (no parent), kErrorInvalidName (wildcards in the name).
BOOL CreateDirectoryA(const char* path, void* security);
// RemoveDirectoryA(path): removes an empty folder. Errors: kErrorFileNotFound,
// kErrorPathNotFound, kErrorDirNotEmpty, kErrorDirectory (a file), kErrorSharingViolation (the
// current directory or a folder above it). For test fixtures; the library does not use it.
BOOL RemoveDirectoryA(const char* path);
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
// leaves the buffer untouched. A null buffer with size 0 asks for the size. A current directory
// of kMaxPath characters or more (SetCurrentDirectoryA makes none): the size needed, as for any
// other (Windows with long paths; the simulation), or 0 with kErrorFilenameExcedRange (Wine).
DWORD GetCurrentDirectoryA(DWORD size, char* buffer);
// SetCurrentDirectoryA(path): TRUE when `path` (absolute or relative) names an existing folder.
// The new current directory is the full path as written (its case, not the stored one), without
// a closing backslash. Errors: kErrorFileNotFound / kErrorPathNotFound (missing),
// kErrorDirectory (a file), kErrorInvalidName (empty), kErrorFilenameExcedRange (the full path
// has kMaxPath characters or more).
BOOL SetCurrentDirectoryA(const char* path);

// GetTempPathA(size, buffer): the folder for temporary files, ending in a backslash, with the
// buffer rules of GetCurrentDirectoryA. The folder need not exist. For test fixtures.
DWORD GetTempPathA(DWORD size, char* buffer);

}  // namespace platform
