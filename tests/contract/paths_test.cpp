// The seam's contract for paths: the 260-character limit, relative paths, the current directory
// and GetTempPathA. Known differences between the simulation, Wine and Windows: files.h.
#include "fixture.h"

using namespace platform;
using contract::Folder;
using contract::isFile;
using contract::isFolder;
using contract::kPrime;
using contract::list;
using contract::primed;
using contract::readFile;
using contract::sortedNames;
using contract::writeFile;

namespace {

using Names = std::vector<std::string>;

// A folder under `base` whose name is 200 characters, made by the seam.
std::string longFolder(const std::string& base) {
  std::string folder = base + std::string(200, 'L');
  EXPECT_TRUE(CreateDirectoryA(folder.c_str(), nullptr) || GetLastError() == kErrorAlreadyExists);
  return folder + "\\";
}

// An absolute path of exactly `total` characters: the long folder and a name that ends in `last`.
std::string pathOfLength(const std::string& base, std::size_t total, char last) {
  std::string folder = longFolder(base);
  EXPECT_GT(total, folder.size() + 1);
  std::string name(total - folder.size(), 'n');
  name.back() = last;
  std::string path = folder + name;
  EXPECT_EQ(path.size(), total);
  return path;
}

}  // namespace

// ---- The 260-character limit ----

TEST_F(Folder, PathsOf260CharactersWork) {
  ASSERT_LT(base.size(), 40u) << "the fixture's folder is too deep for these tests";
  std::string folder = pathOfLength(base, kMaxPath, 'd');
  std::string file = pathOfLength(base, kMaxPath, 'f');
  std::string moved = pathOfLength(base, kMaxPath, 'm');

  EXPECT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
  EXPECT_TRUE(isFolder(GetFileAttributesA(folder.c_str())));
  contract::Listing l = list(folder);
  ASSERT_TRUE(l.found);
  EXPECT_EQ(l.names[0].size(), folder.size() - folder.rfind('\\') - 1);
  EXPECT_TRUE(SetFileAttributesA(folder.c_str(), kFileAttributeHidden));
  EXPECT_TRUE(RemoveDirectoryA(folder.c_str()));

  writeFile("short.txt", "s");
  EXPECT_TRUE(CopyFileA("short.txt", file.c_str(), kFalse));
  EXPECT_TRUE(isFile(GetFileAttributesA(file.c_str())));
  EXPECT_TRUE(MoveFileA(file.c_str(), moved.c_str()));
  EXPECT_TRUE(CopyFileA(moved.c_str(), "back.txt", kFalse));
  EXPECT_EQ(readFile("back.txt"), "s");
  EXPECT_TRUE(DeleteFileA(moved.c_str()));
  EXPECT_EQ(GetFileAttributesA(moved.c_str()), kInvalidFileAttributes);
}

TEST_F(Folder, PathsOf261CharactersFailWithFilenameExcedRange) {
  std::string p = pathOfLength(base, kMaxPath + 1, 'x');
  writeFile("short.txt", "s");
  ASSERT_TRUE(CreateDirectoryA("dir", nullptr));

  EXPECT_FAILS(GetFileAttributesA(p.c_str()), kInvalidFileAttributes, kErrorFilenameExcedRange);
  contract::Listing l = list(p);  // checks that the data stays untouched
  EXPECT_FALSE(l.found);
  EXPECT_EQ(l.error, kErrorFilenameExcedRange);
  EXPECT_FAILS(CreateDirectoryA(p.c_str(), nullptr), kFalse, kErrorFilenameExcedRange);
  EXPECT_FAILS(CopyFileA(p.c_str(), "out.txt", kFalse), kFalse, kErrorFilenameExcedRange);
  EXPECT_FAILS(MoveFileA(p.c_str(), "out.txt"), kFalse, kErrorFilenameExcedRange);
  EXPECT_FAILS(DeleteFileA(p.c_str()), kFalse, kErrorFilenameExcedRange);
  EXPECT_FAILS(SetFileAttributesA(p.c_str(), kFileAttributeNormal), kFalse,
               kErrorFilenameExcedRange);
  EXPECT_FAILS(RemoveDirectoryA(p.c_str()), kFalse, kErrorFilenameExcedRange);
  EXPECT_FAILS(SetCurrentDirectoryA(p.c_str()), kFalse, kErrorFilenameExcedRange);
  EXPECT_EQ(contract::currentDirectory() + "\\", base);

  // A text of 261 characters that names a short path (trailing spaces are dropped) is refused as
  // well: the text counts.
  std::string dotted = base + "dir" + std::string(kMaxPath + 1 - base.size() - 3, ' ');
  ASSERT_EQ(dotted.size(), kMaxPath + 1);
  EXPECT_FAILS(GetFileAttributesA(dotted.c_str()), kInvalidFileAttributes,
               kErrorFilenameExcedRange);
  EXPECT_TRUE(isFolder(GetFileAttributesA(dotted.substr(0, kMaxPath).c_str())));
}

