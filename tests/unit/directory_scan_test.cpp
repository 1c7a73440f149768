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

std::string names(DirectoryScan* scan) {
  std::string out;
  for (const auto& [name, type] : entries(scan)) out += name + " ";
  zorvel::closeDirectoryScan(scan);
  return out;
}

TEST_F(DirectoryScanTest, DeliversEveryEntryInOrderWithItsKind) {
  sim::addFolder("C:\\d\\sub");
  sim::addFile("C:\\d\\f.txt", "",
               platform::kFileAttributeHidden | platform::kFileAttributeReadonly);
  std::size_t before = libraryBytes();
  DirectoryScan* scan = zorvel::openDirectoryScan("C:\\d", nullptr);
  ASSERT_NE(scan, nullptr);
  EXPECT_EQ(entries(scan), (std::vector<std::pair<std::string, int>>{
                               {".", 2}, {"..", 2}, {"sub", 2}, {"f.txt", 1}}));
  EXPECT_FALSE(zorvel::nextDirectoryEntry(scan));
  zorvel::closeDirectoryScan(scan);
  EXPECT_EQ(libraryBytes(), before);
}

TEST_F(DirectoryScanTest, JoinsFolderAndPattern) {
  sim::addFile("C:\\d\\a.txt");
  sim::addFile("C:\\d\\b.log");
  sim::setCurrentDirectoryPath("C:\\d");
  struct Case {
    const char* folder;
    const char* pattern;
    const char* names;
  } cases[] = {{"C:\\d\\", "", ". .. a.txt b.log "},
               {"C:\\d", "*.txt", "a.txt "},
               {"C:/d/", nullptr, ". .. a.txt b.log "},
               {"", nullptr, ". .. a.txt b.log "},
               {nullptr, "b*", "b.log "},
               {"C:\\d", "*.none", ""}};
  for (const Case& c : cases) {
    DirectoryScan* scan = zorvel::openDirectoryScan(c.folder, c.pattern);
    ASSERT_NE(scan, nullptr) << c.names;
    EXPECT_EQ(names(scan), c.names);
  }
}

TEST_F(DirectoryScanTest, AMissingFolderOrATextThatDoesNotFitIsNoScanRatherThanAShorterOne) {
  sim::addFile("C:\\d\\a.txt");
  // Only names the code page lacks: nothing to list, but the folder is there.
  sim::addFile("C:\\d\\\xef\xbd\x81.wide");
  EXPECT_EQ(names(zorvel::openDirectoryScan("C:\\d", "*.wide")), "");

  EXPECT_EQ(zorvel::openDirectoryScan("C:\\missing", nullptr), nullptr);
  EXPECT_EQ(zorvel::openDirectoryScan("C:\\d\\a.txt", nullptr), nullptr);

  // "C:\" + name + "\*.*" is exactly 259 characters: it fits; one more does not, even when a
  // shorter cut would name a folder that exists.
  std::string fits = "C:\\" + std::string(252, 'n');
  sim::addFile(fits + "\\f");
  sim::addFile(fits + "n\\g");
  EXPECT_EQ(names(zorvel::openDirectoryScan(fits.c_str(), nullptr)), ". .. f ");
  EXPECT_EQ(zorvel::openDirectoryScan((fits + "n").c_str(), nullptr), nullptr);
  EXPECT_EQ(zorvel::openDirectoryScan(std::string(5000, 'x').c_str(), nullptr), nullptr);

  // No scan: every question has its neutral answer.
  EXPECT_FALSE(zorvel::nextDirectoryEntry(nullptr));
  EXPECT_EQ(zorvel::directoryEntryType(nullptr), 0);
  EXPECT_STREQ(zorvel::directoryEntryName(nullptr), "");
  zorvel::closeDirectoryScan(nullptr);
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

}  // namespace
