// The seam's file-system contract (platform/files.h): one source, two backends. When they
// disagree, sim/ is wrong; where Windows, Wine and the simulation differ, files.h says so and the
// cases here assert what Wine shows.
#include "fixture.h"

#include <algorithm>
#include <map>

using namespace platform;
using contract::Folder;
using contract::isFile;
using contract::isFolder;
using contract::list;
using contract::readFile;
using contract::sortedNames;
using contract::writeFile;

namespace {

using Names = std::vector<std::string>;

TEST_F(Folder, FindListsDotEntriesFirstExceptAtADriveRootAndStaysAtTheEnd) {
  ASSERT_TRUE(CreateDirectoryA("sub", nullptr));
  writeFile("sub\\b.txt", "bb");
  ASSERT_TRUE(CreateDirectoryA("sub\\c", nullptr));
  ASSERT_TRUE(CreateDirectoryA("empty", nullptr));

  contract::Listing l = list("sub\\*");
  ASSERT_EQ(l.names.size(), 4u);
  EXPECT_EQ(Names(l.names.begin(), l.names.begin() + 2), (Names{".", ".."}));
  EXPECT_EQ(sortedNames(l), (Names{"b.txt", "c"}));
  EXPECT_EQ(l.error, kErrorNoMoreFiles);
  std::size_t file = l.names[2] == "b.txt" ? 2 : 3;
  EXPECT_TRUE(isFolder(l.attributes[0]) && isFolder(l.attributes[5 - file]));
  EXPECT_TRUE(isFile(l.attributes[file]));
  EXPECT_EQ(list("empty\\*").names, (Names{".", ".."}));

  std::string root = base.substr(0, 3);
  for (const std::string& pattern : {root + "*", root + "*.*"}) {
    l = list(pattern);
    EXPECT_FALSE(l.names.empty()) << pattern;
    EXPECT_EQ(std::count(l.names.begin(), l.names.end(), "."), 0) << pattern;
    EXPECT_EQ(std::count(l.names.begin(), l.names.end(), ".."), 0) << pattern;
  }

  WIN32_FIND_DATAA d;
  HANDLE h = FindFirstFileA("sub\\b.txt", &d);
  ASSERT_NE(h, kInvalidHandle);
  EXPECT_EQ(d.nFileSizeLow, 2u);
  EXPECT_FAILS(FindNextFileA(h, &d), kFalse, kErrorNoMoreFiles);
  EXPECT_FAILS(FindNextFileA(h, &d), kFalse, kErrorNoMoreFiles);
  EXPECT_TRUE(FindClose(h));
  std::memset(&d, contract::kPrime, sizeof d);
  EXPECT_FAILS(FindNextFileA(kInvalidHandle, &d), kFalse, kErrorInvalidHandle);
  EXPECT_TRUE(contract::primed(&d, sizeof d));
  EXPECT_FAILS(FindClose(kInvalidHandle), kFalse, kErrorInvalidHandle);
}

TEST_F(Folder, FindMatchesPatternsAsWineDoes) {
  for (const char* name : {"ab", "abc", "a.b.c", "Mixed.TXT", "noext", "x.txt"}) writeFile(name);
  ASSERT_TRUE(CreateDirectoryA("dir", nullptr));
  std::string folder = base.substr(0, base.size() - 1);
  folder = folder.substr(folder.rfind('\\') + 1);
  const Names all{".", "..", "Mixed.TXT", "a.b.c", "ab", "abc", "dir", "noext", "x.txt"};
  const std::vector<std::pair<std::string, Names>> cases{
      {"*", all},
      {"*.*", all},  // names without a dot too
      {"a?", {"ab"}},
      {"a??", {"abc"}},  // Windows: also "ab"
      {"?", {"."}},
      {"??", {"..", "ab"}},
      {"*.TXT", {"Mixed.TXT", "x.txt"}},
      {"*x*", {"Mixed.TXT", "noext", "x.txt"}},
      {"a*c", {"a.b.c", "abc"}},
      {"x.t?t", {"x.txt"}},
      {"MIXED.txt", {"Mixed.TXT"}},
      {"noext.", {"noext"}},
      {"noext.*", {"noext"}},
      {"*.", all},  // Windows: only names without a dot
      {"*?", {}},   // Windows: everything
      {"*.none", {}},
      // Without wildcards: the entry itself.
      {"dir", {"dir"}},
      {"dir\\.", {"dir"}},
      {"dir\\..", {folder}},
      {"x.txt.", {"x.txt"}},
      {base + "x.txt", {"x.txt"}},
  };
  for (const auto& [mask, expected] : cases) {
    SCOPED_TRACE(mask);
    contract::Listing l = list(mask);
    std::sort(l.names.begin(), l.names.end());
    EXPECT_EQ(l.names, expected);
    EXPECT_EQ(l.error, expected.empty() ? kErrorFileNotFound : kErrorNoMoreFiles);
  }
}

TEST_F(Folder, FindErrorsTellAMissingFolderFromAnEmptyMatch) {
  ASSERT_TRUE(CreateDirectoryA("empty", nullptr));
  writeFile("f.txt");
  const std::vector<std::pair<std::string, DWORD>> cases{
      {"nope\\*", kErrorPathNotFound},
      {"nope\\deeper\\*", kErrorPathNotFound},
      {"empty\\*.txt", kErrorFileNotFound},  // the folder exists, nothing matches
      {"missing.txt", kErrorFileNotFound},
      {"f.txt\\x\\*", kErrorPathNotFound},  // a file in the middle
      {"f.txt\\*", kErrorInvalidName},      // Windows: other codes
      {"empty\\*\\x", kErrorInvalidName},   // wildcards before the last component
      {"empty\\", kErrorFileNotFound},      // a closing separator: no mask
      {base.substr(0, 3), kErrorFileNotFound},
      {"", kErrorPathNotFound},
  };
  for (const auto& [pattern, error] : cases) {
    contract::Listing l = list(pattern);  // checks that the data stays untouched
    EXPECT_FALSE(l.found) << pattern;
    EXPECT_EQ(l.error, error) << "pattern \"" << pattern << "\"";
  }
}

// The code page here is Windows-1252: it holds é but no fullwidth letters, whose look-alikes
// ("a", '"') would name other files or none. Those come by their short names, which reach them.
TEST_F(Folder, FindGivesNamesTheCodePageLacksByTheirShortNames) {
  ASSERT_EQ(GetACP(), kCodePageWestern);
  writeFile("a.txt", "plain");
  contract::writeUnicodeFile("\xef\xbd\x81.txt", "fullwidth a");       // U+FF41
  contract::writeUnicodeFile("q\xef\xbc\x82.txt", "fullwidth quote");  // U+FF02
  contract::writeUnicodeFile("caf\xc3\xa9.txt", "e acute");

  contract::Listing l = list("*");
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
  EXPECT_FALSE(contract::unicodeFileExists("\xef\xbd\x81.txt"));
  EXPECT_EQ(readFile("a.txt"), "plain");
  EXPECT_TRUE(contract::unicodeFileExists("q\xef\xbc\x82.txt"));
}

// Every spelling of a path: case, either separator, dots and blanks, relative forms.
TEST_F(Folder, PathsResolveInAnySpelling) {
  ASSERT_TRUE(CreateDirectoryA("Dir", nullptr));
  writeFile("Dir\\f.txt", "x");
  writeFile("g.txt", "g");
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
      {"dir/f.txt", "file"},
      {slashed + "Dir/f.txt", "file"},
      {"dir\\\\f.txt", "file"},  // repeated separators count once
      {"dir\\", "folder"},
      {".\\dir\\.\\f.txt", "file"},
      {"nope\\..\\g.txt", "file"},  // resolved in the text
      {drive + "g.txt", "file"},    // the current directory of drive C:
      {base.substr(2) + "g.txt", "file"},
      {drive + "\\..\\..", "folder"},  // stays at the root
      {drive, "folder"},
      {"dir.\\f.txt", "file"},  // one trailing dot of a middle name, all of the last one's
      {"dir\\f.txt. . ", "file"},
      {"dir\\...\\..\\f.txt", "file"},
      {"dir\\ \\..\\f.txt", "file"},
      {"dir\\f.txt\\.", "file"},
      {"dir\\...", "folder"},
      {"dir\\f.txt\\..", "folder"},
      {"missing", error(kErrorFileNotFound)},
      {"nope\\x", error(kErrorPathNotFound)},
      {"dir\\f.txt\\x", error(kErrorPathNotFound)},
      {"dir\\f.txt\\", error(kErrorPathNotFound)},
      {"dir..\\f.txt", error(kErrorPathNotFound)},
      {"dir. \\f.txt", error(kErrorPathNotFound)},
      {"dir\\f.txt.\\", error(kErrorPathNotFound)},
      {"dir\\f.txt\\...", error(kErrorPathNotFound)},
      {"", error(kErrorPathNotFound)},
      {"*.txt", error(kErrorInvalidName)},
      {"dir\\*\\x", error(kErrorInvalidName)},
      {"a<b", error(kErrorInvalidName)},
  };
  for (const auto& [path, expected] : cases) EXPECT_EQ(what(path), expected) << path;
  EXPECT_EQ(sortedNames(list(drive + "*")), (Names{"Dir", "g.txt"}));
  EXPECT_EQ(sortedNames(list("DIR/*")), Names{"f.txt"});