TEST_F(Folder, TheDestinationOfCopyAndMoveHasNoLimit) {  // Wine; Windows refuses
  std::string folder = longFolder(base);
  std::string copied = pathOfLength(base, kMaxPath + 1, 'c');
  std::string moved = pathOfLength(base, kMaxPath + 1, 'm');
  writeFile("short.txt", "s");
  writeFile("other.txt", "o");
  EXPECT_TRUE(CopyFileA("short.txt", copied.c_str(), kFalse));
  EXPECT_TRUE(MoveFileA("other.txt", moved.c_str()));
  EXPECT_EQ(GetFileAttributesA("other.txt"), kInvalidFileAttributes);
  EXPECT_FAILS(CopyFileA("short.txt", copied.c_str(), kTrue), kFalse, kErrorFileExists);
  // From inside the folder the same files have short names.
  ASSERT_TRUE(SetCurrentDirectoryA(folder.c_str()));
  std::string copiedName = copied.substr(folder.size());
  std::string movedName = moved.substr(folder.size());
  EXPECT_EQ(readFile(copiedName), "s");
  EXPECT_EQ(readFile(movedName), "o");
  EXPECT_TRUE(DeleteFileA(copiedName.c_str()));
  EXPECT_TRUE(DeleteFileA(movedName.c_str()));
  ASSERT_TRUE(SetCurrentDirectoryA(base.c_str()));
}

TEST_F(Folder, AShortRelativeTextMayNameALongerFullPath) {  // Wine; Windows refuses
  std::string folder = longFolder(base);
  ASSERT_TRUE(SetCurrentDirectoryA(folder.c_str()));
  std::string name(100, 'r');
  ASSERT_GT(folder.size() + name.size(), kMaxPath);
  EXPECT_TRUE(CreateDirectoryA(name.c_str(), nullptr));
  EXPECT_TRUE(isFolder(GetFileAttributesA(name.c_str())));
  EXPECT_EQ(list(name).names, Names{name});
  EXPECT_TRUE(RemoveDirectoryA(name.c_str()));
}

TEST_F(Folder, TheCurrentDirectoryMayHave259Characters) {
  std::string folder = pathOfLength(base, kMaxPath - 1, 'c');
  ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
  ASSERT_TRUE(SetCurrentDirectoryA(folder.c_str()));
  EXPECT_EQ(GetCurrentDirectoryA(0, nullptr), kMaxPath);
  char buffer[kMaxPath + 8];
  std::memset(buffer, kPrime, sizeof buffer);
  EXPECT_EQ(GetCurrentDirectoryA(kMaxPath, buffer), kMaxPath - 1);
  EXPECT_EQ(std::string(buffer), folder);
  EXPECT_TRUE(primed(buffer + kMaxPath, 8));
  ASSERT_TRUE(SetCurrentDirectoryA(base.c_str()));
}

// ---- Relative paths ----

