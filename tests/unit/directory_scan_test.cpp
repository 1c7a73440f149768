// The directory scan against the simulated file system.
#include "classes/directory_scan.h"
#include "classes_fixture.h"

namespace {

using zorvel::DirectoryScan;
using DirectoryScanTest = LibraryTest;

// "name/kind " for every entry left; the scan is closed.
std::string entries(DirectoryScan* scan) {
  std::string seen;
  while (zorvel::nextDirectoryEntry(scan)) {
    seen += zorvel::directoryEntryName(scan);
    seen += "/" + std::to_string(zorvel::directoryEntryType(scan)) + " ";
  }
  EXPECT_FALSE(zorvel::nextDirectoryEntry(scan));
  zorvel::closeDirectoryScan(scan);
  return seen;
}

TEST_F(DirectoryScanTest, JoinsFolderAndPatternAndDeliversEveryEntryWithItsKind) {
  sim::addFolder("C:\\d\\sub");
  sim::addFile("C:\\d\\a.txt", "", platform::kFileAttributeHidden);
  sim::addFile("C:\\d\\b.log");
  sim::setCurrentDirectoryPath("C:\\d");
  std::size_t before = libraryBytes();
  const char* all = "./2 ../2 sub/2 a.txt/1 b.log/1 ";
  const std::tuple<const char*, const char*, const char*> cases[] = {
      {"C:\\d\\", "", all}, {"C:\\d", "*.txt", "a.txt/1 "}, {"C:/d/", nullptr, all},
      {"", nullptr, all},   {nullptr, "b*", "b.log/1 "},    {"C:\\d", "*.none", ""}};
  for (const auto& [folder, pattern, names] : cases) {
    DirectoryScan* scan = zorvel::openDirectoryScan(folder, pattern);
    ASSERT_NE(scan, nullptr) << names;
    EXPECT_EQ(entries(scan), names);
  }
  // Scans are independent of each other.
  DirectoryScan* one = zorvel::openDirectoryScan("C:\\d", "a*");
  EXPECT_EQ(entries(zorvel::openDirectoryScan("C:\\d", "b*")), "b.log/1 ");
  EXPECT_EQ(entries(one), "a.txt/1 ");
  EXPECT_EQ(libraryBytes(), before);
}

TEST_F(DirectoryScanTest, AMissingFolderOrATextThatDoesNotFitIsNoScanRatherThanAShorterOne) {
  sim::addFile("C:\\d\\a.txt");
  // Only names the code page lacks: nothing to list, but the folder is there.
  sim::addFile("C:\\d\\\xef\xbd\x81.wide");
  EXPECT_EQ(entries(zorvel::openDirectoryScan("C:\\d", "*.wide")), "");

  EXPECT_EQ(zorvel::openDirectoryScan("C:\\missing", nullptr), nullptr);
  EXPECT_EQ(zorvel::openDirectoryScan("C:\\d\\a.txt", nullptr), nullptr);

  // "C:\" + name + "\*.*" is exactly 259 characters: it fits; one more does not, even when a
  // shorter cut would name a folder that exists.
  std::string fits = "C:\\" + std::string(252, 'n');
  sim::addFile(fits + "\\f");
  sim::addFile(fits + "n\\g");
  EXPECT_EQ(entries(zorvel::openDirectoryScan(fits.c_str(), nullptr)), "./2 ../2 f/1 ");
  EXPECT_EQ(zorvel::openDirectoryScan((fits + "n").c_str(), nullptr), nullptr);
  EXPECT_EQ(zorvel::openDirectoryScan(std::string(5000, 'x').c_str(), nullptr), nullptr);

  // No scan: every question has its neutral answer.
  EXPECT_EQ(zorvel::directoryEntryType(nullptr), 0);
  EXPECT_STREQ(zorvel::directoryEntryName(nullptr), "");
  EXPECT_EQ(entries(nullptr), "");
}

}  // namespace