  ASSERT_TRUE(SetCurrentDirectoryA("dir/"));
  EXPECT_EQ(contract::currentDirectory(), base + "dir");  // as written, not as stored
  EXPECT_TRUE(CopyFileA("F.txt", "..\\Copy.Txt", kFalse));
  ASSERT_TRUE(SetCurrentDirectoryA(".."));
  EXPECT_EQ(contract::currentDirectory() + "\\", base);
  EXPECT_EQ(list("copy.txt").names, Names{"Copy.Txt"});  // the case of the new name
}

TEST_F(Folder, AttributesAreSetAndNormalClearsThem) {
  writeFile("f.txt");
  ASSERT_TRUE(CreateDirectoryA("dir", nullptr));
  EXPECT_FALSE(GetFileAttributesA("f.txt") & kFileAttributeReadonly);
  for (const char* path : {"f.txt", "dir"}) {
    for (DWORD set : {kFileAttributeReadonly, kFileAttributeHidden | kFileAttributeSystem}) {
      if (set == kFileAttributeReadonly && isFolder(GetFileAttributesA(path))) continue;
      SCOPED_TRACE(std::string(path) + " " + std::to_string(set));
      EXPECT_TRUE(SetFileAttributesA(path, set));
      EXPECT_EQ(GetFileAttributesA(path) & set, set);
      EXPECT_TRUE(SetFileAttributesA(path, kFileAttributeNormal));
      DWORD a = GetFileAttributesA(path);
      EXPECT_FALSE(a & set);
      EXPECT_EQ(isFolder(a), std::string(path) == "dir");
    }
  }
  EXPECT_FAILS(SetFileAttributesA("missing", kFileAttributeNormal), kFalse, kErrorFileNotFound);
  EXPECT_FAILS(SetFileAttributesA("nope\\x", kFileAttributeNormal), kFalse, kErrorPathNotFound);
  EXPECT_FAILS(SetFileAttributesA("*", kFileAttributeNormal), kFalse, kErrorInvalidName);
}

