// The seam's file-system contract (platform/files.h), the 260-character limit and the current
// directory included: one source, two backends. When they disagree, sim/ is wrong; where Windows,
// Wine and the simulation differ, files.h says so and the cases here assert what Wine shows.
#include "fixture.h"

#include <algorithm>
#include <map>

using namespace platform;
using namespace contract;

namespace {

using Names = std::vector<std::string>;

// A whole search: the names in order, and FindFirstFileA's error or FindNextFileA's at the end.
// Checks that a failed call leaves its data alone.
struct Listing {
  Names names;
  DWORD error = 0;
};
Listing list(const std::string& pattern) {
  Listing l;
  WIN32_FIND_DATAA d;
  std::memset(&d, kPrime, sizeof d);
  SetLastError(kPrimeError);
  HANDLE h = FindFirstFileA(pattern.c_str(), &d);
  if (h == kInvalidHandle) {
    l.error = GetLastError();
    EXPECT_TRUE(primed(&d, sizeof d)) << "FindFirstFileA(" << pattern << ") wrote on failure";
    return l;
  }
  do {
    l.names.push_back(d.cFileName);
    std::memset(&d, kPrime, sizeof d);
    SetLastError(kPrimeError);
  } while (FindNextFileA(h, &d));
  l.error = GetLastError();
  EXPECT_TRUE(primed(&d, sizeof d)) << "FindNextFileA(" << pattern << ") wrote at the end";
  EXPECT_TRUE(FindClose(h));
  return l;
}

// The names without "." and "..", sorted (the file system's order differs).
Names sortedNames(const Listing& l) {
  Names names;
  for (const auto& n : l.names)
    if (n != "." && n != "..") names.push_back(n);
  std::sort(names.begin(), names.end());
  return names;
}

std::string currentDirectory() {
  char buffer[1024];
  DWORD n = GetCurrentDirectoryA(sizeof buffer, buffer);
  return n && n < sizeof buffer ? std::string(buffer, n) : std::string("<failed>");
}

bool isFolder(DWORD attributes) {
  return attributes != kInvalidFileAttributes && (attributes & kFileAttributeDirectory);
}
bool isFile(DWORD attributes) {
  return attributes != kInvalidFileAttributes && !(attributes & kFileAttributeDirectory);
}

// What a pattern finds, and why a search finds nothing: a missing folder or no match; the dot
// entries first except at a drive root.
TEST_F(Folder, FindMatchesPatternsAsWineDoes) {
  for (const char* name : {"ab", "abc", "a.b.c", "Mixed.TXT", "noext", "x.txt"}) writeFile(name);
  ASSERT_TRUE(CreateDirectoryA("dir", nullptr));
  ASSERT_TRUE(CreateDirectoryA("empty", nullptr));
  const Names all{".", "..", "Mixed.TXT", "a.b.c", "ab", "abc", "dir", "empty", "noext", "x.txt"};
  struct Case {
    std::string mask;
    Names names;
    DWORD error = kErrorNoMoreFiles;
  };
  const std::vector<Case> cases{
      {"*.*", all},      // names without a dot too
      {"a??", {"abc"}},  // Windows: also "ab"
      {"*x*", {"Mixed.TXT", "noext", "x.txt"}},
      {"noext.*", {"noext"}},
      {"*.", all},  // Windows: only names without a dot
      {"empty\\*", {".", ".."}},
      {"dir", {"dir"}},                // without wildcards: the entry itself
      {"*?", {}, kErrorFileNotFound},  // Windows: everything
      {"empty\\*.txt", {}, kErrorFileNotFound},
      {"empty\\", {}, kErrorFileNotFound},  // a closing separator: no mask
      {base.substr(0, 3), {}, kErrorFileNotFound},
      {"nope\\*", {}, kErrorPathNotFound},
      {"x.txt\\y\\*", {}, kErrorPathNotFound},  // a file in the middle
      {"x.txt\\*", {}, kErrorInvalidName},      // Windows: other codes
      {"empty\\*\\x", {}, kErrorInvalidName},   // wildcards before the last component
  };
  for (const Case& c : cases) {
    Listing l = list(c.mask);  // checks that a failure leaves the data untouched
    std::sort(l.names.begin(), l.names.end());
    EXPECT_EQ(l.names, c.names) << c.mask;
    EXPECT_EQ(l.error, c.error) << c.mask;
  }
  writeFile("dir\\b.txt", "bb");
  EXPECT_EQ(list("dir\\*").names, (Names{".", "..", "b.txt"}));
  Names root = list(base.substr(0, 3) + "*").names;
  EXPECT_EQ(std::count(root.begin(), root.end(), ".") + std::count(root.begin(), root.end(), ".."),
            0);
  WIN32_FIND_DATAA d;
  HANDLE h = FindFirstFileA("dir\\b.txt", &d);
  ASSERT_NE(h, kInvalidHandle);
  EXPECT_TRUE(isFile(d.dwFileAttributes));
  EXPECT_FAILS(FindNextFileA(h, &d), kFalse, kErrorNoMoreFiles);
  EXPECT_TRUE(FindClose(h));
  EXPECT_FAILS(FindNextFileA(kInvalidHandle, &d), kFalse, kErrorInvalidHandle);
  EXPECT_FAILS(FindClose(kInvalidHandle), kFalse, kErrorInvalidHandle);
}

// The code page here is Windows-1252: it holds é but no fullwidth letters, whose look-alikes
// ("a", '"') would name other files or none. Those come by their short names, which reach them.
TEST_F(Folder, FindGivesNamesTheCodePageLacksByTheirShortNames) {
  ASSERT_EQ(GetACP(), kCodePageWestern);
  writeFile("a.txt", "plain");
  writeFile("\xef\xbd\x81.txt", "fullwidth a");       // U+FF41
  writeFile("q\xef\xbc\x82.txt", "fullwidth quote");  // U+FF02
  writeFile("caf\xc3\xa9.txt", "e acute");

  Listing l = list("*");
  EXPECT_EQ(l.error, kErrorNoMoreFiles);
  Names names = sortedNames(l);
  ASSERT_EQ(names.size(), 4u) << ::testing::PrintToString(names);
  EXPECT_EQ(names[2], "a.txt");
  EXPECT_EQ(names[3], "caf\xe9.txt");
  std::map<std::string, std::string> nameOf;  // by what each listed name reaches
  for (const std::string& name : names) nameOf[readFile(name)] = name;
  EXPECT_EQ(nameOf.size(), 4u) << "two listed names reach the same file";
  for (const char* content : {"fullwidth a", "fullwidth quote"}) {
    const std::string& shortName = nameOf[content];
    EXPECT_LE(shortName.size(), 12u) << content;
    EXPECT_EQ(shortName.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789_~.!#$%&'()-@^`{}"),
              std::string::npos)
        << shortName;
  }
  ASSERT_TRUE(DeleteFileA(nameOf["fullwidth a"].c_str()));  // its own file only
  EXPECT_EQ(readFile(nameOf["fullwidth a"]), "<missing>");
  EXPECT_EQ(sortedNames(list("*")).size(), 3u);
  EXPECT_EQ(readFile(nameOf["fullwidth quote"]), "fullwidth quote");
  EXPECT_EQ(readFile("a.txt"), "plain");
}

// Every spelling of a path: case, either separator, dots and blanks, relative forms.
TEST_F(Folder, PathsResolveInAnySpelling) {
  ASSERT_TRUE(CreateDirectoryA("Dir", nullptr));
  writeFile("Dir\\f.txt", "x");
  std::string drive = base.substr(0, 2);  // "C:"
  std::string slashed = base;
  std::replace(slashed.begin(), slashed.end(), '\\', '/');
  auto what = [](const std::string& path) {
    SetLastError(contract::kPrimeError);
    DWORD a = GetFileAttributesA(path.c_str());
    return isFolder(a) ? "folder" : isFile(a) ? "file" : "error " + std::to_string(GetLastError());
  };
  auto error = [](DWORD code) { return "error " + std::to_string(code); };
  const std::vector<std::pair<std::string, std::string>> cases{
      {"DIR\\F.TXT", "file"},
      {slashed + "Dir/f.txt", "file"},
      {"dir\\", "folder"},
      {"nope\\..\\dir\\.\\f.txt", "file"},  // resolved in the text
      {drive + "dir\\f.txt", "file"},       // the current directory of drive C:
      {base.substr(2) + "dir\\f.txt", "file"},
      {drive + "\\..\\..", "folder"},  // stays at the root
      {"dir.\\f.txt", "file"},         // one trailing dot of a middle name, all of the last one's
      {"dir\\f.txt. . ", "file"},
      {"dir\\f.txt\\..", "folder"},
      {"missing", error(kErrorFileNotFound)},
      {"nope\\x", error(kErrorPathNotFound)},
      {"dir\\f.txt\\", error(kErrorPathNotFound)},
      {"dir..\\f.txt", error(kErrorPathNotFound)},
      {"", error(kErrorPathNotFound)},
      {"dir\\*\\x", error(kErrorInvalidName)},
  };
  for (const auto& [path, expected] : cases) EXPECT_EQ(what(path), expected) << path;
  EXPECT_EQ(sortedNames(list("DIR/*")), Names{"f.txt"});
}

TEST_F(Folder, CopyFileCopiesWithAttributesAndReplacesOnlyWhatItMayElseSaysWhy) {
  writeFile("src.txt", "new");
  ASSERT_TRUE(SetFileAttributesA("src.txt", kFileAttributeReadonly));
  EXPECT_TRUE(CopyFileA("src.txt", "Dst.Txt", kTrue));
  EXPECT_EQ(readFile("dst.txt"), "new");
  EXPECT_EQ(list("DST.TXT").names, Names{"Dst.Txt"});
  EXPECT_TRUE(GetFileAttributesA("dst.txt") & kFileAttributeReadonly);
  ASSERT_TRUE(SetFileAttributesA("src.txt", kFileAttributeNormal));

  // A read-only, hidden or system file is not replaced, a plain one is. Wine overwrites hidden
  // and system ones, and read-only ones when run by root (files.h): then the result has to tell
  // the truth.
  for (DWORD attribute :
       {DWORD{0}, kFileAttributeReadonly, kFileAttributeHidden, kFileAttributeSystem}) {
    SCOPED_TRACE(attribute);
    writeFile("kept.txt", "old");
    ASSERT_TRUE(SetFileAttributesA("kept.txt", attribute | kFileAttributeNormal));
    EXPECT_FAILS(CopyFileA("src.txt", "kept.txt", kTrue), kFalse, kErrorFileExists);
    EXPECT_EQ(readFile("kept.txt"), "old");
    SetLastError(contract::kPrimeError);
    BOOL copied = CopyFileA("src.txt", "kept.txt", kFalse);
    EXPECT_EQ(copied != kFalse, attribute == 0 || (!contract::kSimulated && copied));
    EXPECT_EQ(readFile("kept.txt"), copied ? "new" : "old");
    EXPECT_TRUE(copied || GetLastError() == kErrorAccessDenied);
    ASSERT_TRUE(SetFileAttributesA("kept.txt", kFileAttributeNormal));
  }

  ASSERT_TRUE(CreateDirectoryA("dir", nullptr));
  EXPECT_FAILS(CopyFileA("missing.txt", "nope\\out.txt", kFalse), kFalse, kErrorFileNotFound);
  EXPECT_FAILS(CopyFileA("nope\\src.txt", "out.txt", kFalse), kFalse, kErrorPathNotFound);
  EXPECT_FAILS(CopyFileA("src.txt", "nope\\out.txt", kFalse), kFalse, kErrorPathNotFound);
  EXPECT_FAILS(CopyFileA("dir", "out.txt", kFalse), kFalse, kErrorAccessDenied);
  EXPECT_FAILS(CopyFileA("src.txt", "dir\\", kFalse), kFalse, kErrorAccessDenied);
  EXPECT_FAILS(CopyFileA("src.txt", "src.txt", kFalse), kFalse, kErrorSharingViolation);
  EXPECT_FAILS(CopyFileA("src.txt", "out*.txt", kFalse), kFalse, kErrorInvalidName);
  EXPECT_FAILS(CopyFileA("src.txt", "", kFalse), kFalse, kErrorPathNotFound);
  EXPECT_EQ(sortedNames(list("*")), (Names{"Dst.Txt", "dir", "kept.txt", "src.txt"}));
  EXPECT_EQ(readFile("src.txt"), "new");
}

TEST_F(Folder, MoveFileMovesButNeverOntoAnExistingEntryAndDeleteAndCreateDirectory) {
  writeFile("a.txt", "A");
  writeFile("c.txt", "C");
  ASSERT_TRUE(CreateDirectoryA("d", nullptr));
  ASSERT_TRUE(SetFileAttributesA("a.txt", kFileAttributeReadonly));
  EXPECT_TRUE(MoveFileA("a.txt", "d\\b.txt"));  // read-only too
  EXPECT_EQ(readFile("d\\b.txt"), "A");
  EXPECT_TRUE(GetFileAttributesA("d\\b.txt") & kFileAttributeReadonly);
  ASSERT_TRUE(SetFileAttributesA("d\\b.txt", kFileAttributeNormal));
  EXPECT_FAILS(MoveFileA("d\\b.txt", "c.txt"), kFalse, kErrorAlreadyExists);
  EXPECT_EQ(readFile("c.txt"), "C");
  // Another spelling of the same name succeeds and keeps the name (Wine; Windows takes the case).
  EXPECT_TRUE(MoveFileA("d\\b.txt", "D\\B.TXT"));
  EXPECT_EQ(list("d\\B.TXT").names, Names{"b.txt"});
  EXPECT_TRUE(MoveFileA("d", "e"));
  EXPECT_EQ(readFile("e\\b.txt"), "A");
  ASSERT_TRUE(CreateDirectoryA("e\\sub", nullptr));
  EXPECT_FAILS(MoveFileA("e", "e\\sub\\x"), kFalse, kErrorInvalidParameter);
  EXPECT_FAILS(MoveFileA("missing.txt", "nope\\x.txt"), kFalse, kErrorFileNotFound);
  EXPECT_FAILS(MoveFileA("c.txt", "nope\\x.txt"), kFalse, kErrorPathNotFound);
  EXPECT_FAILS(MoveFileA("c.txt", "x?.txt"), kFalse, kErrorInvalidName);
  EXPECT_EQ(sortedNames(list("*")), (Names{"c.txt", "e"}));

  // Deleting, and making folders.
  writeFile("x.txt");
  writeFile("ro.txt");
  ASSERT_TRUE(SetFileAttributesA("ro.txt", kFileAttributeReadonly));
  EXPECT_TRUE(DeleteFileA("X.TXT"));
  EXPECT_FAILS(DeleteFileA("x.txt"), kFalse, kErrorFileNotFound);
  EXPECT_FAILS(DeleteFileA("nope\\x.txt"), kFalse, kErrorPathNotFound);
  EXPECT_FAILS(DeleteFileA("ro.txt"), kFalse, kErrorAccessDenied);

  EXPECT_TRUE(CreateDirectoryA("one", nullptr));
  EXPECT_TRUE(CreateDirectoryA("one\\new\\", nullptr));  // a closing separator is fine
  EXPECT_TRUE(CreateDirectoryA(std::string(255, 'n').c_str(), nullptr));
  EXPECT_FAILS(CreateDirectoryA(std::string(256, 'n').c_str(), nullptr), kFalse,
               kErrorFileNotFound);  // a name longer than 255 (Wine's code for it)
  EXPECT_FAILS(DeleteFileA("one"), kFalse, kErrorAccessDenied);
  EXPECT_FAILS(CreateDirectoryA("two\\three", nullptr), kFalse, kErrorPathNotFound);
  EXPECT_FAILS(CreateDirectoryA("ONE\\", nullptr), kFalse, kErrorAlreadyExists);
  EXPECT_FAILS(CreateDirectoryA("ro.txt", nullptr), kFalse, kErrorAlreadyExists);
  EXPECT_FAILS(CreateDirectoryA(base.substr(0, 3).c_str(), nullptr), kFalse, kErrorAlreadyExists);
  EXPECT_EQ(sortedNames(list("*")), (Names{"c.txt", "e", std::string(255, 'n'), "one", "ro.txt"}));
}

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
  EXPECT_EQ(list(folder).names, name);
  EXPECT_TRUE(RemoveDirectoryA(folder.c_str()));
  EXPECT_TRUE(CopyFileA("short.txt", file.c_str(), kFalse));
  EXPECT_TRUE(MoveFileA(file.c_str(), moved.c_str()));
  EXPECT_TRUE(CopyFileA(moved.c_str(), "back.txt", kFalse));
  EXPECT_EQ(readFile("back.txt"), "s");
  EXPECT_TRUE(DeleteFileA(moved.c_str()));
  EXPECT_EQ(GetFileAttributesA(moved.c_str()), kInvalidFileAttributes);

