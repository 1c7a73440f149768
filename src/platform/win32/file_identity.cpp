#include "../file_identity.h"

#include <cstddef>
#include <windows.h>

namespace platform {

static_assert(sizeof(BY_HANDLE_FILE_INFORMATION) == sizeof(::BY_HANDLE_FILE_INFORMATION));
static_assert(offsetof(BY_HANDLE_FILE_INFORMATION, dwVolumeSerialNumber) ==
              offsetof(::BY_HANDLE_FILE_INFORMATION, dwVolumeSerialNumber));
static_assert(offsetof(BY_HANDLE_FILE_INFORMATION, nFileIndexHigh) ==
              offsetof(::BY_HANDLE_FILE_INFORMATION, nFileIndexHigh));
static_assert(offsetof(BY_HANDLE_FILE_INFORMATION, nFileIndexLow) ==
              offsetof(::BY_HANDLE_FILE_INFORMATION, nFileIndexLow));
static_assert(kOpenExisting == OPEN_EXISTING);
static_assert(kFileFlagBackupSemantics == FILE_FLAG_BACKUP_SEMANTICS);
static_assert(kFileAttributeReparsePoint == FILE_ATTRIBUTE_REPARSE_POINT);

HANDLE CreateFileA(const char* path, DWORD access, DWORD share, void* security, DWORD disposition,
                   DWORD flags, HANDLE templateFile) {
  return ::CreateFileA(path, access, share, static_cast<LPSECURITY_ATTRIBUTES>(security),
                       disposition, flags, templateFile);
}

BOOL GetFileInformationByHandle(HANDLE file, BY_HANDLE_FILE_INFORMATION* info) {
  return ::GetFileInformationByHandle(file, reinterpret_cast<::LPBY_HANDLE_FILE_INFORMATION>(info));
}

}  // namespace platform
