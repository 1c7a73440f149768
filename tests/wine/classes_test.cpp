// The classes of the real zorvel.dll under Wine: what its class exports give, and the tree copy on
// the real file system, where a destination inside the source gets the tree once, whatever
// spelling names it, and a path that does not fit is never cut short.
#include "classes/copy_folder_tree.h"
#include "work_folder.h"

namespace {

using RealClasses = wine::WorkFolder;

TEST_F(RealClasses, TheExportsGiveTheClassesCreatedWhenTheHostBoundTheLibrary) {
  HMODULE module = GetModuleHandleA("zorvel.dll");
  auto fileClass = reinterpret_cast<abi::ClassExport>(GetProcAddress(module, "FileClass"));
  auto folderClass = reinterpret_cast<abi::ClassExport>(GetProcAddress(module, "FolderClass"));
  ASSERT_TRUE(fileClass && folderClass);
  EXPECT_NE(runtime.classHandle("file"), runtime.classHandle("folder"));
  EXPECT_EQ(fileClass(), runtime.classHandle("file"));
  EXPECT_EQ(folderClass(), runtime.classHandle("folder"));
}

class RealTreeCopy : public wine::WorkFolder {
 protected:
  void SetUp() override {
    wine::WorkFolder::SetUp();
    addFile("src\\a.txt", "A");
    addFile("src\\sub\\b.txt", "B");
    ASSERT_TRUE(SetCurrentDirectoryA(work.c_str()));
  }
  static std::int32_t copy(const std::string& source, const std::string& destination) {
    return zorvel::copyFolderTree(source.c_str(), destination.c_str(), "*.*",
                                  zorvel::copyRecursive);
  }
};

// Spellings that no comparison of texts sees through; the folders are compared by identity.
TEST_F(RealTreeCopy, ADestinationInsideTheSourceGetsTheTreeOnceUnderEverySpelling) {
  const struct {
    std::string destination;
    std::string inside;  // the destination's place in the source
  } rows[] = {
      {at("src\\backup"), "backup"},
      {"\\\\?\\" + at("src\\prefixed"), "prefixed"},
      {"SRC/sub/Copy", "sub\\Copy"},  // relative, in other case, with forward slashes
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.destination);
    EXPECT_EQ(copy("src", row.destination), 1);
    const std::string copied = at("src\\" + row.inside + "\\");
    EXPECT_EQ(wine::readFile(copied + "a.txt") + wine::readFile(copied + "sub\\b.txt"), "AB");
    EXPECT_FALSE(wine::exists(copied + row.inside));
  }

  // Another case of a letter outside ASCII: É and é of the ANSI code page.
  addFile("\xc9t\xc9\\a.txt", "A");
  EXPECT_EQ(copy(at("\xc9t\xc9"), at("\xe9t\xe9\\copy")), 1);
  EXPECT_EQ(wine::readFile(at("\xc9t\xc9\\copy\\a.txt")), "A");
  EXPECT_FALSE(wine::exists(at("\xc9t\xc9\\copy\\copy")));

  // The source itself under another spelling receives nothing.
  EXPECT_EQ(copy(at("src"), "\\\\?\\" + at("SRC")), 0);
}

TEST_F(RealTreeCopy, APathThatDoesNotFitIsNotCopiedAndNotCutShort) {
  std::string deep = at(std::string(200, 'd'));
  ASSERT_TRUE(CreateDirectoryA(deep.c_str(), nullptr));
  EXPECT_EQ(copy(at("src"), deep + "\\" + std::string(280 - deep.size(), 'e')), 0);
  EXPECT_TRUE(RemoveDirectoryA(deep.c_str())) << "something was made in it";
}

}  // namespace
