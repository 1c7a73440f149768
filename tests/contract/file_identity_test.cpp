// Which entry a path names (platform/file_identity.h): the volume serial number and file index
// agree for every spelling of one file or folder and differ between entries.
#include "fixture.h"

#include <algorithm>

using namespace platform;

namespace {

HANDLE openEntry(const std::string& path, DWORD flags = kFileFlagBackupSemantics) {
  return CreateFileA(path.c_str(), 0, kFileShareRead | kFileShareWrite | kFileShareDelete, nullptr,
                     kOpenExisting, flags, nullptr);
}

// The serial number and index of an entry, "" when it cannot be opened.
std::string identity(const std::string& path, DWORD* attributes = nullptr) {
  HANDLE h = openEntry(path);
  if (h == kInvalidHandle) return "";
  BY_HANDLE_FILE_INFORMATION info;
  BOOL got = GetFileInformationByHandle(h, &info);
  EXPECT_TRUE(CloseHandle(h));
  if (!got) return "";
  if (attributes) *attributes = info.dwFileAttributes;
  return std::to_string(info.dwVolumeSerialNumber) + ":" + std::to_string(info.nFileIndexHigh) +
         ":" + std::to_string(info.nFileIndexLow);
}

using FileIdentity = contract::Folder;

TEST_F(FileIdentity, EverySpellingOfAnEntryGivesItsIdentityAndOtherEntriesDiffer) {
  ASSERT_TRUE(CreateDirectoryA("Tree", nullptr));
  ASSERT_TRUE(CreateDirectoryA("Tree\\Sub", nullptr));
  ASSERT_TRUE(CreateDirectoryA("Other", nullptr));
  contract::writeFile("Tree\\File.txt", "x");
  contract::writeFile("Tree\\Copy.txt", "x");

  DWORD attributes = 0;
  const std::string tree = identity(base + "Tree", &attributes);
  ASSERT_NE(tree, "");
  EXPECT_TRUE(attributes & kFileAttributeDirectory);
  std::vector<std::string> spellings = {"tree\\", "Tree\\Sub\\..", ".\\Other\\..\\Tree",
                                        base + "tREE\\"};
  if (!contract::kSimulated) spellings.push_back("\\\\?\\" + base + "Tree");
  for (const std::string& spelling : spellings) EXPECT_EQ(identity(spelling), tree) << spelling;

  const std::string file = identity("Tree\\File.txt", &attributes);
  EXPECT_FALSE(attributes & kFileAttributeDirectory);
  EXPECT_EQ(identity("TREE\\file.TXT"), file);
  std::vector<std::string> others{tree, file, identity("Tree\\Sub"), identity("Other"),
                                  identity("Tree\\Copy.txt")};
  std::sort(others.begin(), others.end());
  EXPECT_EQ(std::unique(others.begin(), others.end()), others.end());
}

TEST_F(FileIdentity, OpeningFailsAsGetFileAttributesDoesAndAFolderNeedsTheBackupFlag) {
  ASSERT_TRUE(CreateDirectoryA("dir", nullptr));
  EXPECT_FAILS(openEntry("missing\\x"), kInvalidHandle, kErrorPathNotFound);
  EXPECT_FAILS(openEntry(base + std::string(kMaxPath, 'n')), kInvalidHandle,
               kErrorFilenameExcedRange);
  EXPECT_FAILS(openEntry("dir", 0), kInvalidHandle, kErrorAccessDenied);
  BY_HANDLE_FILE_INFORMATION info;
  std::memset(&info, contract::kPrime, sizeof info);
  EXPECT_FAILS(GetFileInformationByHandle(nullptr, &info), kFalse, kErrorInvalidHandle);
  EXPECT_TRUE(contract::primed(&info, sizeof info));
}

}  // namespace
