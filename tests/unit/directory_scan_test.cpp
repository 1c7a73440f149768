// The directory scan and the numbered subfolder listing against the simulated file system.
#include "classes/directory_scan.h"
#include "classes/numbered_listing.h"
#include "classes_fixture.h"

namespace {

namespace sim = platform::sim;
using zorvel::DirectoryScan;
using DirectoryScanTest = LibraryTest;

std::vector<std::pair<std::string, int>> entries(DirectoryScan* scan) {
  std::vector<std::pair<std::string, int>> seen;
  while (zorvel::nextDirectoryEntry(scan)) {
    seen.emplace_back(zorvel::directoryEntryName(scan), zorvel::directoryEntryType(scan));
  }
  return seen;
}

std::string searchText() {
  auto searches = sim::callsOf("FindFirstFileA");
  return searches.empty() ? "(none)" : searches.back().args.at(0);
}

TEST_F(DirectoryScanTest, DeliversEveryEntryInOrderWithItsKind) {
  sim::addFolder("C:\\d\\sub");
  sim::addFile("C:\\d\\f.txt", "",
               platform::kFileAttributeHidden | platform::kFileAttributeReadonly);
  std::size_t before = libraryBytes();
  DirectoryScan* scan = zorvel::openDirectoryScan("C:\\d", nullptr);
  ASSERT_NE(scan, nullptr);
  EXPECT_EQ(searchText(), "C:\\d\\*.*");
  EXPECT_EQ(entries(scan), (std::vector<std::pair<std::string, int>>{
                               {".", 2}, {"..", 2}, {"sub", 2}, {"f.txt", 1}}));
  EXPECT_FALSE(zorvel::nextDirectoryEntry(scan));
  zorvel::closeDirectoryScan(scan);
  EXPECT_EQ(sim::openHandles(), "");
  EXPECT_EQ(libraryBytes(), before);
}

TEST_F(DirectoryScanTest, BuildsTheSearchTextFromFolderAndPattern) {
  sim::addFolder("C:\\d");
  struct Case {
    const char* folder;
    const char* pattern;
    const char* search;
  } cases[] = {{"C:\\d\\", "", "C:\\d\\*.*"},
               {"C:\\d", "*.txt", "C:\\d\\*.txt"},
               {"C:/d/", nullptr, "C:/d/\\*.*"},
               {"", nullptr, "*.*"},
               {nullptr, "x*", "x*"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.search);
    zorvel::closeDirectoryScan(zorvel::openDirectoryScan(c.folder, c.pattern));
    EXPECT_EQ(searchText(), c.search);
  }
  EXPECT_EQ(sim::openHandles(), "");
}

TEST_F(DirectoryScanTest, NothingMatchingIsAnEmptyScanWhileAMissingFolderIsNone) {
  sim::addFile("C:\\d\\a.txt");
  DirectoryScan* empty = zorvel::openDirectoryScan("C:\\d", "*.none");
  ASSERT_NE(empty, nullptr);
  EXPECT_FALSE(zorvel::nextDirectoryEntry(empty));
  zorvel::closeDirectoryScan(empty);
  EXPECT_TRUE(sim::callsOf("FindClose").empty());

  // Only names the code page lacks: nothing to list, but the folder is there.
  sim::addFile("C:\\d\\\xef\xbd\x81.wide");
  empty = zorvel::openDirectoryScan("C:\\d", "*.wide");
  ASSERT_NE(empty, nullptr);
  EXPECT_FALSE(zorvel::nextDirectoryEntry(empty));
  zorvel::closeDirectoryScan(empty);

  EXPECT_EQ(zorvel::openDirectoryScan("C:\\missing", nullptr), nullptr);
  EXPECT_EQ(zorvel::openDirectoryScan("C:\\d\\a.txt", nullptr), nullptr);

  // No scan: every question has its neutral answer.
  EXPECT_FALSE(zorvel::nextDirectoryEntry(nullptr));
  EXPECT_EQ(zorvel::directoryEntryType(nullptr), 0);
  EXPECT_STREQ(zorvel::directoryEntryName(nullptr), "");
  zorvel::closeDirectoryScan(nullptr);
}

TEST_F(DirectoryScanTest, AFolderTextThatDoesNotFitOpensNoScanRatherThanAShorterOne) {
  // "C:\" + name + "\*.*" is exactly 259 characters: it fits; one more does not.
  std::string fits = "C:\\" + std::string(252, 'n');
  ASSERT_EQ(fits.size() + 4, 259u);
  DirectoryScan* scan = zorvel::openDirectoryScan(fits.c_str(), nullptr);
  EXPECT_EQ(searchText().size(), 259u);
  zorvel::closeDirectoryScan(scan);

  sim::clearCalls();
  std::string tooLong = fits + "n";
  EXPECT_EQ(zorvel::openDirectoryScan(tooLong.c_str(), nullptr), nullptr);
  EXPECT_EQ(zorvel::openDirectoryScan(std::string(5000, 'x').c_str(), nullptr), nullptr);
  EXPECT_TRUE(sim::callsOf("FindFirstFileA").empty());
}

TEST_F(DirectoryScanTest, ScansAreIndependent) {
  sim::addFile("C:\\one\\a");
  sim::addFile("C:\\two\\b");
  DirectoryScan* one = zorvel::openDirectoryScan("C:\\one", "*");
  DirectoryScan* two = zorvel::openDirectoryScan("C:\\two", "*");
  ASSERT_TRUE(one && two);
  EXPECT_EQ(entries(two).back().first, "b");
  EXPECT_EQ(entries(one).back().first, "a");
  zorvel::closeDirectoryScan(one);
  zorvel::closeDirectoryScan(two);
  EXPECT_EQ(sim::openHandles(), "");
}

TEST_F(DirectoryScanTest, TheListingNumbersSubfoldersOnlyAndReturnsThePick) {
  sim::addFile("C:\\w\\first.txt");
  sim::addFolder("C:\\w\\alpha");
  sim::addFile("C:\\w\\second.txt");
  sim::addFolder("C:\\w\\beta");
  zorvel::TextVar picked;
  answers = {"2"};
  zorvel::pickSubfolder("C:\\w\\", picked);
  EXPECT_STREQ(picked.c_str(), "alpha");
  EXPECT_EQ(lines, (std::vector<std::string>{"$cyan$ 1 $gray$-$n$ ..", "$cyan$ 2 $gray$-$n$ alpha",
                                             "$cyan$ 3 $gray$-$n$ beta"}));
  EXPECT_EQ(labels, (std::vector<std::string>{"id"}));
  EXPECT_EQ(sim::openHandles(), "");
}

TEST_F(DirectoryScanTest, AnswersOutsideTheListAreNothingChosen) {
  sim::addFolder("C:\\w\\alpha");
  for (const char* answer : {"0", "-1", "3", "99999", "nonsense", "-2147483648"}) {
    SCOPED_TRACE(answer);
    zorvel::TextVar picked("stale");
    answers = {answer};
    zorvel::pickSubfolder("C:\\w", picked);
    EXPECT_STREQ(picked.c_str(), "");
  }
  // The end of the input counts as 0 too.
  zorvel::TextVar picked("stale");
  zorvel::pickSubfolder("C:\\w", picked);
  EXPECT_STREQ(picked.c_str(), "");
}

TEST_F(DirectoryScanTest, ADriveRootStartsAtOneAndAMissingFolderStillAsks) {
  sim::addFolder("D:\\first");
  zorvel::TextVar picked;
  answers = {"1"};
  zorvel::pickSubfolder("D:\\", picked);
  EXPECT_STREQ(picked.c_str(), "first");
  EXPECT_EQ(lines, (std::vector<std::string>{"$cyan$ 1 $gray$-$n$ first"}));

  lines.clear();
  labels.clear();
  answers = {"1"};
  zorvel::pickSubfolder("C:\\missing\\", picked);
  EXPECT_STREQ(picked.c_str(), "");
  EXPECT_TRUE(lines.empty());
  EXPECT_EQ(labels.size(), 1u);
}

TEST_F(DirectoryScanTest, BeyondNinetyNineTheFieldKeepsTwoCharactersAndThePickStillCounts) {
  for (int i = 1; i <= 120; ++i) sim::addFolder("D:\\f" + std::to_string(i));
  zorvel::TextVar picked;
  answers = {"100"};
  std::size_t before = libraryBytes();
  zorvel::pickSubfolder("D:", picked);
  EXPECT_STREQ(picked.c_str(), "f100");
  ASSERT_EQ(lines.size(), 120u);
  EXPECT_EQ(lines[8], "$cyan$ 9 $gray$-$n$ f9");
  EXPECT_EQ(lines[99], "$cyan$10 $gray$-$n$ f100");
  EXPECT_EQ(lines[109], "$cyan$11 $gray$-$n$ f110");
  picked.clear();
  EXPECT_EQ(libraryBytes(), before);
}

}  // namespace
