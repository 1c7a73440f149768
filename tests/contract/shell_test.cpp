// The special folders (platform/shell.h).
#include "fixture.h"

namespace {

using namespace platform;

constexpr int kPersonal = 0x05, kDesktopDirectory = 0x10, kDrives = 0x11, kProgramFiles = 0x26,
              kProfile = 0x28;

// The folder's path, "<no path>", or the error of SHGetSpecialFolderLocation.
std::string folderPath(int csidl) {
  auto* list = reinterpret_cast<ITEMIDLIST*>(static_cast<std::uintptr_t>(0xdeadbeef));
  if (HRESULT error = SHGetSpecialFolderLocation(nullptr, csidl, &list)) {
    EXPECT_EQ(list, nullptr);
    return "error " + std::to_string(error);
  }
  char path[kMaxPath];
  std::memset(path, contract::kPrime, sizeof path);
  BOOL ok = SHGetPathFromIDListA(list, path);
  CoTaskMemFree(list);
  EXPECT_NE(std::memchr(path, 0, sizeof path), nullptr);
  return ok ? path : path[0] ? "<not emptied>" : "<no path>";
}

TEST(ShellContract, FoldersHaveDrivePathsUnderTheProfileOrNone) {
  std::string profile = folderPath(kProfile);
  ASSERT_GE(profile.size(), 3u);
  EXPECT_EQ(profile[1], ':');
  EXPECT_NE(profile.back(), '\\');
  for (int csidl : {kDesktopDirectory, kPersonal})
    EXPECT_EQ(folderPath(csidl).rfind(profile + "\\", 0), 0u) << csidl;
  EXPECT_EQ(folderPath(kProgramFiles).substr(1, 2), ":\\");
  EXPECT_EQ(folderPath(kDrives), "<no path>");  // outside the file system
  EXPECT_EQ(folderPath(0xff), "error " + std::to_string(kEInvalidArg));
  CoTaskMemFree(nullptr);  // accepted
}

}  // namespace