TEST_F(Folder, CopyFileCopiesWithAttributesAndReplacesOnlyWhatItMay) {
  writeFile("src.txt", "new");
  ASSERT_TRUE(SetFileAttributesA("src.txt", kFileAttributeReadonly));
  EXPECT_TRUE(CopyFileA("src.txt", "dst.txt", kTrue));
  EXPECT_EQ(readFile("dst.txt"), "new");
  EXPECT_TRUE(GetFileAttributesA("dst.txt") & kFileAttributeReadonly);
  ASSERT_TRUE(SetFileAttributesA("src.txt", kFileAttributeNormal));

  writeFile("old.txt", "old");
  EXPECT_FAILS(CopyFileA("src.txt", "old.txt", kTrue), kFalse, kErrorFileExists);
  EXPECT_EQ(readFile("old.txt"), "old");
  EXPECT_TRUE(CopyFileA("src.txt", "old.txt", kFalse));
  EXPECT_EQ(readFile("old.txt"), "new");

  // A read-only, hidden or system file is not replaced until the attribute is cleared. Wine
  // overwrites hidden and system ones, and read-only ones when run by root (files.h): then the
  // result has to tell the truth.
  for (DWORD attribute : {kFileAttributeReadonly, kFileAttributeHidden, kFileAttributeSystem}) {
    SCOPED_TRACE(attribute);
    writeFile("kept.txt", "old");
    ASSERT_TRUE(SetFileAttributesA("kept.txt", attribute));
    EXPECT_FAILS(CopyFileA("src.txt", "kept.txt", kTrue), kFalse, kErrorFileExists);
    SetLastError(contract::kPrimeError);
    BOOL copied = CopyFileA("src.txt", "kept.txt", kFalse);
    EXPECT_FALSE(copied && (contract::simulated() || (attribute == kFileAttributeReadonly &&
                                                      contract::readOnlyStopsOverwrite())));
    if (!copied) {
      EXPECT_EQ(GetLastError(), kErrorAccessDenied);
      EXPECT_EQ(readFile("kept.txt"), "old");
      EXPECT_EQ(GetFileAttributesA("kept.txt") & attribute, attribute);
    } else {
      EXPECT_EQ(readFile("kept.txt"), "new");
    }
    ASSERT_TRUE(SetFileAttributesA("kept.txt", kFileAttributeNormal));
    EXPECT_TRUE(CopyFileA("src.txt", "kept.txt", kFalse));
    EXPECT_EQ(readFile("kept.txt"), "new");
  }
  // A hidden file replaces a hidden one.
  ASSERT_TRUE(SetFileAttributesA("src.txt", kFileAttributeHidden));
  ASSERT_TRUE(SetFileAttributesA("kept.txt", kFileAttributeHidden));
  EXPECT_TRUE(CopyFileA("src.txt", "kept.txt", kFalse));
}

