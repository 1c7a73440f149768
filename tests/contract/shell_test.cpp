// The special-folder wrappers: the same cases natively against the simulation and under Wine.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "platform/shell.h"

namespace {

using namespace platform;

constexpr int kPersonal = 0x05, kDesktopDirectory = 0x10, kDrives = 0x11, kProgramFiles = 0x26,
              kProfile = 0x28;

// The folder's path, or "<no location>" / "<no path>".
std::string folderPath(int csidl) {
  auto* list = reinterpret_cast<ITEMIDLIST*>(static_cast<std::uintptr_t>(0xdeadbeef));
  if (SHGetSpecialFolderLocation(nullptr, csidl, &list) != kSOk) return "<no location>";
  EXPECT_NE(list, nullptr);
  char path[kMaxPath];
  std::memset(path, 0xbd, sizeof path);
  BOOL ok = SHGetPathFromIDListA(list, path);
  CoTaskMemFree(list);
  if (!ok) {
    EXPECT_EQ(path[0], 0);
    return "<no path>";
  }
  EXPECT_NE(std::memchr(path, 0, sizeof path), nullptr);
  return path;
}

TEST(ShellContract, TheFourFoldersHaveDrivePathsUnderTheProfile) {
  std::string profile = folderPath(kProfile);
  ASSERT_GE(profile.size(), 3u);
  EXPECT_EQ(profile[1], ':');
  EXPECT_NE(profile.back(), '\\');
  for (int csidl : {kDesktopDirectory, kPersonal}) {
    std::string path = folderPath(csidl);
    EXPECT_EQ(path.compare(0, profile.size() + 1, profile + "\\"), 0) << path;
  }
  std::string programs = folderPath(kProgramFiles);
  ASSERT_GE(programs.size(), 3u);
  EXPECT_EQ(programs[1], ':');
}

TEST(ShellContract, AFolderOutsideTheFileSystemHasNoPath) {
  EXPECT_EQ(folderPath(kDrives), "<no path>");
}

TEST(ShellContract, UnknownFolderIsRefusedWithNoList) {
  auto* list = reinterpret_cast<ITEMIDLIST*>(static_cast<std::uintptr_t>(0xdeadbeef));
  EXPECT_EQ(SHGetSpecialFolderLocation(nullptr, 0xff, &list), kEInvalidArg);
  EXPECT_EQ(list, nullptr);
  CoTaskMemFree(nullptr);  // accepted
}

}  // namespace
