// The dir group against the simulated file system: the numbered listing and its pick, moving
// the current directory, and the special folders.
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
  // C:\ddd...\ddd... of exactly `length` characters, in names of at most 100.
  static std::string pathOfLength(std::size_t length) {
    std::string path = "C:";
    while (path.size() < length) {
      std::size_t room = length - path.size() - 1;
      path += "\\" + std::string(room > 100 ? 100 : room, 'd');
    }
    return path;
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

  struct Row {
    const char* routine;
    const char* answer;
    const char* result;
    const char* directory;  // afterwards
  };
  const Row rows[] = {
      {"dir.sel", "2", "file C:\\work\\a.txt", "C:\\work"},
      {"dir.sel", "4", "file C:\\work\\h", "C:\\work"},
      {"dir.sel", "3", "folder C:\\work\\sub\\", "C:\\work\\sub"},
      {"dir.sel", "1", "folder C:\\work\\", "C:\\work"},
      {"dir.down", "2", "folder C:\\work\\sub\\", "C:\\work\\sub"},
      {"dir.down", "1", "folder C:\\work\\", "C:\\work"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(std::string(row.routine) + " " + row.answer);
    EXPECT_EQ(pick(row.routine, row.answer), row.result);
    EXPECT_EQ(sim::currentDirectory(), row.directory);
  }
  for (const char* answer : {"-1", "5", "-2147483648", "2147483647", "not a number", ""}) {
    SCOPED_TRACE(answer);
    EXPECT_EQ(pick("dir.sel", answer), "none");
    EXPECT_EQ(pick("dir.down", answer), "folder C:\\work\\");
    EXPECT_EQ(sim::currentDirectory(), "C:\\work");
  }
  // A directory that cannot be searched still asks, and changes nothing.
  sim::setCurrentDirectoryPath("C:\\gone");
  EXPECT_EQ(pick("dir.sel", "1"), "none");
  EXPECT_TRUE(lines.empty());
  EXPECT_EQ(labels, std::vector<std::string>{"id"});
  EXPECT_EQ(sim::currentDirectory(), "C:\\gone");
}

TEST_F(Dir, SelNumbersPastNinetyNineKeepTheirFirstTwoDigits) {
  // A drive root reports neither "." nor "..", so the first entry is number 1.
  sim::setCurrentDirectoryPath("D:\\");
  for (int i = 1; i <= 120; ++i) sim::addFile("D:\\f" + std::to_string(1000 + i).substr(1));
  EXPECT_EQ(pick("dir.sel", "100"), "file D:\\f100");
  ASSERT_EQ(lines.size(), 120u);
  EXPECT_EQ(lines[98], "$cyan$99 $gray$-$n$ f099");
  EXPECT_EQ(lines[99], "$cyan$10 $gray$-$n$ f100");
  EXPECT_EQ(pick("dir.sel", "120"), "file D:\\f120");
  EXPECT_EQ(pick("dir.sel", "121"), "none");
}

TEST_F(Dir, SelJoinsThePickToTheDirectoryThatWasListed) {
  sim::addFolder("C:\\other");
  runtime.hooks().askText = [](std::string_view) -> std::optional<std::string> {
    sim::setCurrentDirectoryPath("C:\\other");
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
        std::string result = pick("dir.sel", "3");
        // A folder object tells where the current directory is. Without it the move may or may
        // not have happened, but only into sub.
        if (!fault.injected()) {
          EXPECT_EQ(result, "folder C:\\work\\sub\\");
        }
        if (result == "folder C:\\work\\sub\\")
          EXPECT_EQ(sim::currentDirectory(), "C:\\work\\sub");
        else if (result == "folder C:\\work\\")
          EXPECT_EQ(sim::currentDirectory(), "C:\\work");
        else
          EXPECT_TRUE(result == "none" || result == "folder ") << result;
        EXPECT_TRUE(sim::currentDirectory() == "C:\\work" ||
                    sim::currentDirectory() == "C:\\work\\sub");
      },
      platform::kErrorNotEnoughMemory, [&] { return libraryBytes(); });
}

TEST_F(Dir, MovesRelativeToTheCurrentDirectory) {
  sim::addFolder("C:\\a\\b\\a");
  sim::addFolder("D:\\x");
  struct Row {
    const char* routine;
    std::vector<std::string> args;
    const char* result;
  };
  const Row rows[] = {
      {"dir.get", {}, "folder C:\\work\\"},
      {"dir.set", {"sub"}, "none"},
      {"dir.set", {"C:\\missing"}, "none"},
      {"dir.down", {".."}, "folder C:\\work\\"},
      {"dir.down", {"D:\\x"}, "folder C:\\work\\"},  // a name is always relative
      {"dir.down", {"missing"}, "folder C:\\work\\"},
      {"dir.set", {"C:\\a\\b\\a"}, "none"},
      {"dir.up", {}, "folder C:\\a\\b\\"},  // only the final component goes
      {"dir.up", {}, "folder C:\\a\\"},
      {"dir.up", {}, "folder C:\\"},
      {"dir.up", {}, "folder C:\\"},  // a drive root's parent is refused
  };
  for (const Row& row : rows) EXPECT_EQ(routine(row.routine, row.args), row.result) << row.routine;
}

TEST_F(Dir, CurrentDirectoryOfAnyLengthIsReadWholeOrNotAtAll) {
  // 259 characters and the NUL fill the first buffer exactly; 260 need a second read.
  for (std::size_t length : {259u, 260u, 700u}) {
    std::string path = pathOfLength(length);
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

TEST_F(Dir, SpecialFoldersEndInABackslashOrAreEmpty) {
  EXPECT_EQ(routine("dir.desk"), "folder C:\\Users\\quenda\\Desktop\\");
  EXPECT_EQ(routine("dir.progs"), "folder C:\\Program Files\\");
  EXPECT_EQ(sim::currentDirectory(), "C:\\work");
  // At a drive root, without a file-system path, or refused.
  sim::setSpecialFolder(0x10, "D:\\");
  EXPECT_EQ(routine("dir.desk"), "folder D:\\\\");
  sim::setSpecialFolder(0x05, "");
  EXPECT_EQ(routine("dir.docs"), "folder ");
  sim::failCall("SHGetSpecialFolderLocation", 1, platform::kErrorFileNotFound);
  EXPECT_EQ(routine("dir.progs"), "folder ");
  sim::failCall("SHGetPathFromIDListA", 1, platform::kErrorAccessDenied);
  EXPECT_EQ(routine("dir.home"), "folder ");
}

}  // namespace
