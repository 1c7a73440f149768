// The recursive tree copy against the simulated file system: merging, creating, failing paths,
// the flags, and the destination inside its own source.
#include <map>

#include "classes/copy_folder_tree.h"
#include "classes_fixture.h"
#include "platform/code_page.h"
#include "platform/file_identity.h"

namespace {

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
                  std::uint32_t flags = zorvel::copyRecursive) {
  return zorvel::copyFolderTree(from.c_str(), to.c_str(), pattern, flags);
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
    sim::addFolder("C:\\src\\sub\\empty");
  }
  const Tree source = {
      {"a.txt", "A"}, {"b.dat", "B"}, {"sub\\", "/"}, {"sub\\c.txt", "C"}, {"sub\\empty\\", "/"}};
};

TEST_F(CopyTree, CreatesOrMergesIntoTheDestinationAndNeverEntersItself) {
  EXPECT_FALSE(call(folder("C:\\src\\"), "copy", {text("C:\\dst")}));
  EXPECT_EQ(treeOf("C:\\dst"), source);
  EXPECT_EQ(treeOf("C:\\src"), source);
  // Merged: a file of the same name replaced, one of the destination's own kept, a read-only
  // one kept and reported, unless its attributes are to be cleared.
  sim::addFile("C:\\dst\\a.txt", "old");
  sim::addFile("C:\\dst\\mine.txt", "M");
  sim::addFile("C:\\dst\\b.dat", "locked", platform::kFileAttributeReadonly);
  sim::addFile("C:\\dst\\sub\\c.txt", "old");
  EXPECT_EQ(copy("C:\\src\\", "C:\\dst\\"), 0);
  Tree expected = source;
  expected["mine.txt"] = "M";
  expected["b.dat"] = "locked";
  EXPECT_EQ(treeOf("C:\\dst"), expected);
  EXPECT_EQ(copy("C:\\src", "C:\\dst", "*.*", zorvel::copyRecursive | zorvel::copyClearAttributes),
            1);
  EXPECT_EQ(sim::fileContent("C:\\dst\\b.dat"), "B");
  // Flat, and filtered: "sub" does not match *.txt and is not descended into.
  EXPECT_EQ(zorvel::copyFolderTree("C:\\src", "C:\\flat", nullptr, 0), 1);
  EXPECT_EQ(treeOf("C:\\flat"), (Tree{{"a.txt", "A"}, {"b.dat", "B"}}));
  EXPECT_EQ(copy("C:\\src", "C:\\txt", "*.txt"), 1);
  EXPECT_EQ(treeOf("C:\\txt"), (Tree{{"a.txt", "A"}}));
  // A bare drive is filled, not created.
  EXPECT_EQ(copy("C:\\src\\sub", "D:"), 1);
  EXPECT_EQ(sim::fileContent("D:\\c.txt"), "C");
  // A missing source or parent creates nothing.
  for (auto [from, to] : {std::pair<const char*, const char*>{"C:\\src", "C:\\no\\such\\place"},
                          {"C:\\absent", "C:\\fresh"},
                          {"", "C:\\fresh"},
                          {"C:\\src", ""},
                          {nullptr, nullptr}})
    EXPECT_EQ(zorvel::copyFolderTree(from, to, "*.*", zorvel::copyRecursive), 0) << (to ? to : "");
  EXPECT_FALSE(sim::exists("C:\\no"));
  EXPECT_FALSE(sim::exists("C:\\fresh"));

  // Spellings a text comparison cannot see through: the folders are told apart by identity, and
  // a destination inside the source receives the tree once.
  struct Row {
    const char* what;
    std::string junction, target;  // none when empty
    std::string from, to;
    std::int32_t result;
    std::string copy;  // where the copy lands, "" for nowhere
  };
  const Row rows[] = {
      {"a subfolder", "", "", "C:\\src", "C:\\src\\backup", 1, "C:\\src\\backup"},
      {"relative, in another case, with slashes", "", "", "sub\\..", "../SRC/./backup/", 1,
       "C:\\src\\backup"},
      {"a junction in the source back to it", "C:\\src\\sub\\up", "C:\\src", "C:\\src", "C:\\dst",
       1, "C:\\dst"},
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
    sim::setCurrentDirectoryPath("C:\\src");
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
  }
}

TEST_F(CopyTree, PathsThatDoNotFitAreNeverCutShortAndOneMeansComplete) {
  // Behind a destination of 249 characters a name of 9 makes a path of 259, which fits; one of
  // 10 would make 260 and does not.
  std::string base = "C:\\" + std::string(246, 'd');
  sim::addFile("C:\\long\\a1234.txt", "A");
  sim::addFile("C:\\long\\a12345.txt", "L");
  EXPECT_EQ(copy("C:\\long", base), 0);
  EXPECT_EQ(sim::folderNames(base), std::vector<std::string>{"a1234.txt"});
  // A destination or source that does not fit copies nothing.
  sim::clearCalls();
  std::string tooLong = "C:\\" + std::string(300, 'x');
  EXPECT_EQ(copy("C:\\src", tooLong), 0);
  EXPECT_EQ(copy(tooLong, "C:\\dst"), 0);
  EXPECT_TRUE(sim::callsOf("CreateDirectoryA").empty());
  EXPECT_TRUE(sim::callsOf("CopyFileA").empty());
  // A name the code page cannot give (and without a short name) is left out, and the copy says
  // it is not complete.
  sim::addFile("C:\\src\\sub\\\xef\xbd\x81.txt", "fullwidth");
  EXPECT_EQ(copy("C:\\src\\", "C:\\dst\\"), 0);
  EXPECT_EQ(treeOf("C:\\dst"), source);
  sim::setCodePage(platform::kCodePageUtf8);  // every name converts
  EXPECT_EQ(copy("C:\\src\\", "C:\\utf8\\"), 1);
  EXPECT_EQ(sim::fileContent("C:\\utf8\\sub\\\xef\xbd\x81.txt"), "fullwidth");

  // A fault may cost the copy or be harmless (a failed look at a destination that is not there
  // yet), but 1 always means the whole tree arrived, and no search stays open.
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