  std::string p = pathOfLength(base, kMaxPath + 1, 'x');
  EXPECT_FAILS(GetFileAttributesA(p.c_str()), kInvalidFileAttributes, kErrorFilenameExcedRange);
  EXPECT_EQ(list(p).error, kErrorFilenameExcedRange);
  EXPECT_FAILS(CreateDirectoryA(p.c_str(), nullptr), kFalse, kErrorFilenameExcedRange);
  EXPECT_FAILS(CopyFileA(p.c_str(), "out.txt", kFalse), kFalse, kErrorFilenameExcedRange);
  EXPECT_FAILS(MoveFileA(p.c_str(), "out.txt"), kFalse, kErrorFilenameExcedRange);
  EXPECT_FAILS(DeleteFileA(p.c_str()), kFalse, kErrorFilenameExcedRange);
  EXPECT_FAILS(SetFileAttributesA(p.c_str(), 0), kFalse, kErrorFilenameExcedRange);
  EXPECT_FAILS(SetCurrentDirectoryA(p.c_str()), kFalse, kErrorFilenameExcedRange);
  EXPECT_EQ(currentDirectory() + "\\", base);
  // The text counts, even where trailing blanks leave a short path.
  std::string blanks = base + "back.txt" + std::string(kMaxPath + 1 - base.size() - 8, ' ');
  EXPECT_FAILS(GetFileAttributesA(blanks.c_str()), kInvalidFileAttributes,
               kErrorFilenameExcedRange);
  EXPECT_TRUE(isFile(GetFileAttributesA(blanks.substr(0, kMaxPath).c_str())));
}

