// The file class against the simulated file system: rename, copy, delete, and assignment.
#include "classes_fixture.h"

namespace {

using FileClass = LibraryTest;

TEST_F(FileClass, RenameMovesWithinTheFileFolderCopyReplacesAndAssignmentTakesFiles) {
  sim::addFile("C:\\dir\\old.txt", "data");
  sim::addFolder("C:\\dir\\sub");
  sim::addFolder("D:\\elsewhere");
  sim::setCurrentDirectoryPath("D:\\elsewhere");
  quenda::ValueRef f = file("C:\\dir\\old.txt");
  EXPECT_FALSE(call(f, "rename", {text("new.txt")}));
  EXPECT_EQ(f.objectPath(), "C:\\dir\\new.txt");
  EXPECT_FALSE(sim::exists("C:\\dir\\old.txt"));
  EXPECT_EQ(sim::fileContent("C:\\dir\\new.txt"), "data");
  // A name with a separator moves the file below its folder.
  call(f, "rename", {text("sub\\moved.txt")});
  EXPECT_EQ(f.objectPath(), "C:\\dir\\sub\\moved.txt");
  EXPECT_EQ(sim::fileContent("C:\\dir\\sub\\moved.txt"), "data");
  EXPECT_EQ(sim::folderNames("D:\\elsewhere").size(), 0u);
  // A copy replaces an existing file and the object keeps naming its source.
  sim::addFile("C:\\dst.txt", "old");
  EXPECT_FALSE(call(f, "copy", {text("C:\\dst.txt")}));
  EXPECT_EQ(sim::fileContent("C:\\dst.txt"), "data");
  EXPECT_EQ(f.objectPath(), "C:\\dir\\sub\\moved.txt");
  // Assignment takes texts and files, itself included, but not folders; fSet gives the path.
  for (const quenda::ValueRef& value : {folder("C:\\dir\\"), runtime.number(7), f})
    EXPECT_TRUE(runtime.set(f, value).ok());
  EXPECT_EQ(f.objectPath(), "C:\\dir\\sub\\moved.txt");
  EXPECT_TRUE(runtime.set(f, text("C:\\two.txt")).ok());
  quenda::ValueRef target = text("before");
  EXPECT_TRUE(runtime.fSet(f, target).ok());
  EXPECT_EQ(target.text(), "C:\\two.txt");
}

TEST_F(FileClass, ARefusedRenameChangesNothingAndNeverLeavesTheObjectBehindItsFile) {
  quenda::ValueRef ghost = file("C:\\nowhere\\ghost.txt");
  call(ghost, "rename", {text("other.txt")});
  EXPECT_EQ(ghost.objectPath(), "C:\\nowhere\\ghost.txt");

  sim::addFile("C:\\a.txt", "keep");
  sim::failCall("MoveFileA", 1, platform::kErrorAccessDenied);
  quenda::ValueRef refused = file("C:\\a.txt");
  call(refused, "rename", {text("b.txt")});
  EXPECT_EQ(sim::faultsFired(), 1);
  EXPECT_EQ(refused.objectPath(), "C:\\a.txt");
  EXPECT_EQ(sim::fileContent("C:\\a.txt"), "keep");

  // The new name is another file's: it stays, and rem afterwards deletes the object's own file.
  sim::addFile("C:\\taken.txt", "other");
  std::size_t before = libraryBytes();
  call(refused, "rename", {text("taken.txt")});
  EXPECT_EQ(libraryBytes(), before);
  EXPECT_EQ(refused.objectPath(), "C:\\a.txt");
  call(refused, "rem");
  EXPECT_EQ(sim::fileContent("C:\\taken.txt"), "other");
  EXPECT_FALSE(sim::exists("C:\\a.txt"));
  EXPECT_FALSE(call(refused, "rem"));  // a missing file is silent
  EXPECT_TRUE(lines.empty());

  forEachFault({"HeapAlloc"}, [&](const Fault& fault) {
    sim::reset();
    sim::addFile("C:\\dir\\old.txt", "data");
    quenda::ValueRef f = file("C:\\dir\\old.txt");
    fault.arm();
    call(f, "rename", {text("new.txt")});
    EXPECT_EQ(sim::fileContent(f.objectPath()), "data") << f.objectPath();
    EXPECT_FALSE(sim::exists("C:\\new.txt"));
  });
}

}  // namespace