TEST_F(Folder, RelativePathsResolveAgainstTheCurrentDirectory) {
  ASSERT_TRUE(CreateDirectoryA("sub", nullptr));
  writeFile("sub\\f.txt", "f");
  std::string drive = base.substr(0, 2);  // "C:"
  std::string name = base.substr(0, base.size() - 1);
  name = name.substr(name.rfind('\\') + 1);

  EXPECT_TRUE(isFile(GetFileAttributesA("sub\\f.txt")));
  EXPECT_TRUE(isFile(GetFileAttributesA(".\\sub\\f.txt")));
  EXPECT_TRUE(isFile(GetFileAttributesA("sub\\..\\sub\\.\\f.txt")));
  EXPECT_TRUE(isFile(GetFileAttributesA(("..\\" + name + "\\sub\\f.txt").c_str())));
  EXPECT_TRUE(isFile(GetFileAttributesA((drive + "sub\\f.txt").c_str())));  // "C:sub\f.txt"
  EXPECT_TRUE(isFile(GetFileAttributesA(base.substr(2).append("sub\\f.txt").c_str())));  // "\..."
  EXPECT_TRUE(isFolder(GetFileAttributesA((drive + "\\..\\..").c_str())));  // stays at the root
  EXPECT_TRUE(isFolder(GetFileAttributesA(drive.c_str())));  // "C:" is the current directory
  EXPECT_EQ(sortedNames(list(drive + "*")), Names{"sub"});

  ASSERT_TRUE(SetCurrentDirectoryA("sub"));
  EXPECT_EQ(contract::currentDirectory(), base + "sub");
  EXPECT_TRUE(isFile(GetFileAttributesA("f.txt")));
  EXPECT_TRUE(isFile(GetFileAttributesA("..\\sub\\f.txt")));
  EXPECT_TRUE(CopyFileA("f.txt", "..\\g.txt", kFalse));
  EXPECT_EQ(readFile(base + "g.txt"), "f");
  ASSERT_TRUE(SetCurrentDirectoryA(".."));
  EXPECT_EQ(contract::currentDirectory() + "\\", base);
}

// Dots and blanks: "." and ".." only as whole names, one trailing dot of a middle name and the
// trailing dots and blanks of the last one dropped, what is left of a name taken as it is.
TEST_F(Folder, OddNamesFollowTheDotRules) {
  ASSERT_TRUE(CreateDirectoryA("dir", nullptr));
  writeFile("dir\\f.txt", "x");
  for (const char* file : {"dir.\\f.txt", "dir\\f.txt. . ", "dir\\...\\..\\f.txt", "dir\\f.txt\\.",
                           "dir\\ \\..\\f.txt", ".\\dir\\.\\f.txt"})
    EXPECT_TRUE(isFile(GetFileAttributesA(file))) << file;
  for (const char* folder : {"dir\\...", "dir\\f.txt\\.."})
    EXPECT_TRUE(isFolder(GetFileAttributesA(folder))) << folder;
  for (const char* missing : {"dir..\\f.txt", "dir. \\f.txt", "dir\\f.txt.\\", "dir\\f.txt\\..."})
    EXPECT_FAILS(GetFileAttributesA(missing), kInvalidFileAttributes, kErrorPathNotFound);
}

// ---- GetCurrentDirectoryA, SetCurrentDirectoryA ----