// Set to folders only, kept as written, copied out whole or not at all, up to 259 characters.
TEST_F(Folder, TheCurrentDirectoryIsAFolderCopiedOnlyWhereItFits) {
  writeFile("f.txt");
  ASSERT_TRUE(CreateDirectoryA("dir", nullptr));
  EXPECT_FAILS(SetCurrentDirectoryA("missing"), kFalse, kErrorFileNotFound);
  EXPECT_FAILS(SetCurrentDirectoryA("nope\\deeper"), kFalse, kErrorPathNotFound);
  EXPECT_FAILS(SetCurrentDirectoryA("f.txt"), kFalse, kErrorDirectory);
  EXPECT_FAILS(SetCurrentDirectoryA(""), kFalse, kErrorInvalidName);
  EXPECT_EQ(currentDirectory() + "\\", base);
  EXPECT_TRUE(SetCurrentDirectoryA("DIR/"));
  EXPECT_EQ(currentDirectory(), base + "DIR");  // as written, not as stored
  std::string drive = base.substr(0, 2);
  EXPECT_TRUE(SetCurrentDirectoryA(drive.c_str()));  // "C:": stays where it is
  EXPECT_EQ(currentDirectory(), base + "DIR");
  EXPECT_TRUE(SetCurrentDirectoryA((drive + "\\").c_str()));
  EXPECT_EQ(currentDirectory(), drive + "\\");
  std::string folder = pathOfLength(base, kMaxPath - 1, 'c');
  ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
  for (const std::string& cwd : {base.substr(0, base.size() - 1), folder}) {
    SCOPED_TRACE(cwd);
    ASSERT_TRUE(SetCurrentDirectoryA(cwd.c_str()));
    const DWORD len = static_cast<DWORD>(cwd.size());
    char buffer[kMaxPath + 8];
    for (DWORD size : {DWORD{kMaxPath + 8}, len + 1, len, DWORD{1}, DWORD{0}}) {
      std::memset(buffer, kPrime, sizeof buffer);
      const bool fits = size > len;  // else the size needed comes back, nothing written
      EXPECT_EQ(GetCurrentDirectoryA(size, buffer), fits ? len : len + 1) << size;
      const std::size_t written = fits ? len + 1 : 0;
      EXPECT_EQ(std::string(buffer, written), fits ? cwd + '\0' : "");
      EXPECT_TRUE(primed(buffer + written, sizeof buffer - written));
    }
    EXPECT_EQ(GetCurrentDirectoryA(0, nullptr), len + 1);
  }
}

