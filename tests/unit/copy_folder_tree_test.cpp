// The recursive tree copy against the simulated file system: merging, creating, failing paths,
// the flags, and the destination inside its own source.
#include <map>

#include "classes/copy_folder_tree.h"
#include "classes_fixture.h"
#include "platform/code_page.h"
#include "platform/file_identity.h"

namespace {

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
      tree.merge(treeOf(path, prefix + name + "\\"));
    } else {
      tree[prefix + name] = sim::fileContent(path);
    }
  }
  return tree;
}

std::int32_t copy(const std::string& from, const std::string& to, const char* pattern = "*.*",
                  std::uint32_t flags = copyRecursive) {
  return copyFolderTree(from.c_str(), to.c_str(), pattern, flags);
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

TEST_F(CopyTree, CreatesOrMergesIntoTheDestinationReplacingFilesOfTheSameName) {
  EXPECT_FALSE(call(folder("C:\\src\\"), "copy", {text("C:\\dst")}));
  EXPECT_EQ(treeOf("C:\\dst"), source);
  EXPECT_EQ(treeOf("C:\\src"), source);

  sim::addFile("C:\\dst\\a.txt", "old");
  sim::addFile("C:\\dst\\mine.txt", "M");
  EXPECT_EQ(copy("C:\\src\\", "C:\\dst\\"), 1);
  Tree expected = source;
  expected["mine.txt"] = "M";
  EXPECT_EQ(treeOf("C:\\dst"), expected);

  // An empty source gives an empty destination; a bare drive is not created but filled.
  sim::addFolder("C:\\void");
  EXPECT_EQ(copy("C:\\void", "C:\\made"), 1);
  EXPECT_TRUE(sim::isFolder("C:\\made"));
  EXPECT_EQ(copy("C:\\src\\other", "D:"), 1);
  EXPECT_EQ(copy("C:\\src\\sub", "D:\\", "*.*", 0), 1);
  EXPECT_EQ(sim::fileContent("D:\\d.txt") + sim::fileContent("D:\\c.txt"), "DC");
}

TEST_F(CopyTree, AMissingSourceOrParentCreatesNothing) {
  for (auto [from, to] : {std::pair<const char*, const char*>{"C:\\src", "C:\\no\\such\\place"},
                          {"C:\\absent", "C:\\fresh"},
                          {"", "C:\\fresh"},
                          {"C:\\src", ""},
                          {nullptr, nullptr}}) {
    EXPECT_EQ(copyFolderTree(from, to, "*.*", copyRecursive), 0) << (to ? to : "null");
  }
  EXPECT_FALSE(sim::exists("C:\\no"));
  EXPECT_FALSE(sim::exists("C:\\fresh"));
}

TEST_F(CopyTree, FlatPatternAndReadOnlyDestinations) {
  EXPECT_EQ(copyFolderTree("C:\\src", "C:\\flat", nullptr, 0), 1);
  EXPECT_EQ(treeOf("C:\\flat"), (Tree{{"a.txt", "A"}, {"b.dat", "B"}}));
  // The pattern filters folders too: "sub" does not match *.txt and is not descended into.
  EXPECT_EQ(copy("C:\\src", "C:\\txt", "*.txt"), 1);
  EXPECT_EQ(treeOf("C:\\txt"), (Tree{{"a.txt", "A"}}));

  // A read-only file is replaced only with clearAttributes; its failure does not stop the walk.
  sim::addFile("C:\\ro\\a.txt", "locked", platform::kFileAttributeReadonly);
  EXPECT_EQ(copy("C:\\src", "C:\\ro"), 0);
  EXPECT_EQ(sim::fileContent("C:\\ro\\a.txt"), "locked");
  EXPECT_EQ(sim::fileContent("C:\\ro\\sub\\c.txt"), "C");
  EXPECT_EQ(copy("C:\\src", "C:\\ro", "*.*", copyRecursive | zorvel::copyClearAttributes), 1);
  EXPECT_EQ(sim::fileContent("C:\\ro\\a.txt"), "A");
}

TEST_F(CopyTree, ADestinationInsideTheSourceReceivesTheTreeOnce) {
  EXPECT_EQ(copy("C:\\src", "C:\\src\\backup"), 1);
  EXPECT_EQ(treeOf("C:\\src\\backup"), source);

  // Relative, differently cased, with forward slashes, one level down: still recognised.
  sim::setCurrentDirectoryPath("C:\\src\\sub");
  EXPECT_EQ(copy("..", "../SUB/Deep/./copy/"), 1);
  Tree copied = treeOf("C:\\src\\sub\\deep\\copy");
  EXPECT_EQ(copied.count("sub\\deep\\copy\\"), 0u);
  EXPECT_EQ(copied["sub\\c.txt"], "C");
  EXPECT_EQ(copied["backup\\a.txt"], "A");
}

// Spellings a text comparison cannot see through: the folders are told apart by identity.
TEST_F(CopyTree, NoSpellingOrJunctionMakesTheCopyEnterItself) {
  struct Row {
    const char* what;
    std::string junction, target;  // none when empty
    std::string from, to;
    std::int32_t result;
    std::string copy;  // where the copy lands, "" for nowhere
  };
  const Row rows[] = {
      {"a junction in the source back to it", "C:\\src\\loop", "C:\\src", "C:\\src", "C:\\dst", 1,
       "C:\\dst"},
      {"a junction deep down back to the source", "C:\\src\\sub\\deep\\up", "C:\\src", "C:\\src",
       "C:\\dst", 1, "C:\\dst"},
      {"the destination through a junction to the source", "C:\\alias", "C:\\src", "C:\\src",
       "C:\\alias\\backup", 1, "C:\\src\\backup"},
      {"the source through a junction", "D:\\link", "C:\\src", "D:\\link", "C:\\src\\backup", 1,
       "C:\\src\\backup"},
      {"a junction in the source to the destination", "C:\\src\\out", "C:\\dst", "C:\\src",
       "C:\\dst", 1, "C:\\dst"},
      {"the source under another name", "C:\\alias", "C:\\src", "C:\\src", "C:\\alias", 0, ""},
      {"the source itself, spelled oddly", "", "", "C:\\src", "c:\\SRC\\.\\sub\\..\\", 0, ""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    sim::reset();
    makeSource();
    sim::addFolder("C:\\dst");
    if (!row.junction.empty()) sim::addJunction(row.junction, row.target);
    EXPECT_EQ(copy(row.from, row.to), row.result);
    if (!row.copy.empty()) EXPECT_EQ(treeOf(row.copy), source);
    // The source holds what it held, and the one copy asked for when that lies inside it.
    Tree expected = source;
    if (row.junction.starts_with("C:\\src\\")) expected[row.junction.substr(7) + "\\"] = "junction";
    if (row.copy == "C:\\src\\backup") {
      expected["backup\\"] = "/";
      for (const auto& [name, content] : source) expected["backup\\" + name] = content;
    }
    EXPECT_EQ(treeOf("C:\\src"), expected);
    EXPECT_EQ(sim::openHandles(), "");
  }
}

TEST_F(CopyTree, PathsThatDoNotFitAreNotCopiedAndNeverCutShort) {
  // Behind a destination of 249 characters a name of 9 makes a path of 259, which fits; one of
  // 10 would make 260 and does not.
  std::string base = "C:\\" + std::string(246, 'd');
  sim::addFile("C:\\long\\a1234.txt", "A");
  sim::addFile("C:\\long\\a12345.txt", "L");
  EXPECT_EQ(copy("C:\\long", base), 0);
  EXPECT_EQ(sim::fileContent(base + "\\a1234.txt"), "A");
  EXPECT_EQ(sim::folderNames(base), std::vector<std::string>{"a1234.txt"});

  // A destination or source that does not fit copies nothing.
  sim::clearCalls();
  std::string tooLong = "C:\\" + std::string(300, 'x');
  EXPECT_EQ(copy("C:\\src", tooLong), 0);
  EXPECT_EQ(copy(tooLong, "C:\\dst"), 0);
  EXPECT_TRUE(sim::callsOf("CreateDirectoryA").empty());
  EXPECT_TRUE(sim::callsOf("CopyFileA").empty());
}

// A name the code page cannot give (and without a short name) can't be copied by its name: the
// rest is copied, and the copy says it is not complete.
TEST_F(CopyTree, ANameLeftOutByTheCodePageMakesTheCopyIncomplete) {
  sim::addFile("C:\\src\\sub\\\xef\xbd\x81.txt", "fullwidth");
  EXPECT_EQ(copy("C:\\src\\", "C:\\dst\\"), 0);
  EXPECT_EQ(treeOf("C:\\dst"), source);
  sim::setCodePage(platform::kCodePageUtf8);  // every name converts
  EXPECT_EQ(copy("C:\\src\\", "C:\\utf8\\"), 1);
  EXPECT_EQ(sim::fileContent("C:\\utf8\\sub\\\xef\xbd\x81.txt"), "fullwidth");
}

// A fault may cost the copy or be harmless (a failed look at a destination that is not there
// yet), but 1 always means the whole tree arrived, and no search stays open.
TEST_F(CopyTree, UnderFailingCallsOneMeansCompleteAndNoSearchStaysOpen) {
  forEachFault(
      {"FindFirstFileA", "FindNextFileA", "GetFileAttributesA", "CreateDirectoryA", "CopyFileA",
       "GetCurrentDirectoryA", "CreateFileA", "GetFileInformationByHandle"},
      [&](const Fault& fault) {
        sim::reset();
        makeSource();
        fault.arm();
        // A junction back up: a failed look at a folder's identity may cost the copy, but never
        // sends it round the loop.
        sim::addJunction("C:\\src\\sub\\loop", "C:\\src");
        std::int32_t result = copy("C:\\src", "C:\\dst");
        if (!fault.injected()) {
          EXPECT_EQ(result, 1);
        }
        if (result == 1) {
          EXPECT_EQ(treeOf("C:\\dst"), source);
        }
      },
      platform::kErrorAccessDenied);
}

}  // namespace
