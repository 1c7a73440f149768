// The file and folder classes of the real zorvel.dll under Wine, on the real file system:
// rename, copy, delete, the entry list, the tree copy and the numbered listing.
#include "classes/copy_folder_tree.h"
#include "work_folder.h"

namespace {

using wine::Tree;
using wine::treeOf;
using RealClasses = wine::WorkFolder;

TEST_F(RealClasses, FileRenameCopyAndRem) {
  addFile("old.txt", "data");
  quenda::ValueRef f = object("file", at("old.txt"));
  call(f, "rename", {runtime.text("new.txt")});
  EXPECT_EQ(f.objectPath(), at("new.txt"));
  EXPECT_EQ(wine::readFile(at("new.txt")), "data");
  EXPECT_FALSE(wine::exists(at("old.txt")));

  addFile("other.txt", "other");
  call(f, "copy", {runtime.text(at("other.txt"))});
  EXPECT_EQ(wine::readFile(at("other.txt")), "data");
  EXPECT_EQ(f.objectPath(), at("new.txt"));

  call(f, "rem");
  EXPECT_FALSE(wine::exists(at("new.txt")));
  call(f, "rem");  // a missing file: nothing happens, nothing is raised
  // A refused rename changes nothing, the object included.
  call(f, "rename", {runtime.text("ghost.txt")});
  EXPECT_EQ(f.objectPath(), at("new.txt"));
  addFile("mine.txt", "mine");
  quenda::ValueRef mine = object("file", at("mine.txt"));
  call(mine, "rename", {runtime.text("other.txt")});  // the name is taken
  EXPECT_EQ(mine.objectPath(), at("mine.txt"));
  call(mine, "rem");
  EXPECT_EQ(wine::readFile(at("other.txt")), "data");
  EXPECT_FALSE(wine::exists(at("mine.txt")));
  EXPECT_TRUE(lines.empty());
}

TEST_F(RealClasses, FilesListsEveryEntryAsAnObject) {
  addFile("a.txt");
  addFolder("sub");
  addFile("hidden.txt");
  platform::SetFileAttributesA(at("hidden.txt").c_str(), platform::kFileAttributeHidden);
  quenda::ValueRef list = call(object("folder", work + "\\"), "files");
  ASSERT_TRUE(list.is(quenda::Kind::List));
  std::vector<std::string> paths;
  for (const quenda::ValueRef& e : list.elements()) {
    paths.push_back(e.objectPath());
    bool folder = e.classHandle() == runtime.classHandle("folder");
    EXPECT_EQ(folder, paths.back().back() == '\\') << paths.back();
  }
  std::sort(paths.begin(), paths.end());
  EXPECT_EQ(paths, (std::vector<std::string>{at("a.txt"), at("hidden.txt"), at("sub\\")}));

  addFolder("empty");
  quenda::ValueRef empty = call(object("folder", at("empty\\")), "files");
  ASSERT_TRUE(empty.is(quenda::Kind::List));
  EXPECT_TRUE(empty.elements().empty());
  EXPECT_FALSE(call(object("folder", at("missing\\")), "files"));
}

class RealTreeCopy : public wine::WorkFolder {
 protected:
  void SetUp() override {
    wine::WorkFolder::SetUp();
    addFile("src\\a.txt", "A");
    addFile("src\\sub\\b.txt", "B");
    addFolder("src\\sub\\deep\\empty");
    source = treeOf(at("src"));
    ASSERT_EQ(source.size(), 5u);
  }
  void copy(const std::string& destination) {
    call(object("folder", at("src\\")), "copy", {runtime.text(destination)});
  }
  Tree source;
};

TEST_F(RealTreeCopy, IntoANewFolderAndMergedIntoAnExistingOne) {
  copy(at("fresh"));
  EXPECT_EQ(treeOf(at("fresh")), source);

  addFile("merge\\a.txt", "old");
  addFile("merge\\mine.txt", "M");
  copy(at("merge\\"));
  Tree merged = source;
  merged["mine.txt"] = "M";
  EXPECT_EQ(treeOf(at("merge")), merged);
}

TEST_F(RealTreeCopy, AnEmptyFolderAndAMissingParent) {
  addFolder("void");
  call(object("folder", at("void\\")), "copy", {runtime.text(at("made"))});
  EXPECT_TRUE(wine::isFolder(at("made")));
  EXPECT_TRUE(treeOf(at("made")).empty());

  copy(at("no\\such\\place"));
  EXPECT_FALSE(wine::exists(at("no")));
}

TEST_F(RealTreeCopy, ADestinationInsideTheSourceGetsTheTreeOnce) {
  copy(at("src\\backup"));
  EXPECT_EQ(treeOf(at("src\\backup")), source);

  // Relative, in other case, with forward slashes.
  ASSERT_TRUE(platform::SetCurrentDirectoryA(at("src\\sub").c_str()));
  EXPECT_EQ(zorvel::copyFolderTree("..", "../SUB/deep/copy", "*.*", zorvel::copyRecursive), 1);
  Tree copied = treeOf(at("src\\sub\\deep\\copy"));
  EXPECT_EQ(copied["sub\\b.txt"], "B");
  EXPECT_EQ(copied.count("sub\\deep\\copy\\"), 0u);
}

// Spellings that no comparison of texts sees through; the folders are compared by identity.
TEST_F(RealTreeCopy, ADestinationInsideTheSourceUnderAnotherSpellingGetsTheTreeOnce) {
  std::string prefixed = "\\\\?\\" + at("src\\prefixed");
  EXPECT_EQ(
      zorvel::copyFolderTree(at("src").c_str(), prefixed.c_str(), "*.*", zorvel::copyRecursive), 1);
  EXPECT_EQ(treeOf(at("src\\prefixed")), source);

  // Another case of a letter outside ASCII: É and é of the ANSI code page.
  addFile("\xc9t\xc9\\a.txt", "A");
  EXPECT_EQ(zorvel::copyFolderTree(at("\xc9t\xc9").c_str(), at("\xe9t\xe9\\copy").c_str(), "*.*",
                                   zorvel::copyRecursive),
            1);
  EXPECT_EQ(treeOf(at("\xc9t\xc9\\copy")), (Tree{{"a.txt", "A"}}));
  EXPECT_EQ(treeOf(at("\xc9t\xc9")).size(), 3u);  // a.txt, copy\, copy\a.txt

  // The source itself under another spelling receives nothing.
  std::string itself = "\\\\?\\" + at("SRC");
  EXPECT_EQ(zorvel::copyFolderTree(at("src").c_str(), itself.c_str(), "*.*", zorvel::copyRecursive),
            0);
}

TEST_F(RealTreeCopy, AReadOnlyDestinationFileWithAndWithoutClearingItsAttributes) {
  addFile("ro\\a.txt", "locked");
  platform::SetFileAttributesA(at("ro\\a.txt").c_str(), platform::kFileAttributeReadonly);
  // Wine run by root does not let the read-only bit stop an overwrite (the host's permission
  // check passes); find out which Wine this is with a probe of its own.
  addFile("probe\\from.txt", "new");
  addFile("probe\\to.txt", "old");
  platform::SetFileAttributesA(at("probe\\to.txt").c_str(), platform::kFileAttributeReadonly);
  bool readOnlyStops =
      !platform::CopyFileA(at("probe\\from.txt").c_str(), at("probe\\to.txt").c_str(), 0);

  std::int32_t plain =
      zorvel::copyFolderTree(at("src").c_str(), at("ro").c_str(), "*.*", zorvel::copyRecursive);
  EXPECT_EQ(plain, readOnlyStops ? 0 : 1);
  EXPECT_EQ(wine::readFile(at("ro\\a.txt")), readOnlyStops ? "locked" : "A");
  EXPECT_EQ(wine::readFile(at("ro\\sub\\b.txt")), "B");  // the walk went on

  platform::SetFileAttributesA(at("ro\\a.txt").c_str(), platform::kFileAttributeReadonly);
  wine::writeFile(at("ro\\a.txt"), "locked");
  std::int32_t cleared =
      zorvel::copyFolderTree(at("src").c_str(), at("ro").c_str(), "*.*",
                             zorvel::copyRecursive | zorvel::copyClearAttributes);
  EXPECT_EQ(cleared, 1);
  EXPECT_EQ(wine::readFile(at("ro\\a.txt")), "A");
}

TEST_F(RealTreeCopy, APathThatDoesNotFitIsNotCopiedAndNotCutShort) {
  std::string deep = at(std::string(200, 'd'));
  ASSERT_TRUE(platform::CreateDirectoryA(deep.c_str(), nullptr));
  std::string destination = deep + "\\" + std::string(280 - deep.size(), 'e');
  EXPECT_EQ(
      zorvel::copyFolderTree(at("src").c_str(), destination.c_str(), "*.*", zorvel::copyRecursive),
      0);
  EXPECT_TRUE(wine::namesIn(deep).empty());
}

TEST_F(RealClasses, TheNumberedListingPicksBySubfolderNumber) {
  addFolder("w\\alpha");
  addFolder("w\\beta");
  addFile("w\\file.txt");
  quenda::ValueRef w = object("folder", at("w\\"));
  // The real file system's order is its own: read the numbers off the printed lines.
  answers = {"0"};
  EXPECT_EQ(call(w, "down").objectPath(), at("w\\"));
  ASSERT_EQ(lines.size(), 3u);
  std::map<std::string, int> numbers;
  for (const std::string& line : lines) {
    ASSERT_EQ(line.rfind("$cyan$", 0), 0u) << line;
    std::size_t dash = line.find(" $gray$-$n$ ");
    ASSERT_NE(dash, std::string::npos) << line;
    numbers[line.substr(dash + 12)] = std::stoi(line.substr(6, 2));
  }
  ASSERT_EQ(numbers.size(), 3u);
  EXPECT_TRUE(numbers.count("..") && numbers.count("alpha") && numbers.count("beta"));

  for (const char* name : {"alpha", "beta", ".."}) {
    answers = {std::to_string(numbers[name])};
    EXPECT_EQ(call(w, "down").objectPath(), at("w\\") + name + "\\");
  }
  answers = {"7"};
  EXPECT_EQ(call(w, "down").objectPath(), at("w\\"));
}

}  // namespace