HANDLE openEntry(const std::string& path, DWORD flags = kFileFlagBackupSemantics) {
  return CreateFileA(path.c_str(), 0, kFileShareRead | kFileShareWrite | kFileShareDelete, nullptr,
                     kOpenExisting, flags, nullptr);
}

// Which entry a path names (platform/file_identity.h): the serial number and index of an entry, ""
// when it cannot be opened.
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

TEST_F(Folder, EverySpellingOfAnEntryGivesItsIdentityAndOtherEntriesDiffer) {
  ASSERT_TRUE(CreateDirectoryA("Tree", nullptr));
  ASSERT_TRUE(CreateDirectoryA("Tree\\Sub", nullptr));
  ASSERT_TRUE(CreateDirectoryA("Other", nullptr));
  writeFile("Tree\\File.txt", "x");
  writeFile("Tree\\Copy.txt", "x");

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

  // Opening fails as GetFileAttributesA does, and a folder needs the backup flag.
  EXPECT_FAILS(openEntry("missing\\x"), kInvalidHandle, kErrorPathNotFound);
  EXPECT_FAILS(openEntry(base + std::string(kMaxPath, 'n')), kInvalidHandle,
               kErrorFilenameExcedRange);
  EXPECT_FAILS(openEntry("Other", 0), kInvalidHandle, kErrorAccessDenied);
  BY_HANDLE_FILE_INFORMATION info;
  std::memset(&info, contract::kPrime, sizeof info);
  EXPECT_FAILS(GetFileInformationByHandle(nullptr, &info), kFalse, kErrorInvalidHandle);
  EXPECT_TRUE(contract::primed(&info, sizeof info));
}

}  // namespace
