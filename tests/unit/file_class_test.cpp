// The file class against the simulated file system: parts of the path, rename, copy, delete,
// and the class protocol (assignment, formatting, destruction).
#include "classes_fixture.h"

namespace {

namespace sim = platform::sim;
using FileClass = LibraryTest;

TEST_F(FileClass, GivesThePartsOfItsPath) {
  quenda::ValueRef report = file("C:\\dir\\report.txt");
  EXPECT_EQ(call(report, "type").number(), 0);
  EXPECT_EQ(callText(report, "name"), "report.txt");
  EXPECT_EQ(callText(report, "ext"), "txt");
  quenda::ValueRef folder = call(report, "path");
  EXPECT_TRUE(isFolderObject(folder));
  EXPECT_EQ(folder.objectPath(), "C:\\dir\\");

  quenda::ValueRef quoted = file("\"C:\\Program Files\\app.exe\"");
  EXPECT_EQ(callText(quoted, "name"), "app.exe");
  EXPECT_EQ(callText(quoted, "ext"), "exe");
  EXPECT_EQ(call(quoted, "path").objectPath(), "C:\\Program Files\\");

  quenda::ValueRef bare = file("archive.tar.gz");
  EXPECT_EQ(callText(bare, "name"), "archive.tar.gz");
  EXPECT_EQ(call(bare, "path").objectPath(), "");

  // Nothing on disk is needed or touched.
  EXPECT_TRUE(sim::callsOf("FindFirstFileA").empty());
}

TEST_F(FileClass, RenameMovesWithinTheFileFolderWhateverTheCurrentDirectory) {
  sim::addFile("C:\\dir\\old.txt", "data");
  sim::addFolder("D:\\elsewhere");
  sim::setCurrentDirectoryPath("D:\\elsewhere");
  quenda::ValueRef f = file("C:\\dir\\old.txt");
  EXPECT_FALSE(call(f, "rename", {text("new.txt")}));
  EXPECT_EQ(f.objectPath(), "C:\\dir\\new.txt");
  EXPECT_FALSE(sim::exists("C:\\dir\\old.txt"));
  EXPECT_EQ(sim::fileContent("C:\\dir\\new.txt"), "data");
  EXPECT_FALSE(sim::exists("D:\\elsewhere\\new.txt"));

  // A name with a separator moves the file below its folder.
  sim::addFolder("C:\\dir\\sub");
  call(f, "rename", {text("sub\\moved.txt")});
  EXPECT_EQ(f.objectPath(), "C:\\dir\\sub\\moved.txt");
  EXPECT_EQ(sim::fileContent("C:\\dir\\sub\\moved.txt"), "data");
}

TEST_F(FileClass, ARefusedRenameChangesNothingTheObjectIncluded) {
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
  EXPECT_FALSE(lines.size());

  // The new name is another file's: it stays, and rem afterwards deletes the object's own file.
  sim::addFile("C:\\taken.txt", "other");
  std::size_t before = libraryBytes();
  call(refused, "rename", {text("taken.txt")});
  EXPECT_EQ(libraryBytes(), before);
  EXPECT_EQ(refused.objectPath(), "C:\\a.txt");
  call(refused, "rem");
  EXPECT_EQ(sim::fileContent("C:\\taken.txt"), "other");
  EXPECT_FALSE(sim::exists("C:\\a.txt"));
}

TEST_F(FileClass, RenameAndCopyWithoutAnArgumentRaiseTheCountErrorAndTouchNothing) {
  sim::addFile("C:\\a.txt");
  quenda::ValueRef f = file("C:\\a.txt");
  sim::clearCalls();
  for (const char* member : {"rename", "copy"}) {
    quenda::Result result = runtime.callMethod(f, member);
    ASSERT_FALSE(result.ok()) << member;
    EXPECT_EQ(*result.error, "The minimal argument count is 1!");
  }
  EXPECT_EQ(f.objectPath(), "C:\\a.txt");
  EXPECT_TRUE(sim::callsOf("MoveFileA").empty());
  EXPECT_TRUE(sim::callsOf("CopyFileA").empty());
}

TEST_F(FileClass, WhenMemoryRunsOutRenameNeverLeavesTheObjectBehindItsFile) {
  for (const char* operation : {"HeapAlloc", "HeapReAlloc"}) {
    for (int n = 1;; ++n) {
      SCOPED_TRACE(std::string(operation) + " #" + std::to_string(n));
      sim::reset();
      sim::addFile("C:\\dir\\old.txt", "data");
      quenda::ValueRef f = file("C:\\dir\\old.txt");
      sim::failCall(operation, n, platform::kErrorNotEnoughMemory);
      call(f, "rename", {text("new.txt")});
      bool fired = sim::faultsFired() > 0;
      sim::clearFaults();
      EXPECT_EQ(sim::fileContent(f.objectPath()), "data") << f.objectPath();
      EXPECT_FALSE(sim::exists("C:\\new.txt"));
      if (!fired) break;
    }
  }
}

TEST_F(FileClass, CopyReplacesAnExistingFileAndKeepsNamingTheSource) {
  sim::addFile("C:\\src.txt", "new");
  sim::addFile("C:\\dst.txt", "old");
  quenda::ValueRef f = file("C:\\src.txt");
  EXPECT_FALSE(call(f, "copy", {text("C:\\dst.txt")}));
  EXPECT_EQ(sim::fileContent("C:\\dst.txt"), "new");
  EXPECT_EQ(f.objectPath(), "C:\\src.txt");
  auto copies = sim::callsOf("CopyFileA");
  ASSERT_EQ(copies.size(), 1u);
  EXPECT_EQ(copies[0].args, (std::vector<std::string>{"C:\\src.txt", "C:\\dst.txt", "0"}));

  // A refused copy is silent.
  call(file("C:\\missing.txt"), "copy", {text("C:\\dst.txt")});
  EXPECT_EQ(sim::fileContent("C:\\dst.txt"), "new");
}

TEST_F(FileClass, RemDeletesAndIsSilentForAMissingFile) {
  sim::addFile("C:\\gone.txt");
  quenda::ValueRef f = file("C:\\gone.txt");
  EXPECT_FALSE(call(f, "rem"));
  EXPECT_FALSE(sim::exists("C:\\gone.txt"));
  EXPECT_EQ(f.objectPath(), "C:\\gone.txt");
  EXPECT_FALSE(call(f, "rem"));
  EXPECT_TRUE(lines.empty());
}

TEST_F(FileClass, AssignmentTakesTextsAndFilesButNotFolders) {
  quenda::ValueRef f = file("C:\\one.txt");
  EXPECT_TRUE(runtime.set(f, folder("C:\\dir\\")).ok());
  EXPECT_EQ(f.objectPath(), "C:\\one.txt");
  EXPECT_TRUE(runtime.set(f, runtime.number(7)).ok());
  EXPECT_EQ(f.objectPath(), "C:\\one.txt");
  EXPECT_TRUE(runtime.set(f, text("C:\\two.txt")).ok());
  EXPECT_EQ(f.objectPath(), "C:\\two.txt");
  EXPECT_TRUE(runtime.set(f, file("C:\\three.txt")).ok());
  EXPECT_EQ(f.objectPath(), "C:\\three.txt");
  EXPECT_TRUE(runtime.set(f, f).ok());
  EXPECT_EQ(f.objectPath(), "C:\\three.txt");
}

TEST_F(FileClass, AssignmentIntoATextAndTheTextForm) {
  quenda::ValueRef f = file("C:\\x y\\z.txt");
  quenda::ValueRef target = text("before");
  EXPECT_TRUE(runtime.fSet(f, target).ok());
  EXPECT_EQ(target.text(), "C:\\x y\\z.txt");
  quenda::ValueRef number = runtime.number(5);
  EXPECT_TRUE(runtime.fSet(f, number).ok());
  EXPECT_EQ(number.number(), 5);
  quenda::Result form = runtime.form(f);
  ASSERT_TRUE(form.ok());
  EXPECT_EQ(form.value.text(), "C:\\x y\\z.txt");
}

TEST_F(FileClass, ANewObjectWithoutADefinitionHasAnEmptyPathAndTheNewFlag) {
  quenda::Result made = runtime.newObject("file");
  ASSERT_TRUE(made.ok());
  EXPECT_EQ(made.value.objectPath(), "");
  EXPECT_EQ(made.value.record()->flags & abi::kNewFlag, abi::kNewFlag);
  EXPECT_EQ(callText(made.value, "name"), "");
  EXPECT_EQ(call(made.value, "path").objectPath(), "");
}

TEST_F(FileClass, ObjectsAndCallsGiveBackAllTheirMemory) {
  std::size_t before = libraryBytes();
  {
    quenda::ValueRef f = file("C:\\dir\\report.txt");
    for (int i = 0; i < 50; ++i) {
      callText(f, "name");
      callText(f, "ext");
      call(f, "path");
      call(f, "rename", {text("r" + std::to_string(i) + ".txt")});
    }
  }
  EXPECT_EQ(libraryBytes(), before);
}

}  // namespace
