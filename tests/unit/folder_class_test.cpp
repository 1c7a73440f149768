// The folder class against the simulated file system: names and steps, the listing of
// entries, adding a text, opening in the explorer.
#include "classes_fixture.h"

namespace {

using FolderClass = LibraryTest;

TEST_F(FolderClass, NamesAndStepsFollowTheBackslashes) {
  quenda::ValueRef src = folder("C:\\work\\src\\");
  EXPECT_EQ(call(src, "type").number(), 1);
  EXPECT_EQ(call(src, "down", {text("lib")}).objectPath(), "C:\\work\\src\\lib\\");
  EXPECT_EQ(call(src, "down", {text("lib\\")}).objectPath(), "C:\\work\\src\\lib\\");
  EXPECT_EQ(call(src, "down", {text("..")}).objectPath(), "C:\\work\\src\\..\\");
  EXPECT_EQ(src.objectPath(), "C:\\work\\src\\");
  // Without the closing backslash the names come out wrong, as the form requires.
  const std::tuple<const char*, const char*, const char*> rows[] = {
      {"C:\\work\\src\\", "src", "C:\\work\\"},
      {"C:\\", "C:", ""},
      {"C:\\a\\b\\a\\", "a", "C:\\a\\b\\"},
      {"C:\\ab\\b\\", "b", "C:\\ab\\"},
      {"C:\\work\\src", "work", nullptr},
      {"", "", ""},
      {"plain", "plain", "plain"}};
  for (const auto& [path, name, up] : rows) {
    EXPECT_EQ(call(folder(path), "name").text(), name) << path;
    if (up) EXPECT_EQ(call(folder(path), "up").objectPath(), up) << path;
  }
}

TEST_F(FolderClass, DownWithoutANamePicksFromTheListingLeavingTheCurrentDirectory) {
  sim::addFolder("C:\\work\\src\\alpha");
  sim::addFolder("C:\\work\\src\\beta");
  sim::addFile("C:\\work\\src\\notes.txt");
  quenda::ValueRef src = folder("C:\\work\\src\\");
  answers = {"3", "0"};
  EXPECT_EQ(call(src, "down").objectPath(), "C:\\work\\src\\beta\\");
  EXPECT_EQ(lines, (std::vector<std::string>{"$cyan$ 1 $gray$-$n$ ..", "$cyan$ 2 $gray$-$n$ alpha",
                                             "$cyan$ 3 $gray$-$n$ beta"}));
  EXPECT_EQ(call(src, "down").objectPath(), "C:\\work\\src\\");
  EXPECT_EQ(sim::currentDirectory(), "C:\\");
}

TEST_F(FolderClass, FilesListsEntriesAsObjectsWithoutDotEntries) {
  sim::addFile("C:\\work\\src\\a.txt");
  sim::addFolder("C:\\work\\src\\sub");
  sim::addFile("C:\\work\\src\\hidden.sys", "", platform::kFileAttributeHidden);
  sim::addFolder("C:\\empty");
  std::string listed;
  quenda::ValueRef list = call(folder("C:\\work\\src\\"), "files");
  for (const auto& entry : list.elements())
    listed += describe(entry) + ";";
  EXPECT_EQ(listed,
            "file C:\\work\\src\\a.txt;folder C:\\work\\src\\sub\\;"
            "file C:\\work\\src\\hidden.sys;");
  quenda::ValueRef empty = call(folder("C:\\empty\\"), "files");
  EXPECT_TRUE(empty.is(quenda::Kind::List) && empty.elements().empty());
  EXPECT_FALSE(call(folder("C:\\missing\\"), "files"));
  // Unclosed, the path and the name run together.
  ASSERT_EQ(call(folder("C:\\work\\src"), "files").elements().size(), 3u);
  EXPECT_EQ(call(folder("C:\\work\\src"), "files").elements()[0].objectPath(),
            "C:\\work\\srca.txt");
}

TEST_F(FolderClass, FilesUnderFailingCallsNeitherLeaksNorLeavesASearchOpen) {
  sim::addFile("C:\\f\\one.txt");
  sim::addFolder("C:\\f\\two");
  quenda::ValueRef f = folder("C:\\f\\");
  forEachFault(
      {"FindFirstFileA", "FindNextFileA", "HeapAlloc"},
      [&](const Fault& fault) {
        fault.arm();
        quenda::ValueRef list = call(f, "files");
        if (!fault.injected()) {
          EXPECT_EQ(list.elements().size(), 2u);
        }
        for (const quenda::ValueRef& e : list ? list.elements() : std::vector<quenda::ValueRef>{})
          EXPECT_TRUE(e.objectPath() == "" || e.objectPath() == "C:\\f\\one.txt" ||
                      e.objectPath() == "C:\\f\\two\\")
              << e.objectPath();
      },
      platform::kErrorNotEnoughMemory, [&] { return libraryBytes(); });
}

TEST_F(FolderClass, AddingATextMakesAFileOrAFolder) {
  quenda::ValueRef src = folder("C:\\work\\src\\");
  for (auto [operand, made] :
       {std::pair<const char*, const char*>{"\\lib\\", "folder C:\\work\\src\\\\lib\\"},
        {"main.c", "file C:\\work\\src\\main.c"},
        {"lib\\", "file C:\\work\\src\\lib\\"},
        {"", "file C:\\work\\src\\"}})
    EXPECT_EQ(describe(runtime.add(src, text(operand)).value), made) << operand;
  EXPECT_FALSE(runtime.add(src, runtime.number(3)).value);
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
}

TEST_F(FolderClass, ExpStartsTheExplorerOfTheWindowsFolderInTheCurrentDirectory) {
  sim::addFile("C:\\Windows\\explorer.exe");
  EXPECT_FALSE(call(folder("C:\\work\\src\\"), "exp"));
  ASSERT_EQ(sim::processes().size(), 1u);
  EXPECT_EQ(sim::processes()[0].program, "C:\\Windows\\explorer.exe");
  EXPECT_EQ(sim::processes()[0].directory, "C:\\");
  // An explorer that cannot be started is not reported.
  sim::reset();
  EXPECT_FALSE(call(folder("C:\\x\\"), "exp"));
  EXPECT_TRUE(lines.empty());
}

}  // namespace
