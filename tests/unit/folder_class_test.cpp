// The folder class against the simulated file system: names and steps, the listing of
// entries, adding a text, opening in the explorer.
#include "classes_fixture.h"

namespace {

namespace sim = platform::sim;
using FolderClass = LibraryTest;

TEST_F(FolderClass, NamesAndStepsFollowTheBackslashes) {
  quenda::ValueRef src = folder("C:\\work\\src\\");
  EXPECT_EQ(call(src, "type").number(), 1);
  EXPECT_EQ(callText(src, "name"), "src");
  EXPECT_EQ(call(src, "up").objectPath(), "C:\\work\\");
  EXPECT_EQ(call(src, "down", {text("lib")}).objectPath(), "C:\\work\\src\\lib\\");
  EXPECT_EQ(call(src, "down", {text("lib\\")}).objectPath(), "C:\\work\\src\\lib\\");
  EXPECT_EQ(call(src, "down", {text("..")}).objectPath(), "C:\\work\\src\\..\\");
  EXPECT_EQ(src.objectPath(), "C:\\work\\src\\");

  quenda::ValueRef root = folder("C:\\");
  EXPECT_EQ(callText(root, "name"), "C:");
  EXPECT_EQ(call(root, "up").objectPath(), "");

  EXPECT_EQ(call(folder("C:\\a\\b\\a\\"), "up").objectPath(), "C:\\a\\b\\");
  EXPECT_EQ(call(folder("C:\\ab\\b\\"), "up").objectPath(), "C:\\ab\\");

  // Without the closing backslash the names come out wrong, as the form requires.
  EXPECT_EQ(callText(folder("C:\\work\\src"), "name"), "work");
  EXPECT_EQ(callText(folder(""), "name"), "");
  EXPECT_EQ(call(folder(""), "up").objectPath(), "");
  EXPECT_EQ(callText(folder("plain"), "name"), "plain");
  EXPECT_EQ(call(folder("plain"), "up").objectPath(), "plain");
}

TEST_F(FolderClass, DownWithoutANamePicksFromTheListing) {
  sim::addFolder("C:\\work\\src\\alpha");
  sim::addFolder("C:\\work\\src\\beta");
  sim::addFile("C:\\work\\src\\notes.txt");
  quenda::ValueRef src = folder("C:\\work\\src\\");

  answers = {"3"};
  EXPECT_EQ(call(src, "down").objectPath(), "C:\\work\\src\\beta\\");
  EXPECT_EQ(labels, (std::vector<std::string>{"id"}));
  EXPECT_EQ(lines, (std::vector<std::string>{"$cyan$ 1 $gray$-$n$ ..", "$cyan$ 2 $gray$-$n$ alpha",
                                             "$cyan$ 3 $gray$-$n$ beta"}));

  answers = {"0"};
  EXPECT_EQ(call(src, "down").objectPath(), "C:\\work\\src\\");
  answers = {"1"};
  EXPECT_EQ(call(src, "down").objectPath(), "C:\\work\\src\\..\\");
  // The current directory is not moved.
  EXPECT_EQ(sim::currentDirectory(), "C:\\");
}

TEST_F(FolderClass, FilesListsEntriesAsObjectsWithoutDotEntries) {
  sim::addFile("C:\\work\\src\\a.txt");
  sim::addFolder("C:\\work\\src\\sub");
  sim::addFile("C:\\work\\src\\hidden.sys", "",
               platform::kFileAttributeHidden | platform::kFileAttributeSystem);
  quenda::ValueRef list = call(folder("C:\\work\\src\\"), "files");
  ASSERT_TRUE(list.is(quenda::Kind::List));
  const auto& entries = list.elements();
  ASSERT_EQ(entries.size(), 3u);
  EXPECT_TRUE(isFileObject(entries[0]));
  EXPECT_EQ(entries[0].objectPath(), "C:\\work\\src\\a.txt");
  EXPECT_TRUE(isFolderObject(entries[1]));
  EXPECT_EQ(entries[1].objectPath(), "C:\\work\\src\\sub\\");
  EXPECT_TRUE(isFileObject(entries[2]));
  EXPECT_EQ(entries[2].objectPath(), "C:\\work\\src\\hidden.sys");
  EXPECT_EQ(sim::openHandles(), "");
}

TEST_F(FolderClass, FilesOnAnEmptyAMissingAndAnUnclosedFolder) {
  sim::addFolder("C:\\empty");
  quenda::ValueRef empty = call(folder("C:\\empty\\"), "files");
  ASSERT_TRUE(empty.is(quenda::Kind::List));
  EXPECT_TRUE(empty.elements().empty());

  EXPECT_FALSE(call(folder("C:\\missing\\"), "files"));

  sim::addFile("C:\\work\\src\\main.c");
  quenda::ValueRef odd = call(folder("C:\\work\\src"), "files");
  ASSERT_EQ(odd.elements().size(), 1u);
  EXPECT_EQ(odd.elements()[0].objectPath(), "C:\\work\\srcmain.c");
  EXPECT_EQ(sim::openHandles(), "");
}

TEST_F(FolderClass, FilesUnderFailingCallsNeitherLeaksNorLeavesASearchOpen) {
  sim::addFile("C:\\f\\one.txt");
  sim::addFolder("C:\\f\\two");
  sim::addFile("C:\\f\\three.txt");
  quenda::ValueRef f = folder("C:\\f\\");
  std::size_t before = libraryBytes();
  for (const char* operation : {"FindFirstFileA", "FindNextFileA", "HeapAlloc"}) {
    for (int n = 1;; ++n) {
      SCOPED_TRACE(std::string(operation) + " #" + std::to_string(n));
      sim::clearFaults();
      sim::failCall(operation, n, platform::kErrorNotEnoughMemory);
      {
        quenda::ValueRef list = call(f, "files");
        if (list) {
          for (const quenda::ValueRef& e : list.elements()) {
            std::string path = e.objectPath();
            EXPECT_TRUE(path == "" || path == "C:\\f\\one.txt" || path == "C:\\f\\two\\" ||
                        path == "C:\\f\\three.txt")
                << path;
          }
        }
      }
      EXPECT_EQ(sim::openHandles(), "");
      EXPECT_EQ(libraryBytes(), before);
      if (sim::faultsFired() == 0) break;
    }
  }
}

TEST_F(FolderClass, AddingATextMakesAFileOrAFolder) {
  quenda::ValueRef src = folder("C:\\work\\src\\");
  auto add = [&](const char* operand) {
    quenda::Result r = runtime.add(src, text(operand));
    EXPECT_TRUE(r.ok());
    return r.value;
  };
  quenda::ValueRef lib = add("\\lib\\");
  EXPECT_TRUE(isFolderObject(lib));
  EXPECT_EQ(lib.objectPath(), "C:\\work\\src\\\\lib\\");
  quenda::ValueRef main = add("main.c");
  EXPECT_TRUE(isFileObject(main));
  EXPECT_EQ(main.objectPath(), "C:\\work\\src\\main.c");
  EXPECT_TRUE(isFileObject(add("lib\\")));
  EXPECT_EQ(add("").objectPath(), "C:\\work\\src\\");
  EXPECT_TRUE(isFileObject(add("")));

  quenda::Result number = runtime.add(src, runtime.number(3));
  ASSERT_TRUE(number.ok());
  EXPECT_FALSE(number.value);
  EXPECT_FALSE(runtime.add(src, file("C:\\x")).value);
  EXPECT_EQ(src.objectPath(), "C:\\work\\src\\");
}

TEST_F(FolderClass, AssignmentTakesTextsAndFoldersButNotFiles) {
  quenda::ValueRef f = folder("C:\\one\\");
  EXPECT_TRUE(runtime.set(f, file("C:\\x.txt")).ok());
  EXPECT_EQ(f.objectPath(), "C:\\one\\");
  EXPECT_TRUE(runtime.set(f, folder("C:\\two\\")).ok());
  EXPECT_EQ(f.objectPath(), "C:\\two\\");
  EXPECT_TRUE(runtime.set(f, text("C:\\three")).ok());
  EXPECT_EQ(f.objectPath(), "C:\\three");
  quenda::ValueRef target = text("");
  EXPECT_TRUE(runtime.fSet(f, target).ok());
  EXPECT_EQ(target.text(), "C:\\three");
}

TEST_F(FolderClass, ExpStartsTheExplorerOfTheWindowsFolderInTheCurrentDirectory) {
  sim::addFile("C:\\Windows\\explorer.exe");
  EXPECT_FALSE(call(folder("C:\\work\\src\\"), "exp"));
  auto starts = sim::callsOf("CreateProcessA");
  ASSERT_EQ(starts.size(), 1u);
  EXPECT_EQ(starts[0].args[7], "(null)");
  EXPECT_EQ(sim::openHandles(), "");

  // An explorer that cannot be started is not reported.
  sim::reset();
  EXPECT_FALSE(call(folder("C:\\x\\"), "exp"));
  EXPECT_TRUE(lines.empty());
}

}  // namespace