TEST_F(Folder, GetCurrentDirectoryCopiesOnlyWhenItFits) {
  std::string cwd = base.substr(0, base.size() - 1);  // no closing backslash
  DWORD len = static_cast<DWORD>(cwd.size());
  char buffer[400];

  std::memset(buffer, kPrime, sizeof buffer);
  EXPECT_EQ(GetCurrentDirectoryA(sizeof buffer, buffer), len);
  EXPECT_EQ(std::string(buffer), cwd);
  EXPECT_TRUE(primed(buffer + len + 1, sizeof buffer - len - 1));

  std::memset(buffer, kPrime, sizeof buffer);
  EXPECT_EQ(GetCurrentDirectoryA(len + 1, buffer), len);  // exactly enough
  EXPECT_EQ(std::string(buffer), cwd);
  EXPECT_TRUE(primed(buffer + len + 1, sizeof buffer - len - 1));

  std::memset(buffer, kPrime, sizeof buffer);
  EXPECT_EQ(GetCurrentDirectoryA(len, buffer), len + 1);  // one short: the size needed
  EXPECT_TRUE(primed(buffer, sizeof buffer));
  EXPECT_EQ(GetCurrentDirectoryA(1, buffer), len + 1);
  EXPECT_TRUE(primed(buffer, sizeof buffer));
  EXPECT_EQ(GetCurrentDirectoryA(0, buffer), len + 1);
  EXPECT_TRUE(primed(buffer, sizeof buffer));
  EXPECT_EQ(GetCurrentDirectoryA(0, nullptr), len + 1);
}

TEST_F(Folder, SetCurrentDirectoryKeepsTheCaseAsWritten) {
  ASSERT_TRUE(CreateDirectoryA("sub", nullptr));
  EXPECT_TRUE(SetCurrentDirectoryA("SUB"));
  EXPECT_EQ(contract::currentDirectory(), base + "SUB");
  EXPECT_TRUE(SetCurrentDirectoryA(base.c_str()));
  EXPECT_TRUE(SetCurrentDirectoryA(".\\sub\\..\\sub\\"));
  EXPECT_EQ(contract::currentDirectory(), base + "sub");
  EXPECT_TRUE(SetCurrentDirectoryA(".."));
  EXPECT_EQ(contract::currentDirectory() + "\\", base);

  std::string drive = base.substr(0, 2);
  EXPECT_TRUE(SetCurrentDirectoryA(drive.c_str()));  // "C:": stays where it is
  EXPECT_EQ(contract::currentDirectory() + "\\", base);
  EXPECT_TRUE(SetCurrentDirectoryA((drive + "\\").c_str()));
  EXPECT_EQ(contract::currentDirectory(), drive + "\\");  // a root keeps its backslash
  char buffer[8];
  std::memset(buffer, kPrime, sizeof buffer);
  EXPECT_EQ(GetCurrentDirectoryA(sizeof buffer, buffer), 3u);
  EXPECT_EQ(std::string(buffer), drive + "\\");
  EXPECT_TRUE(SetCurrentDirectoryA(base.c_str()));
}

TEST_F(Folder, SetCurrentDirectoryErrorsLeaveItUnchanged) {
  writeFile("f.txt");
  std::string before = contract::currentDirectory();
  EXPECT_FAILS(SetCurrentDirectoryA("missing"), kFalse, kErrorFileNotFound);
  EXPECT_FAILS(SetCurrentDirectoryA("nope\\deeper"), kFalse, kErrorPathNotFound);
  EXPECT_FAILS(SetCurrentDirectoryA("f.txt"), kFalse, kErrorDirectory);
  EXPECT_FAILS(SetCurrentDirectoryA(""), kFalse, kErrorInvalidName);
  EXPECT_EQ(contract::currentDirectory(), before);
}

// ---- GetTempPathA ----

TEST_F(Folder, GetTempPathEndsInABackslashAndFollowsTheBufferRules) {
  char buffer[400];
  std::memset(buffer, kPrime, sizeof buffer);
  DWORD n = GetTempPathA(sizeof buffer, buffer);
  ASSERT_GT(n, 3u);
  ASSERT_LT(n, sizeof buffer);
  EXPECT_EQ(std::strlen(buffer), n);
  EXPECT_EQ(buffer[n - 1], '\\');
  EXPECT_EQ(buffer[1], ':');
  EXPECT_TRUE(primed(buffer + n + 1, sizeof buffer - n - 1));

  std::memset(buffer, kPrime, sizeof buffer);
  EXPECT_EQ(GetTempPathA(n, buffer), n + 1);
  EXPECT_TRUE(primed(buffer, sizeof buffer));
  EXPECT_EQ(GetTempPathA(0, nullptr), n + 1);
}
