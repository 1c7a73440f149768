// File system and current directory. Paths are 8-bit ANSI texts; "\" and "/" both separate,
// names compare case-insensitively, relative paths resolve against the current directory.
// Every call that fails sets the thread's last error, read with GetLastError.
#pragma once

#include "types.h"

namespace platform {

// GetLastError(): the calling thread's last error code. SetLastError(code) sets it.
DWORD GetLastError();
void SetLastError(DWORD code);

// FindFirstFileA(pattern, data): a search handle with the first match written to *data, or
// kInvalidHandle. The pattern's last component may hold * and ?; "*.*" matches every name.
// Entries "." and ".." come first in any folder but a drive root. Errors:
//   kErrorFileNotFound  the folder exists and nothing in it matches;
//   kErrorPathNotFound  the folder does not exist (or a middle component is a file);
//   kErrorInvalidName   the pattern is empty or malformed;
//   kErrorFilenameExcedRange / kErrorPathNotFound  the path is longer than kMaxPath - 1.
// *data is left as it was on failure.
HANDLE FindFirstFileA(const char* pattern, WIN32_FIND_DATAA* data);
// FindNextFileA(handle, data): TRUE with the next match in *data; FALSE with kErrorNoMoreFiles
// at the end, kErrorInvalidHandle for a handle that is not an open search.
BOOL FindNextFileA(HANDLE handle, WIN32_FIND_DATAA* data);
// FindClose(handle): TRUE; FALSE with kErrorInvalidHandle for a handle that is not open.
BOOL FindClose(HANDLE handle);

// CopyFileA(from, to, failIfExists): TRUE when `to` holds a copy of `from` (attributes copied).
// Errors: kErrorFileNotFound (no source), kErrorPathNotFound (no destination folder),
// kErrorFileExists (failIfExists and `to` exists), kErrorAccessDenied (`to` is read-only or a
// folder, or `from` is a folder).
BOOL CopyFileA(const char* from, const char* to, BOOL failIfExists);
// MoveFileA(from, to): renames a file or folder. Errors: kErrorFileNotFound (no source),
// kErrorPathNotFound (no destination folder), kErrorAlreadyExists (`to` exists).
BOOL MoveFileA(const char* from, const char* to);
// DeleteFileA(path): deletes a file. Errors: kErrorFileNotFound, kErrorPathNotFound,
// kErrorAccessDenied (read-only file or a folder).
BOOL DeleteFileA(const char* path);
// CreateDirectoryA(path, security): creates one folder level; security must be null.
// Errors: kErrorAlreadyExists (anything of that name exists), kErrorPathNotFound (no parent).
BOOL CreateDirectoryA(const char* path, void* security);
// SetFileAttributesA(path, attributes): kFileAttributeNormal clears the others. Errors:
// kErrorFileNotFound, kErrorPathNotFound.
BOOL SetFileAttributesA(const char* path, DWORD attributes);
// GetFileAttributesA(path): the attributes, or 0xFFFFFFFF with the error of FindFirstFileA.
DWORD GetFileAttributesA(const char* path);

// GetCurrentDirectoryA(size, buffer): when the path and its NUL fit in `size` bytes, copies
// them and returns the path's length; otherwise returns the size needed, NUL included, and
// leaves the buffer untouched. A null buffer with size 0 asks for the size.
DWORD GetCurrentDirectoryA(DWORD size, char* buffer);
// SetCurrentDirectoryA(path): TRUE when `path` (absolute or relative) names an existing folder.
// Errors: kErrorFileNotFound / kErrorPathNotFound (missing), kErrorDirectory (a file),
// kErrorInvalidName (empty).
BOOL SetCurrentDirectoryA(const char* path);

}  // namespace platform
