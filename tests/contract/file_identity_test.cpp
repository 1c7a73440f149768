// Which entry a path names (platform/file_identity.h): the volume serial number and file index
// agree for every spelling of one file or folder and differ between entries.
#include <cstring>

#include "fixture.h"

using namespace platform;
using contract::Folder;
using contract::writeFile;

namespace {

constexpr DWORD kShareAll = kFileShareRead | kFileShareWrite | kFileShareDelete;

HANDLE openEntry(const std::string& path, DWORD flags = kFileFlagBackupSemantics) {
  return CreateFileA(path.c_str(), 0, kShareAll, nullptr, kOpenExisting, flags, nullptr);
}

// The serial number and index of an entry, "" when it cannot be opened.
std::string identity(const std::string& path) {
  HANDLE h = openEntry(path);
  if (h == kInvalidHandle) return "";
  BY_HANDLE_FILE_INFORMATION info;
  std::memset(&info, contract::kPrime, sizeof info);
  BOOL got = GetFileInformationByHandle(h, &info);
  EXPECT_TRUE(CloseHandle(h));
  if (!got) return "";
  return std::to_string(info.dwVolumeSerialNumber) + ":" + std::to_string(info.nFileIndexHigh) +
         ":" + std::to_string(info.nFileIndexLow);
}

using FileIdentity = Folder;

TEST_F(FileIdentity, EverySpellingOfAnEntryGivesItsIdentityAndOtherEntriesDiffer) {
  ASSERT_TRUE(CreateDirectoryA("Tree", nullptr));
  ASSERT_TRUE(CreateDirectoryA("Tree\\Sub", nullptr));
  ASSERT_TRUE(CreateDirectoryA("Other", nullptr));
  writeFile("Tree\\File.txt", "x");
  writeFile("Tree\\Copy.txt", "x");

  const std::string tree = identity(base + "Tree");
  ASSERT_NE(tree, "");
  std::vector<std::string> spellings = {
      "Tree", "tree\\", "TREE", "Tree\\Sub\\..", ".\\Other\\..\\Tree", base + "tREE\\"};
  if (std::string(contract::backendName()) == "win32") {
    spellings.push_back("\\\\?\\" + base + "Tree");  // the simulation has no such prefix
  }
  for (const std::string& spelling : spellings) EXPECT_EQ(identity(spelling), tree) << spelling;

  EXPECT_NE(identity("Tree\\Sub"), tree);
  EXPECT_NE(identity("Other"), tree);
  EXPECT_NE(identity("Other"), identity("Tree\\Sub"));
  const std::string file = identity("Tree\\File.txt");
  ASSERT_NE(file, "");
  EXPECT_EQ(identity("TREE\\file.TXT"), file);
  EXPECT_NE(identity("Tree\\Copy.txt"), file);
  // One volume: the serial numbers agree.
  EXPECT_EQ(file.substr(0, file.find(':')), tree.substr(0, tree.find(':')));
}

TEST_F(FileIdentity, OpeningFailsAsGetFileAttributesDoes) {
  ASSERT_TRUE(CreateDirectoryA("dir", nullptr));
  writeFile("file.txt");
  EXPECT_FAILS(openEntry("missing"), kInvalidHandle, kErrorFileNotFound);
  EXPECT_FAILS(openEntry("missing\\x"), kInvalidHandle, kErrorPathNotFound);
  EXPECT_FAILS(openEntry("file.txt\\x"), kInvalidHandle, kErrorPathNotFound);
  EXPECT_FAILS(openEntry(""), kInvalidHandle, kErrorPathNotFound);
  EXPECT_FAILS(openEntry(base + std::string(kMaxPath, 'n')), kInvalidHandle,
               kErrorFilenameExcedRange);
  // A folder needs the backup flag; a file does not.
  EXPECT_FAILS(openEntry("dir", 0), kInvalidHandle, kErrorAccessDenied);
  HANDLE file = openEntry("file.txt", 0);
  ASSERT_NE(file, kInvalidHandle);
  EXPECT_TRUE(CloseHandle(file));

  BY_HANDLE_FILE_INFORMATION info;
  std::memset(&info, contract::kPrime, sizeof info);
  EXPECT_FAILS(GetFileInformationByHandle(nullptr, &info), kFalse, kErrorInvalidHandle);
  EXPECT_TRUE(contract::primed(&info, sizeof info));
}

TEST_F(FileIdentity, TheInformationDescribesTheEntry) {
  ASSERT_TRUE(CreateDirectoryA("dir", nullptr));
  writeFile("five.txt", "12345");
  HANDLE h = openEntry("five.txt");
  ASSERT_NE(h, kInvalidHandle);
  BY_HANDLE_FILE_INFORMATION info;
  ASSERT_TRUE(GetFileInformationByHandle(h, &info));
  EXPECT_TRUE(CloseHandle(h));
  EXPECT_EQ(info.nFileSizeLow, 5u);
  EXPECT_EQ(info.nFileSizeHigh, 0u);
  EXPECT_EQ(info.nNumberOfLinks, 1u);
  EXPECT_FALSE(info.dwFileAttributes & kFileAttributeDirectory);

  h = openEntry("dir");
  ASSERT_NE(h, kInvalidHandle);
  ASSERT_TRUE(GetFileInformationByHandle(h, &info));
  EXPECT_TRUE(CloseHandle(h));
  EXPECT_TRUE(info.dwFileAttributes & kFileAttributeDirectory);
}

}  // namespace
