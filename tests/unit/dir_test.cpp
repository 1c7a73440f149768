// The dir group against the simulated file system: the numbered listing and its pick, moving
// the current directory, and the special folders.
#include <string>
#include <vector>

#include "namespace_fixture.h"
#include "platform/shell.h"

namespace {

namespace sim = platform::sim;

class Dir : public NamespaceTest {
 protected:
  // C:\work holding, in this order: a.txt, the folder sub, and the hidden file h.
  void makeWork() {
    sim::addFolder("C:\\work");
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

TEST_F(Dir, SelListsEveryEntryButDotWithFoldersInBrackets) {
  makeWork();
  EXPECT_EQ(describe(pick("dir.sel", "0")), "none");
  EXPECT_EQ(lines,
            (std::vector<std::string>{"$cyan$ 1 $gray$-$n$ [..]", "$cyan$ 2 $gray$-$n$ a.txt",
                                      "$cyan$ 3 $gray$-$n$ [sub]", "$cyan$ 4 $gray$-$n$ h"}));
  EXPECT_EQ(labels, std::vector<std::string>{"id"});
  EXPECT_EQ(sim::currentDirectory(), "C:\\work");
}

TEST_F(Dir, SelActsOnThePickedEntry) {
  makeWork();
  EXPECT_EQ(describe(pick("dir.sel", "2")), "file C:\\work\\a.txt");
  EXPECT_EQ(sim::currentDirectory(), "C:\\work");
  EXPECT_EQ(describe(pick("dir.sel", "4")), "file C:\\work\\h");

  EXPECT_EQ(describe(pick("dir.sel", "3")), "folder C:\\work\\sub\\");
  EXPECT_EQ(sim::currentDirectory(), "C:\\work\\sub");

  EXPECT_EQ(describe(pick("dir.sel", "1")), "folder C:\\work\\");
  EXPECT_EQ(sim::currentDirectory(), "C:\\work");
  EXPECT_EQ(sim::openHandles(), "");
}

TEST_F(Dir, SelAnswerOutsideTheListChangesNothing) {
  makeWork();
  for (const char* answer : {"-1", "5", "-2147483648", "2147483647", "not a number"}) {
    EXPECT_EQ(describe(pick("dir.sel", answer)), "none") << answer;
    EXPECT_EQ(lines.size(), 4u);
    EXPECT_EQ(sim::currentDirectory(), "C:\\work");
  }
}

TEST_F(Dir, SelNumbersPastNinetyNineKeepTheirFirstTwoDigits) {
  // A drive root reports neither "." nor "..", so the first entry is number 1.
  sim::setCurrentDirectoryPath("D:\\");
  for (int i = 1; i <= 120; ++i) {
    std::string name = std::to_string(1000 + i).substr(1);  // 001 .. 120
    sim::addFile("D:\\f" + name);
  }
  EXPECT_EQ(describe(pick("dir.sel", "100")), "file D:\\f100");
  ASSERT_EQ(lines.size(), 120u);
  EXPECT_EQ(lines[98], "$cyan$99 $gray$-$n$ f099");
  EXPECT_EQ(lines[99], "$cyan$10 $gray$-$n$ f100");
  EXPECT_EQ(lines[108], "$cyan$10 $gray$-$n$ f109");
  EXPECT_EQ(lines[109], "$cyan$11 $gray$-$n$ f110");
  EXPECT_EQ(describe(pick("dir.sel", "120")), "file D:\\f120");
  EXPECT_EQ(describe(pick("dir.sel", "121")), "none");
}

TEST_F(Dir, SelInADirectoryThatCannotBeSearchedStillAsks) {
  sim::setCurrentDirectoryPath("C:\\gone");
  EXPECT_EQ(describe(pick("dir.sel", "1")), "none");
  EXPECT_TRUE(lines.empty());
  EXPECT_EQ(labels, std::vector<std::string>{"id"});
  EXPECT_EQ(sim::currentDirectory(), "C:\\gone");
}

TEST_F(Dir, SelJoinsThePickToTheDirectoryThatWasListed) {
  makeWork();
  sim::addFolder("C:\\other");
  runtime.hooks().askText = [](std::string_view) -> std::optional<std::string> {
    sim::setCurrentDirectoryPath("C:\\other");
    return std::string("2");
  };
  EXPECT_EQ(describe(call("dir.sel")), "file C:\\work\\a.txt");
}

// Without memory at any step: nothing kept, a move only into the picked folder, and never an
// object for the wrong path.
TEST_F(Dir, SelWithoutMemoryLeaksNothingAndGivesOnlyThePick) {
  makeWork();
  forEachFault(
      {"HeapAlloc", "HeapReAlloc"},
      [&](const Fault& fault) {
        sim::setCurrentDirectoryPath("C:\\work");
        fault.arm();
        std::string file = describe(pick("dir.sel", "2"));
        // The right path, a relative one when the directory could not be read, an empty one
        // when the object could not take its path, or nothing. Never the folder's.
        EXPECT_TRUE(
            file == "file C:\\work\\a.txt" ||
            (fault.injected() && (file == "none" || file == "file a.txt" || file == "file ")))
            << file;
        std::string result = describe(pick("dir.sel", "3"));
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

TEST_F(Dir, GetAndSet) {
  EXPECT_EQ(describe(call("dir.get")), "folder C:\\");
  makeWork();
  EXPECT_EQ(describe(call("dir.get")), "folder C:\\work\\");
  EXPECT_EQ(describe(call("dir.set", {"sub"})), "none");
  EXPECT_EQ(sim::currentDirectory(), "C:\\work\\sub");
  EXPECT_EQ(describe(call("dir.set", {"C:\\missing"})), "none");
  EXPECT_EQ(sim::currentDirectory(), "C:\\work\\sub");
}

TEST_F(Dir, UpCutsOnlyTheFinalComponent) {
  sim::addFolder("C:\\a\\b\\a");
  sim::setCurrentDirectoryPath("C:\\a\\b\\a");
  EXPECT_EQ(describe(call("dir.up")), "folder C:\\a\\b\\");
  sim::addFolder("C:\\ab\\b");
  sim::setCurrentDirectoryPath("C:\\ab\\b");
  EXPECT_EQ(describe(call("dir.up")), "folder C:\\ab\\");
  EXPECT_EQ(describe(call("dir.up")), "folder C:\\");

  // At a drive root the parent is empty; Windows refuses it and nothing moves.
  EXPECT_EQ(describe(call("dir.up")), "folder C:\\");
  EXPECT_EQ(sim::currentDirectory(), "C:\\");
}

TEST_F(Dir, DownWithANameIsAlwaysRelative) {
  makeWork();
  EXPECT_EQ(describe(call("dir.down", {"sub"})), "folder C:\\work\\sub\\");
  EXPECT_EQ(describe(call("dir.down", {".."})), "folder C:\\work\\");
  sim::addFolder("D:\\x");
  EXPECT_EQ(describe(call("dir.down", {"D:\\x"})), "folder C:\\work\\");
  EXPECT_EQ(describe(call("dir.down", {"missing"})), "folder C:\\work\\");
}

TEST_F(Dir, DownWithoutANameListsSubfoldersOnly) {
  makeWork();
  EXPECT_EQ(describe(pick("dir.down", "2")), "folder C:\\work\\sub\\");
  EXPECT_EQ(lines, (std::vector<std::string>{"$cyan$ 1 $gray$-$n$ ..", "$cyan$ 2 $gray$-$n$ sub"}));
  EXPECT_EQ(describe(pick("dir.down", "0")), "folder C:\\work\\sub\\");
  EXPECT_EQ(describe(pick("dir.down", "1")), "folder C:\\work\\");
}

TEST_F(Dir, CurrentDirectoryOfAnyLengthIsReadWhole) {
  // 259 characters and the NUL fill the first buffer exactly; 260 need a second read.
  for (std::size_t length : {259u, 260u, 700u}) {
    std::string path = pathOfLength(length);
    sim::addFolder(path);
    sim::setCurrentDirectoryPath(path);
    EXPECT_EQ(describe(call("dir.get")), "folder " + path + "\\") << length;
  }
}

TEST_F(Dir, CurrentDirectoryThatCannotBeReadGivesAnEmptyPath) {
  makeWork();
  sim::failAlways("GetCurrentDirectoryA", platform::kErrorAccessDenied);
  EXPECT_EQ(describe(call("dir.get")), "folder ");

  // A long directory whose second read fails is not taken from an unfilled buffer.
  sim::clearFaults();
  std::string path = pathOfLength(400);
  sim::addFolder(path);
  sim::setCurrentDirectoryPath(path);
  sim::failCall("GetCurrentDirectoryA", 2, platform::kErrorAccessDenied);
  EXPECT_EQ(describe(call("dir.get")), "folder ");
}

TEST_F(Dir, SpecialFoldersEndInABackslashOrAreEmpty) {
  makeWork();
  EXPECT_EQ(describe(call("dir.desk")), "folder C:\\Users\\quenda\\Desktop\\");
  EXPECT_EQ(describe(call("dir.home")), "folder C:\\Users\\quenda\\");
  EXPECT_EQ(describe(call("dir.docs")), "folder C:\\Users\\quenda\\Documents\\");
  EXPECT_EQ(describe(call("dir.progs")), "folder C:\\Program Files\\");
  EXPECT_EQ(sim::currentDirectory(), "C:\\work");

  // At a drive root, without a file-system path, or refused.
  sim::setSpecialFolder(0x10, "D:\\");
  EXPECT_EQ(describe(call("dir.desk")), "folder D:\\\\");
  sim::setSpecialFolder(0x05, "");  // no file-system path
  EXPECT_EQ(describe(call("dir.docs")), "folder ");
  sim::failCall("SHGetSpecialFolderLocation", 1, platform::kErrorFileNotFound);
  EXPECT_EQ(describe(call("dir.progs")), "folder ");
  sim::failCall("SHGetPathFromIDListA", 1, platform::kErrorAccessDenied);
  EXPECT_EQ(describe(call("dir.home")), "folder ");
}

}  // namespace
