// The seam's contract for the 260-character limit and the current directory (platform/files.h,
// which lists where Wine, Windows and the simulation differ).
#include "fixture.h"

using namespace platform;
using namespace contract;

namespace {

// An absolute path of exactly `total` characters, in a folder whose name has 200, which is made.
std::string pathOfLength(const std::string& base, std::size_t total, char last) {
  std::string folder = base + std::string(200, 'L');
  EXPECT_TRUE(CreateDirectoryA(folder.c_str(), nullptr) || GetLastError() == kErrorAlreadyExists);
  std::string path = folder + "\\" + std::string(total - folder.size() - 1, 'n');
  path.back() = last;
  return path;
}

TEST_F(Folder, PathsOf260CharactersWorkAnd261AreRefusedByEveryCall) {
  ASSERT_LT(base.size(), 40u) << "the fixture's folder is too deep for these tests";
  std::string folder = pathOfLength(base, kMaxPath, 'd');
  std::string file = pathOfLength(base, kMaxPath, 'f');
  std::string moved = pathOfLength(base, kMaxPath, 'm');
  writeFile("short.txt", "s");
  EXPECT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
  EXPECT_TRUE(SetFileAttributesA(folder.c_str(), kFileAttributeHidden));
  EXPECT_TRUE(isFolder(GetFileAttributesA(folder.c_str())));
  std::vector<std::string> name{folder.substr(folder.rfind('\\') + 1)};
  EXPECT_EQ(contract::list(folder).names, name);
  EXPECT_TRUE(RemoveDirectoryA(folder.c_str()));
  EXPECT_TRUE(CopyFileA("short.txt", file.c_str(), kFalse));
  EXPECT_TRUE(MoveFileA(file.c_str(), moved.c_str()));
  EXPECT_TRUE(CopyFileA(moved.c_str(), "back.txt", kFalse));
  EXPECT_EQ(readFile("back.txt"), "s");
  EXPECT_TRUE(DeleteFileA(moved.c_str()));
  EXPECT_EQ(GetFileAttributesA(moved.c_str()), kInvalidFileAttributes);

  std::string p = pathOfLength(base, kMaxPath + 1, 'x');
  EXPECT_FAILS(GetFileAttributesA(p.c_str()), kInvalidFileAttributes, kErrorFilenameExcedRange);
  EXPECT_EQ(contract::list(p).error, kErrorFilenameExcedRange);
  EXPECT_FAILS(CreateDirectoryA(p.c_str(), nullptr), kFalse, kErrorFilenameExcedRange);
  EXPECT_FAILS(CopyFileA(p.c_str(), "out.txt", kFalse), kFalse, kErrorFilenameExcedRange);
  EXPECT_FAILS(MoveFileA(p.c_str(), "out.txt"), kFalse, kErrorFilenameExcedRange);
  EXPECT_FAILS(DeleteFileA(p.c_str()), kFalse, kErrorFilenameExcedRange);
  EXPECT_FAILS(SetFileAttributesA(p.c_str(), 0), kFalse, kErrorFilenameExcedRange);
  EXPECT_FAILS(SetCurrentDirectoryA(p.c_str()), kFalse, kErrorFilenameExcedRange);
  EXPECT_EQ(contract::currentDirectory() + "\\", base);
  // The text counts, even where trailing blanks leave a short path.
  std::string blanks = base + "back.txt" + std::string(kMaxPath + 1 - base.size() - 8, ' ');
  EXPECT_FAILS(GetFileAttributesA(blanks.c_str()), kInvalidFileAttributes,
               kErrorFilenameExcedRange);
  EXPECT_TRUE(isFile(GetFileAttributesA(blanks.substr(0, kMaxPath).c_str())));
}

TEST_F(Folder, GetCurrentDirectoryCopiesOnlyWhatFitsUpTo259Characters) {
  std::string folder = pathOfLength(base, kMaxPath - 1, 'c');
  ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
  for (const std::string& cwd : {base.substr(0, base.size() - 1), folder}) {
    SCOPED_TRACE(cwd);
    ASSERT_TRUE(SetCurrentDirectoryA(cwd.c_str()));
    const DWORD len = static_cast<DWORD>(cwd.size());
    char buffer[kMaxPath + 8];
    for (DWORD size : {DWORD{kMaxPath + 8}, len + 1, len, DWORD{1}, DWORD{0}}) {
      std::memset(buffer, kPrime, sizeof buffer);
      DWORD got = GetCurrentDirectoryA(size, buffer);
      if (size > len) {
        EXPECT_EQ(got, len);
        EXPECT_EQ(std::string(buffer), cwd);
        EXPECT_TRUE(primed(buffer + len + 1, sizeof buffer - len - 1));
      } else {
        EXPECT_EQ(got, len + 1) << size;  // the size needed, nothing written
        EXPECT_TRUE(primed(buffer, sizeof buffer));
      }
    }
    EXPECT_EQ(GetCurrentDirectoryA(0, nullptr), len + 1);
  }
}

TEST_F(Folder, SetCurrentDirectoryTakesFoldersOnlyAndKeepsARootsBackslash) {
  writeFile("f.txt");
  ASSERT_TRUE(CreateDirectoryA("dir", nullptr));
  EXPECT_FAILS(SetCurrentDirectoryA("missing"), kFalse, kErrorFileNotFound);
  EXPECT_FAILS(SetCurrentDirectoryA("nope\\deeper"), kFalse, kErrorPathNotFound);
  EXPECT_FAILS(SetCurrentDirectoryA("f.txt"), kFalse, kErrorDirectory);
  EXPECT_FAILS(SetCurrentDirectoryA(""), kFalse, kErrorInvalidName);
  EXPECT_EQ(contract::currentDirectory() + "\\", base);
  EXPECT_TRUE(SetCurrentDirectoryA("DIR/"));
  EXPECT_EQ(contract::currentDirectory(), base + "DIR");  // as written, not as stored
  std::string drive = base.substr(0, 2);
  EXPECT_TRUE(SetCurrentDirectoryA(drive.c_str()));  // "C:": stays where it is
  EXPECT_EQ(contract::currentDirectory(), base + "DIR");
  EXPECT_TRUE(SetCurrentDirectoryA((drive + "\\").c_str()));
  EXPECT_EQ(contract::currentDirectory(), drive + "\\");
}

}  // namespace
