#include "folder_identity.h"

#include "platform/file_identity.h"
#include "platform/process.h"

namespace zorvel {

bool folderIdentity(const char* path, FolderIdentity& out) {
  // No access asked and every sharing allowed: nobody working in the folder is hindered.
  platform::HANDLE folder = platform::CreateFileA(
      path, 0, platform::kFileShareRead | platform::kFileShareWrite | platform::kFileShareDelete,
      nullptr, platform::kOpenExisting, platform::kFileFlagBackupSemantics, nullptr);
  if (folder == platform::kInvalidHandle) return false;
  platform::BY_HANDLE_FILE_INFORMATION info;
  bool known = platform::GetFileInformationByHandle(folder, &info) != platform::kFalse;
  platform::CloseHandle(folder);
  if (known) out = {info.dwVolumeSerialNumber, info.nFileIndexHigh, info.nFileIndexLow};
  return known;
}

}  // namespace zorvel
