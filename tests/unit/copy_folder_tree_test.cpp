// The recursive tree copy against the simulated file system: merging, creating, failing paths,
// the flags, and the destination inside its own source.
#include <map>

#include "classes/copy_folder_tree.h"
#include "platform/code_page.h"
#include "classes_fixture.h"
#include "platform/file_identity.h"

namespace {

namespace sim = platform::sim;
using zorvel::copyClearAttributes;
using zorvel::copyFolderTree;
using zorvel::copyRecursive;
using Tree = std::map<std::string, std::string>;  // relative path -> content ("/" for folders)

Tree treeOf(const std::string& folder, const std::string& prefix = "") {
  Tree tree;
  for (const std::string& name : sim::folderNames(folder)) {
    std::string path = folder + "\\" + name;
    if (sim::attributesOf(path) & platform::kFileAttributeReparsePoint) {
      tree[prefix + name + "\\"] = "junction";  // not followed: it may lead back up
    } else if (sim::isFolder(path)) {
      tree[prefix + name + "\\"] = "/";
      for (auto& [k, v] : treeOf(path, prefix + name + "\\")) tree[k] = v;
    } else {
      tree[prefix + name] = sim::fileContent(path);
    }
  }
  return tree;
}

class CopyTree : public LibraryTest {
 protected:
  void SetUp() override {
    LibraryTest::SetUp();
    makeSource();
  }
  static void makeSource() {
    sim::addFile("C:\\src\\a.txt", "A");
    sim::addFile("C:\\src\\b.dat", "B", platform::kFileAttributeHidden);
    sim::addFile("C:\\src\\sub\\c.txt", "C");
    sim::addFolder("C:\\src\\sub\\deep\\empty");
    sim::addFile("C:\\src\\other\\d.txt", "D");
  }
  const Tree source = {{"a.txt", "A"},      {"b.dat", "B"},       {"sub\\", "/"},
                       {"sub\\c.txt", "C"}, {"sub\\deep\\", "/"}, {"sub\\deep\\empty\\", "/"},
                       {"other\\", "/"},    {"other\\d.txt", "D"}};
};

TEST_F(CopyTree, FolderCopyCreatesTheDestinationAndCopiesTheWholeTree) {
  EXPECT_FALSE(call(folder("C:\\src\\"), "copy", {text("C:\\dst")}));
  EXPECT_EQ(treeOf("C:\\dst"), source);
  EXPECT_EQ(treeOf("C:\\src"), source);
  EXPECT_EQ(sim::openHandles(), "");

  quenda::Result missing = runtime.callMethod(folder("C:\\src\\"), "copy");
  ASSERT_FALSE(missing.ok());
  EXPECT_EQ(*missing.error, "The minimal argument count is 1!");
}

TEST_F(CopyTree, MergesIntoAnExistingFolderReplacingFilesOfTheSameName) {
  sim::addFile("C:\\dst\\a.txt", "old");
  sim::addFile("C:\\dst\\mine.txt", "M");
  EXPECT_EQ(copyFolderTree("C:\\src\\", "C:\\dst\\", "*.*", copyRecursive), 1);
  Tree expected = source;
  expected["mine.txt"] = "M";
  EXPECT_EQ(treeOf("C:\\dst"), expected);
  EXPECT_TRUE(sim::callsOf("CreateDirectoryA").size() == 4u);  // sub, deep, empty, other
}

TEST_F(CopyTree, AnEmptyFolderGivesAnEmptyDestinationAndAMissingParentGivesNothing) {
  sim::addFolder("C:\\void");
  EXPECT_EQ(copyFolderTree("C:\\void", "C:\\made", "*.*", copyRecursive), 1);
  EXPECT_TRUE(sim::isFolder("C:\\made"));
  EXPECT_TRUE(treeOf("C:\\made").empty());

  EXPECT_EQ(copyFolderTree("C:\\src", "C:\\no\\such\\place", "*.*", copyRecursive), 0);
  EXPECT_FALSE(sim::exists("C:\\no"));
  // A missing source creates nothing at all.
  EXPECT_EQ(copyFolderTree("C:\\absent", "C:\\fresh", "*.*", copyRecursive), 0);
  EXPECT_FALSE(sim::exists("C:\\fresh"));
  EXPECT_EQ(copyFolderTree("", "C:\\fresh", "*.*", copyRecursive), 0);
  EXPECT_EQ(copyFolderTree("C:\\src", "", "*.*", copyRecursive), 0);
  EXPECT_EQ(copyFolderTree(nullptr, nullptr, nullptr, copyRecursive), 0);
  EXPECT_EQ(sim::openHandles(), "");
}

TEST_F(CopyTree, WithoutRecursionAndWithAPatternOnlyMatchingEntriesOfTheTopAreCopied) {
  EXPECT_EQ(copyFolderTree("C:\\src", "C:\\flat", nullptr, 0), 1);
  EXPECT_EQ(treeOf("C:\\flat"), (Tree{{"a.txt", "A"}, {"b.dat", "B"}}));

  // The pattern filters folders too: "sub" does not match *.txt and is not descended into.
  EXPECT_EQ(copyFolderTree("C:\\src", "C:\\txt", "*.txt", copyRecursive), 1);
  EXPECT_EQ(treeOf("C:\\txt"), (Tree{{"a.txt", "A"}}));
}

TEST_F(CopyTree, AReadOnlyDestinationFileIsReplacedOnlyWithClearAttributes) {
  sim::addFile("C:\\ro\\a.txt", "locked", platform::kFileAttributeReadonly);
  EXPECT_EQ(copyFolderTree("C:\\src", "C:\\ro", "*.*", copyRecursive), 0);
  EXPECT_EQ(sim::fileContent("C:\\ro\\a.txt"), "locked");
  // The failure did not stop the walk.
  EXPECT_EQ(sim::fileContent("C:\\ro\\sub\\c.txt"), "C");
  EXPECT_TRUE(sim::callsOf("SetFileAttributesA").empty());

  EXPECT_EQ(copyFolderTree("C:\\src", "C:\\ro", "*.*", copyRecursive | copyClearAttributes), 1);
  EXPECT_EQ(sim::fileContent("C:\\ro\\a.txt"), "A");
  auto cleared = sim::callsOf("SetFileAttributesA");
  ASSERT_FALSE(cleared.empty());
  EXPECT_EQ(cleared[0].args, (std::vector<std::string>{"C:\\ro\\a.txt", "128"}));
}

TEST_F(CopyTree, ADestinationInsideTheSourceReceivesTheTreeOnce) {
  EXPECT_EQ(copyFolderTree("C:\\src", "C:\\src\\backup", "*.*", copyRecursive), 1);
  EXPECT_EQ(treeOf("C:\\src\\backup"), source);

  // Relative, differently cased, with forward slashes, one level down: still recognised.
  sim::setCurrentDirectoryPath("C:\\src\\sub");
  EXPECT_EQ(copyFolderTree("..", "../SUB/Deep/./copy/", "*.*", copyRecursive), 1);
  Tree copied = treeOf("C:\\src\\sub\\deep\\copy");
  EXPECT_EQ(copied.count("sub\\deep\\copy\\"), 0u);
  EXPECT_EQ(copied["sub\\c.txt"], "C");
  EXPECT_EQ(copied["backup\\a.txt"], "A");
  EXPECT_EQ(sim::openHandles(), "");
}

// Spellings a text comparison cannot see through: the folders are told apart by identity.
TEST_F(CopyTree, NoSpellingOrJunctionMakesTheCopyEnterItself) {
  struct Row {
    const char* what;
    std::vector<std::pair<std::string, std::string>> junctions;  // path, target
    std::string from, to;
    std::int32_t result;
    std::string copy;  // where the copy lands, "" for nowhere
  };
  const std::vector<Row> rows = {
      {"a junction in the source leads back to it",
       {{"C:\\src\\loop", "C:\\src"}},
       "C:\\src",
       "C:\\dst",
       1,
       "C:\\dst"},
      {"a junction deep down leads back to the source",
       {{"C:\\src\\sub\\deep\\up", "C:\\src"}},
       "C:\\src",
       "C:\\dst",
       1,
       "C:\\dst"},
      {"the destination is reached through a junction to the source",
       {{"C:\\alias", "C:\\src"}},
       "C:\\src",
       "C:\\alias\\backup",
       1,
       "C:\\src\\backup"},
      {"the source is reached through a junction",
       {{"D:\\link", "C:\\src"}},
       "D:\\link",
       "C:\\src\\backup",
       1,
       "C:\\src\\backup"},
      {"a junction in the source leads to the destination",
       {{"C:\\src\\out", "C:\\dst"}},
       "C:\\src",
       "C:\\dst",
       1,
       "C:\\dst"},
      {"the destination is the source under another name",
       {{"C:\\alias", "C:\\src"}},
       "C:\\src",
       "C:\\alias",
       0,
       ""},
      {"the destination is the source itself, spelled oddly",
       {},
       "C:\\src",
       "c:\\SRC\\.\\sub\\..\\",
       0,
       ""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    sim::reset();
    makeSource();
    sim::addFolder("C:\\dst");
    for (const auto& [path, target] : row.junctions) sim::addJunction(path, target);
    EXPECT_EQ(copyFolderTree(row.from.c_str(), row.to.c_str(), "*.*", copyRecursive), row.result);
    if (!row.copy.empty()) EXPECT_EQ(treeOf(row.copy), source);
    // The source holds what it held, and the one copy asked for when that lies inside it.
    Tree expected = source;
    for (const auto& [path, target] : row.junctions)
      if (path.starts_with("C:\\src\\")) expected[path.substr(7) + "\\"] = "junction";
    if (row.copy == "C:\\src\\backup") {
      expected["backup\\"] = "/";
      for (const auto& [name, content] : source) expected["backup\\" + name] = content;
    }
    EXPECT_EQ(treeOf("C:\\src"), expected);
    EXPECT_TRUE(sim::fileContent("C:\\src\\a.txt") == "A");
    EXPECT_EQ(sim::openHandles(), "");
  }
}

TEST_F(CopyTree, IdentityIsAskedOncePerFolderNeverPerFile) {
  for (int i = 0; i < 20; ++i) sim::addFile("C:\\src\\sub\\f" + std::to_string(i) + ".txt");
  EXPECT_EQ(copyFolderTree("C:\\src", "C:\\dst", "*.*", copyRecursive), 1);
  // The source, the destination and the four folders below the source.
  auto opened = sim::callsOf("CreateFileA");
  EXPECT_EQ(opened.size(), 6u);
  for (const auto& open : opened) EXPECT_TRUE(sim::isFolder(open.args[0])) << open.args[0];
}

TEST_F(CopyTree, PathsThatDoNotFitAreNotCopiedAndNeverCutShort) {
  // A destination of 249 characters: "a.txt" still fits behind it, a longer name does not.
  std::string base = "C:\\" + std::string(246, 'd');
  sim::addFile("C:\\long\\a.txt", "A");
  sim::addFile("C:\\long\\a-name-much-too-long.txt", "L");
  EXPECT_EQ(copyFolderTree("C:\\long", base.c_str(), "*.*", copyRecursive), 0);
  EXPECT_EQ(sim::fileContent(base + "\\a.txt"), "A");
  for (const auto& copy : sim::callsOf("CopyFileA")) EXPECT_LT(copy.args[1].size(), 260u);
  EXPECT_EQ(sim::folderNames(base).size(), 1u);

  // A destination or source that does not fit copies nothing.
  sim::clearCalls();
  std::string tooLong = "C:\\" + std::string(300, 'x');
  EXPECT_EQ(copyFolderTree("C:\\src", tooLong.c_str(), "*.*", copyRecursive), 0);
  EXPECT_EQ(copyFolderTree(tooLong.c_str(), "C:\\dst", "*.*", copyRecursive), 0);
  EXPECT_TRUE(sim::callsOf("CreateDirectoryA").empty());
  EXPECT_TRUE(sim::callsOf("CopyFileA").empty());
}

// A name the code page cannot give (and without a short name) can't be copied by its name: the
// rest is copied, and the copy says it is not complete.
TEST_F(CopyTree, ANameLeftOutByTheCodePageMakesTheCopyIncomplete) {
  sim::addFile("C:\\src\\sub\\\xef\xbd\x81.txt", "fullwidth");
  EXPECT_EQ(copyFolderTree("C:\\src\\", "C:\\dst\\", "*.*", copyRecursive), 0);
  EXPECT_EQ(treeOf("C:\\dst"), source);
  EXPECT_EQ(sim::openHandles(), "");

  sim::setCodePage(platform::kCodePageUtf8);  // every name converts
  EXPECT_EQ(copyFolderTree("C:\\src\\", "C:\\utf8\\", "*.*", copyRecursive), 1);
  EXPECT_EQ(sim::fileContent("C:\\utf8\\sub\\\xef\xbd\x81.txt"), "fullwidth");
}

TEST_F(CopyTree, ABareDriveDestinationIsNotCreated) {
  EXPECT_EQ(copyFolderTree("C:\\src\\other", "D:", "*.*", copyRecursive), 1);
  EXPECT_EQ(sim::fileContent("D:\\d.txt"), "D");
  EXPECT_EQ(copyFolderTree("C:\\src\\sub", "D:\\", "*.*", 0), 1);
  EXPECT_EQ(sim::fileContent("D:\\c.txt"), "C");
  EXPECT_TRUE(sim::callsOf("CreateDirectoryA").empty());
}

TEST_F(CopyTree, UnderFailingCallsOneMeansCompleteAndNoSearchStaysOpen) {
  for (const char* operation :
       {"FindFirstFileA", "FindNextFileA", "GetFileAttributesA", "CreateDirectoryA", "CopyFileA",
        "GetCurrentDirectoryA", "CreateFileA", "GetFileInformationByHandle"}) {
    for (int n = 1;; ++n) {
      SCOPED_TRACE(std::string(operation) + " #" + std::to_string(n));
      sim::reset();
      makeSource();
      sim::failCall(operation, n, platform::kErrorAccessDenied);
      // A junction back up: a failed look at a folder's identity may cost the copy, but never
      // sends it round the loop.
      sim::addJunction("C:\\src\\sub\\loop", "C:\\src");
      std::int32_t result = copyFolderTree("C:\\src", "C:\\dst", "*.*", copyRecursive);
      bool fired = sim::faultsFired() > 0;
      // A fault may cost the copy or be harmless (a failed look at a destination that is not
      // there yet), but 1 always means the whole tree arrived.
      if (!fired) {
        EXPECT_EQ(result, 1);
      }
      if (result == 1) {
        EXPECT_EQ(treeOf("C:\\dst"), source);
      }
      EXPECT_EQ(sim::openHandles(), "");
      if (!fired) break;
    }
  }
}

}  // namespace