TEST_F(Folder, CopyFileErrors) {
  writeFile("src.txt", "x");
  ASSERT_TRUE(CreateDirectoryA("dir", nullptr));
  EXPECT_FAILS(CopyFileA("missing.txt", "out.txt", kFalse), kFalse, kErrorFileNotFound);
  // The source is looked at first.
  EXPECT_FAILS(CopyFileA("missing.txt", "nope\\out.txt", kFalse), kFalse, kErrorFileNotFound);
  EXPECT_FAILS(CopyFileA("nope\\src.txt", "out.txt", kFalse), kFalse, kErrorPathNotFound);
  EXPECT_FAILS(CopyFileA("src.txt", "nope\\out.txt", kFalse), kFalse, kErrorPathNotFound);
  EXPECT_FAILS(CopyFileA("dir", "out.txt", kFalse), kFalse, kErrorAccessDenied);
  EXPECT_FAILS(CopyFileA("src.txt", "dir\\", kFalse), kFalse, kErrorAccessDenied);
  EXPECT_FAILS(CopyFileA("src.txt", "src.txt", kFalse), kFalse, kErrorSharingViolation);
  EXPECT_FAILS(CopyFileA("src.txt", "SRC.TXT", kTrue), kFalse, kErrorFileExists);
  EXPECT_FAILS(CopyFileA("src.txt", "out*.txt", kFalse), kFalse, kErrorInvalidName);
  EXPECT_FAILS(CopyFileA("src.txt", "", kFalse), kFalse, kErrorPathNotFound);
  EXPECT_EQ(sortedNames(list("*")), (Names{"dir", "src.txt"}));
  EXPECT_EQ(readFile("src.txt"), "x");
}

TEST_F(Folder, MoveFileMovesButNeverOntoAnExistingEntry) {
  writeFile("a.txt", "A");
  writeFile("c.txt", "C");
  ASSERT_TRUE(CreateDirectoryA("d", nullptr));
  ASSERT_TRUE(SetFileAttributesA("a.txt", kFileAttributeReadonly));
  EXPECT_TRUE(MoveFileA("a.txt", "d\\b.txt"));  // read-only too
  EXPECT_EQ(GetFileAttributesA("a.txt"), kInvalidFileAttributes);
  EXPECT_EQ(readFile("d\\b.txt"), "A");
  EXPECT_TRUE(GetFileAttributesA("d\\b.txt") & kFileAttributeReadonly);
  ASSERT_TRUE(SetFileAttributesA("d\\b.txt", kFileAttributeNormal));

  EXPECT_FAILS(MoveFileA("d\\b.txt", "c.txt"), kFalse, kErrorAlreadyExists);
  EXPECT_FAILS(MoveFileA("d\\b.txt", "d"), kFalse, kErrorAlreadyExists);
  EXPECT_FAILS(MoveFileA("d", "c.txt"), kFalse, kErrorAlreadyExists);
  EXPECT_EQ(readFile("c.txt"), "C");
  // Another spelling of the same name succeeds and keeps the name (Wine; Windows takes the case).
  EXPECT_TRUE(MoveFileA("d\\b.txt", "D\\B.TXT"));
  EXPECT_EQ(list("d\\B.TXT").names, Names{"b.txt"});

  EXPECT_TRUE(MoveFileA("d", "e"));
  EXPECT_EQ(readFile("e\\b.txt"), "A");
  EXPECT_EQ(GetFileAttributesA("d"), kInvalidFileAttributes);
  ASSERT_TRUE(CreateDirectoryA("e\\sub", nullptr));
  EXPECT_FAILS(MoveFileA("e", "e\\sub\\x"), kFalse, kErrorInvalidParameter);
  EXPECT_FAILS(MoveFileA("e", "e\\x"), kFalse, kErrorInvalidParameter);

  EXPECT_FAILS(MoveFileA("missing.txt", "nope\\x.txt"), kFalse, kErrorFileNotFound);
  EXPECT_FAILS(MoveFileA("nope\\a.txt", "x.txt"), kFalse, kErrorPathNotFound);
  EXPECT_FAILS(MoveFileA("c.txt", "nope\\x.txt"), kFalse, kErrorPathNotFound);
  EXPECT_FAILS(MoveFileA("c.txt", "x?.txt"), kFalse, kErrorInvalidName);
  EXPECT_FAILS(MoveFileA("c.txt", ""), kFalse, kErrorPathNotFound);
  EXPECT_EQ(sortedNames(list("*")), (Names{"c.txt", "e"}));
}

