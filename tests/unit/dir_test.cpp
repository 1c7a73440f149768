// The dir group and the directory scan against the simulated file system: the numbered listing
// and its pick, moving the current directory, and the special folders.
#include "classes/directory_scan.h"
#include "classes_fixture.h"

namespace {

class Dir : public LibraryTest {
 protected:
  // C:\work holding, in this order: a.txt, the folder sub, and the hidden file h.
  void SetUp() override {
    LibraryTest::SetUp();
    sim::addFile("C:\\work\\a.txt", "a");
    sim::addFolder("C:\\work\\sub");
    sim::addFile("C:\\work\\h", "", platform::kFileAttributeHidden);
    sim::setCurrentDirectoryPath("C:\\work");
  }
};

TEST_F(Dir, SelAndDownListTheirEntriesAndActOnThePick) {
  EXPECT_EQ(pick("dir.sel", "0"), "none");
  EXPECT_EQ(lines,
            (std::vector<std::string>{"$cyan$ 1 $gray$-$n$ [..]", "$cyan$ 2 $gray$-$n$ a.txt",
                                      "$cyan$ 3 $gray$-$n$ [sub]", "$cyan$ 4 $gray$-$n$ h"}));
  EXPECT_EQ(labels, std::vector<std::string>{"id"});
  EXPECT_EQ(pick("dir.down", "0"), "folder C:\\work\\");
  EXPECT_EQ(lines, (std::vector<std::string>{"$cyan$ 1 $gray$-$n$ ..", "$cyan$ 2 $gray$-$n$ sub"}));
  // The pick, and the current directory afterwards.
  const std::tuple<const char*, const char*, const char*, const char*> rows[] = {
      {"dir.sel", "2", "file C:\\work\\a.txt", "C:\\work"},
      {"dir.sel", "4", "file C:\\work\\h", "C:\\work"},
      {"dir.sel", "3", "folder C:\\work\\sub\\", "C:\\work\\sub"},
      {"dir.sel", "1", "folder C:\\work\\", "C:\\work"},
      {"dir.down", "2", "folder C:\\work\\sub\\", "C:\\work\\sub"},
      {"dir.down", "1", "folder C:\\work\\", "C:\\work"}};
  for (const auto& [routine, answer, result, directory] : rows) {
    EXPECT_EQ(pick(routine, answer), result) << routine << " " << answer;
    EXPECT_EQ(sim::currentDirectory(), directory);
  }
  for (const char* answer : {"-1", "5", "-2147483648", "2147483647", "not a number"}) {
    EXPECT_EQ(pick("dir.sel", answer), "none") << answer;
    EXPECT_EQ(pick("dir.down", answer), "folder C:\\work\\") << answer;
  }
  // A directory that cannot be searched still asks, and changes nothing.
  sim::setCurrentDirectoryPath("C:\\gone");
  EXPECT_EQ(pick("dir.sel", "1"), "none");
  EXPECT_TRUE(lines.empty());
  EXPECT_EQ(labels, std::vector<std::string>{"id"});
  // Numbers past 99 keep their first two digits. A drive root reports neither "." nor "..".
  sim::setCurrentDirectoryPath("D:\\");
  for (int i = 1; i <= 120; ++i) sim::addFile("D:\\f" + std::to_string(1000 + i).substr(1));
  EXPECT_EQ(pick("dir.sel", "100"), "file D:\\f100");
  ASSERT_EQ(lines.size(), 120u);
  EXPECT_EQ(lines[99], "$cyan$10 $gray$-$n$ f100");
  sim::setCurrentDirectoryPath("C:\\work");
  // The pick is joined to the directory that was listed, even if the host moved meanwhile.
  runtime.hooks().askText = [](std::string_view) -> std::optional<std::string> {
    sim::setCurrentDirectoryPath("C:\\work\\sub");
    return std::string("2");
  };
  EXPECT_EQ(routine("dir.sel"), "file C:\\work\\a.txt");
}

// Without memory at any step: nothing kept, a move only into the picked folder, and never an
// object for the wrong path.
TEST_F(Dir, SelWithoutMemoryLeaksNothingAndGivesOnlyThePick) {
  forEachFault(
      {"HeapAlloc", "HeapReAlloc"},
      [&](const Fault& fault) {
        sim::setCurrentDirectoryPath("C:\\work");
        fault.arm();
        std::string file = pick("dir.sel", "2");
        // The right path, a relative one when the directory could not be read, an empty one
        // when the object could not take its path, or nothing. Never the folder's.
        EXPECT_TRUE(
            file == "file C:\\work\\a.txt" ||
            (fault.injected() && (file == "none" || file == "file a.txt" || file == "file ")))
            << file;
        // A folder object tells where the current directory is. Without it the move may or may
        // not have happened, but only into sub.
        std::string result = pick("dir.sel", "3");
        std::string now = sim::currentDirectory();
        EXPECT_TRUE(result == "folder " + now + "\\" ||
                    (fault.injected() && (result == "none" || result == "folder ")))
            << result;
        EXPECT_TRUE(now == "C:\\work" || now == "C:\\work\\sub") << now;
      },
      platform::kErrorNotEnoughMemory, [&] { return libraryBytes(); });
}

TEST_F(Dir, MovesRelativeToTheCurrentDirectoryAndSpecialFolders) {
  sim::addFolder("C:\\a\\b\\a");
  sim::addFolder("D:\\x");
  sim::setSpecialFolder(0x10, "D:\\");
  sim::setSpecialFolder(0x05, "");  // no file-system path
  const std::tuple<const char*, std::vector<std::string>, const char*> rows[] = {
      {"dir.set", {"sub"}, "none"},
      {"dir.set", {"C:\\missing"}, "none"},
      {"dir.down", {".."}, "folder C:\\work\\"},
      {"dir.down", {"D:\\x"}, "folder C:\\work\\"},  // a name is always relative
      {"dir.set", {"C:\\a\\b\\a"}, "none"},
      {"dir.up", {}, "folder C:\\a\\b\\"},  // only the final component goes
      {"dir.up", {}, "folder C:\\a\\"},
      {"dir.up", {}, "folder C:\\"},
      {"dir.up", {}, "folder C:\\"},  // a drive root's parent is refused
      {"dir.progs", {}, "folder C:\\Program Files\\"},
      {"dir.desk", {}, "folder D:\\\\"},
      {"dir.docs", {}, "folder "}};
  for (const auto& [routine, args, result] : rows)
    EXPECT_EQ(LibraryTest::routine(routine, args), result) << routine;
  sim::failCall("SHGetSpecialFolderLocation", 1, platform::kErrorFileNotFound);
  EXPECT_EQ(routine("dir.progs"), "folder ");
  sim::failCall("SHGetPathFromIDListA", 1, platform::kErrorAccessDenied);
  EXPECT_EQ(routine("dir.home"), "folder ");
  EXPECT_EQ(sim::currentDirectory(), "C:\\");

  // A current directory of any length is read whole or not at all: 259 characters and the NUL fill
  // the first buffer exactly; 260 need a second read.
  for (std::size_t length : {259u, 260u, 700u}) {
    std::string path = "C:";
    while (path.size() < length)
      path += "\\" + std::string(std::min<std::size_t>(100, length - path.size() - 1), 'd');
    sim::addFolder(path);
    sim::setCurrentDirectoryPath(path);
    EXPECT_EQ(routine("dir.get"), "folder " + path + "\\") << length;
  }
  // A long directory whose second read fails is not taken from an unfilled buffer.
  sim::failCall("GetCurrentDirectoryA", 2, platform::kErrorAccessDenied);
  EXPECT_EQ(routine("dir.get"), "folder ");
  sim::failAlways("GetCurrentDirectoryA", platform::kErrorAccessDenied);
  EXPECT_EQ(routine("dir.get"), "folder ");
}

// "name/kind " for every entry left; the scan is closed.
std::string entries(zorvel::DirectoryScan* scan) {
  std::string seen;
  while (zorvel::nextDirectoryEntry(scan))
    seen += zorvel::directoryEntryName(scan) +
            ("/" + std::to_string(zorvel::directoryEntryType(scan))) + " ";
  zorvel::closeDirectoryScan(scan);
  return seen;
}

TEST_F(Dir, AScanJoinsFolderAndPatternAndIsRefusedRatherThanCutShort) {
  sim::addFile("C:\\work\\\xef\xbd\x81.wide");  // only a name the code page lacks
  const char* all = "./2 ../2 a.txt/1 sub/2 h/1 ";
  const std::tuple<const char*, const char*, const char*> cases[] = {
      {"C:\\work\\", "", all},     {"C:/work", nullptr, all},  {"", nullptr, all},
      {nullptr, "a*", "a.txt/1 "}, {"C:\\work", "*.none", ""}, {"C:\\work", "*.wide", ""}};
  for (const auto& [folder, pattern, names] : cases) {
    zorvel::DirectoryScan* scan = zorvel::openDirectoryScan(folder, pattern);
    ASSERT_NE(scan, nullptr) << names;
    EXPECT_EQ(entries(scan), names);
  }
  // "C:\" + name + "\*.*" is exactly 259 characters: it fits; one more does not, even when a
  // shorter cut would name a folder that exists.
  std::string fits = "C:\\" + std::string(252, 'n');
  sim::addFile(fits + "\\f");
  sim::addFile(fits + "n\\g");
  EXPECT_EQ(entries(zorvel::openDirectoryScan(fits.c_str(), nullptr)), "./2 ../2 f/1 ");
  for (const std::string& refused : {fits + "n", std::string(5000, 'x'), std::string("C:\\missing"),
                                     std::string("C:\\work\\a.txt")})
    EXPECT_EQ(zorvel::openDirectoryScan(refused.c_str(), nullptr), nullptr) << refused.size();
  EXPECT_EQ(entries(nullptr), "");
}

}  // namespace
