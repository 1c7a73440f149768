// The seam's file-system contract (platform/files.h): one source, two backends. When they
// disagree, sim/ is wrong; where Windows, Wine and the simulation differ, files.h says so and the
// cases here assert what Wine shows.
#include "fixture.h"

#include <algorithm>
#include <map>

using namespace platform;
using namespace contract;

namespace {

using Names = std::vector<std::string>;

TEST_F(Folder, FindListsDotEntriesFirstExceptAtADriveRootAndStaysAtTheEnd) {
  ASSERT_TRUE(CreateDirectoryA("sub", nullptr));
  writeFile("sub\\b.txt", "bb");
  EXPECT_EQ(list("sub\\*").names, (Names{".", "..", "b.txt"}));
  Names root = list(base.substr(0, 3) + "*").names;
  EXPECT_EQ(std::count(root.begin(), root.end(), ".") + std::count(root.begin(), root.end(), ".."),
            0);

  WIN32_FIND_DATAA d;
  HANDLE h = FindFirstFileA("sub\\b.txt", &d);
  ASSERT_NE(h, kInvalidHandle);
  EXPECT_TRUE(isFile(d.dwFileAttributes));
  EXPECT_EQ(d.nFileSizeLow, 2u);
  EXPECT_FAILS(FindNextFileA(h, &d), kFalse, kErrorNoMoreFiles);
  EXPECT_FAILS(FindNextFileA(h, &d), kFalse, kErrorNoMoreFiles);
  EXPECT_TRUE(FindClose(h));
  EXPECT_FAILS(FindNextFileA(kInvalidHandle, &d), kFalse, kErrorInvalidHandle);
  EXPECT_FAILS(FindClose(kInvalidHandle), kFalse, kErrorInvalidHandle);
}

// What a pattern finds, and why a search finds nothing: a missing folder or no match.
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
      {"MIXED.txt", {"Mixed.TXT"}},
      {"noext.*", {"noext"}},
      {"*.", all},  // Windows: only names without a dot
      {"empty\\*", {".", ".."}},
      {"dir", {"dir"}},  // without wildcards: the entry itself
      {"x.txt.", {"x.txt"}},
      {base + "x.txt", {"x.txt"}},
      {"*?", {}, kErrorFileNotFound},  // Windows: everything
      {"empty\\*.txt", {}, kErrorFileNotFound},
      {"empty\\", {}, kErrorFileNotFound},  // a closing separator: no mask
      {base.substr(0, 3), {}, kErrorFileNotFound},
      {"nope\\*", {}, kErrorPathNotFound},
      {"x.txt\\y\\*", {}, kErrorPathNotFound},  // a file in the middle
      {"", {}, kErrorPathNotFound},
      {"x.txt\\*", {}, kErrorInvalidName},     // Windows: other codes
      {"empty\\*\\x", {}, kErrorInvalidName},  // wildcards before the last component
  };
  for (const Case& c : cases) {
    contract::Listing l = list(c.mask);  // checks that a failure leaves the data untouched
    std::sort(l.names.begin(), l.names.end());
    EXPECT_EQ(l.names, c.names) << c.mask;
    EXPECT_EQ(l.error, c.error) << c.mask;
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
  EXPECT_TRUE(contract::unicodeFileExists("q\xef\xbc\x82.txt"));
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

  // A read-only, hidden or system file is not replaced until the attribute is cleared. Wine
  // overwrites hidden and system ones, and read-only ones when run by root (files.h): then the
  // result has to tell the truth.
  for (DWORD attribute :
       {DWORD{0}, kFileAttributeReadonly, kFileAttributeHidden, kFileAttributeSystem}) {
    SCOPED_TRACE(attribute);
    writeFile("kept.txt", "old");
    ASSERT_TRUE(SetFileAttributesA("kept.txt", attribute | kFileAttributeNormal));
    EXPECT_FAILS(CopyFileA("src.txt", "kept.txt", kTrue), kFalse, kErrorFileExists);
    EXPECT_EQ(readFile("kept.txt"), "old");
    SetLastError(contract::kPrimeError);
    BOOL copied = CopyFileA("src.txt", "kept.txt", kFalse);
    if (attribute == 0 || contract::kSimulated) {
      EXPECT_EQ(copied != kFalse, attribute == 0);
    }
    EXPECT_EQ(readFile("kept.txt"), copied ? "new" : "old");
    if (!copied) {
      EXPECT_EQ(GetLastError(), kErrorAccessDenied);
      EXPECT_EQ(GetFileAttributesA("kept.txt") & attribute, attribute);
      ASSERT_TRUE(SetFileAttributesA("kept.txt", kFileAttributeNormal));
      EXPECT_TRUE(CopyFileA("src.txt", "kept.txt", kFalse));
      EXPECT_EQ(readFile("kept.txt"), "new");
    }
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

TEST_F(Folder, MoveFileMovesButNeverOntoAnExistingEntry) {
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
}

TEST_F(Folder, DeleteFileAndCreateDirectory) {
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
  EXPECT_EQ(sortedNames(list("*")), (Names{std::string(255, 'n'), "one", "ro.txt"}));
}

}  // namespace
