// File system and current directory: thin wrappers over Windows.
#include "../files.h"

#include <cstddef>
#include <windows.h>

namespace platform {

// The seam's structures pass straight through: same size and offsets as Windows'.
static_assert(sizeof(platform::FILETIME) == sizeof(::FILETIME));
static_assert(offsetof(platform::FILETIME, dwHighDateTime) == offsetof(::FILETIME, dwHighDateTime));
static_assert(sizeof(platform::WIN32_FIND_DATAA) == sizeof(::WIN32_FIND_DATAA));
#define ZV_SAME_OFFSET(field)                                 \
  static_assert(offsetof(platform::WIN32_FIND_DATAA, field) == \
                offsetof(::WIN32_FIND_DATAA, field))
ZV_SAME_OFFSET(dwFileAttributes);
ZV_SAME_OFFSET(ftCreationTime);
ZV_SAME_OFFSET(ftLastAccessTime);
ZV_SAME_OFFSET(ftLastWriteTime);
ZV_SAME_OFFSET(nFileSizeHigh);
ZV_SAME_OFFSET(nFileSizeLow);
ZV_SAME_OFFSET(dwReserved0);
ZV_SAME_OFFSET(dwReserved1);
ZV_SAME_OFFSET(cFileName);
ZV_SAME_OFFSET(cAlternateFileName);
#undef ZV_SAME_OFFSET
static_assert(sizeof(platform::DWORD) == sizeof(::DWORD));
static_assert(sizeof(platform::BOOL) == sizeof(::BOOL));
static_assert(kMaxPath == MAX_PATH);
static_assert(kInvalidFileAttributes == INVALID_FILE_ATTRIBUTES);

// The find calls are in find_files.cpp.

BOOL CopyFileA(const char* from, const char* to, BOOL failIfExists) {
  return ::CopyFileA(from, to, failIfExists);
}

BOOL MoveFileA(const char* from, const char* to) { return ::MoveFileA(from, to); }

BOOL DeleteFileA(const char* path) { return ::DeleteFileA(path); }

BOOL CreateDirectoryA(const char* path, void* security) {
  return ::CreateDirectoryA(path, static_cast<LPSECURITY_ATTRIBUTES>(security));
}

BOOL RemoveDirectoryA(const char* path) { return ::RemoveDirectoryA(path); }

BOOL SetFileAttributesA(const char* path, DWORD attributes) {
  return ::SetFileAttributesA(path, attributes);
}

DWORD GetFileAttributesA(const char* path) { return ::GetFileAttributesA(path); }

DWORD GetCurrentDirectoryA(DWORD size, char* buffer) {
  return ::GetCurrentDirectoryA(size, buffer);
}

BOOL SetCurrentDirectoryA(const char* path) { return ::SetCurrentDirectoryA(path); }

DWORD GetTempPathA(DWORD size, char* buffer) { return ::GetTempPathA(size, buffer); }

}  // namespace platform