TEST_F(Folder, DeleteFileDeletesFilesButNotReadOnlyOnes) {
  writeFile("x.txt");
  writeFile("ro.txt");
  ASSERT_TRUE(CreateDirectoryA("dir", nullptr));
  EXPECT_TRUE(DeleteFileA("X.TXT"));
  EXPECT_EQ(GetFileAttributesA("x.txt"), kInvalidFileAttributes);
  EXPECT_FAILS(DeleteFileA("x.txt"), kFalse, kErrorFileNotFound);
  EXPECT_FAILS(DeleteFileA("nope\\x.txt"), kFalse, kErrorPathNotFound);
  EXPECT_FAILS(DeleteFileA("*.txt"), kFalse, kErrorInvalidName);
  EXPECT_FAILS(DeleteFileA("dir"), kFalse, kErrorAccessDenied);
  ASSERT_TRUE(SetFileAttributesA("ro.txt", kFileAttributeReadonly));
  EXPECT_FAILS(DeleteFileA("ro.txt"), kFalse, kErrorAccessDenied);
  EXPECT_EQ(sortedNames(list("*")), (Names{"dir", "ro.txt"}));
}

TEST_F(Folder, CreateDirectoryMakesOneLevel) {
  writeFile("f.txt");
  EXPECT_TRUE(CreateDirectoryA("one", nullptr));
  EXPECT_TRUE(CreateDirectoryA("one\\new\\", nullptr));  // a closing separator is fine
  EXPECT_TRUE(CreateDirectoryA("dotted.", nullptr));     // trailing dots are dropped
  EXPECT_TRUE(CreateDirectoryA(std::string(255, 'n').c_str(), nullptr));
  EXPECT_FAILS(CreateDirectoryA(std::string(256, 'n').c_str(), nullptr), kFalse,
               kErrorFileNotFound);  // a name longer than 255 (Wine's code for it)
  EXPECT_FAILS(CreateDirectoryA("two\\three", nullptr), kFalse, kErrorPathNotFound);
  EXPECT_FAILS(CreateDirectoryA("ONE\\", nullptr), kFalse, kErrorAlreadyExists);
  EXPECT_FAILS(CreateDirectoryA("f.txt", nullptr), kFalse, kErrorAlreadyExists);
  EXPECT_FAILS(CreateDirectoryA(base.substr(0, 3).c_str(), nullptr), kFalse, kErrorAlreadyExists);
  EXPECT_FAILS(CreateDirectoryA("f.txt\\sub", nullptr), kFalse, kErrorPathNotFound);
  EXPECT_FAILS(CreateDirectoryA("bad|", nullptr), kFalse, kErrorInvalidName);
  EXPECT_FAILS(CreateDirectoryA("", nullptr), kFalse, kErrorPathNotFound);
  EXPECT_EQ(sortedNames(list("*")), (Names{"dotted", "f.txt", std::string(255, 'n'), "one"}));
  EXPECT_EQ(sortedNames(list("one\\*")), Names{"new"});
}
}  // namespace
