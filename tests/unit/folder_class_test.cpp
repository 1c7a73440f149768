// The folder class against the simulated file system: names and steps, the listing of
// entries, adding a text, opening in the explorer.
#include "classes_fixture.h"

namespace {

using FolderClass = LibraryTest;

TEST_F(FolderClass, NamesStepsFilesAddAndExp) {
  quenda::ValueRef src = folder("C:\\work\\src\\");
  EXPECT_EQ(call(src, "type").number(), 1);
  EXPECT_EQ(call(src, "down", {text("lib")}).objectPath(), "C:\\work\\src\\lib\\");
  EXPECT_EQ(call(src, "down", {text("lib\\")}).objectPath(), "C:\\work\\src\\lib\\");
  EXPECT_EQ(src.objectPath(), "C:\\work\\src\\");
  const std::tuple<const char*, const char*, const char*> rows[] = {
      {"C:\\work\\src\\", "src", "C:\\work\\"},
      {"C:\\", "C:", ""},
      {"C:\\a\\b\\a\\", "a", "C:\\a\\b\\"},
      {"C:\\ab\\b\\", "b", "C:\\ab\\"},
      {"", "", ""}};
  for (const auto& [path, name, up] : rows) {
    EXPECT_EQ(call(folder(path), "name").text(), name) << path;
    EXPECT_EQ(call(folder(path), "up").objectPath(), up) << path;
  }
  // Without a name, picked from the listing; the current directory is not moved.
  sim::addFolder("C:\\work\\src\\alpha");
  sim::addFile("C:\\work\\src\\notes.txt");
  answers = {"2", "0"};
  EXPECT_EQ(call(src, "down").objectPath(), "C:\\work\\src\\alpha\\");
  EXPECT_EQ(call(src, "down").objectPath(), "C:\\work\\src\\");
  EXPECT_EQ(sim::currentDirectory(), "C:\\");

  // Files, adding a text, and opening in the explorer.
  sim::addFolder("C:\\empty");
  std::string listed;
  quenda::ValueRef list = call(src, "files");
  for (const auto& entry : list.elements())
    listed += calls::describe(quenda::Result::of(entry)) + ";";
  EXPECT_EQ(listed, "folder C:\\work\\src\\alpha\\;file C:\\work\\src\\notes.txt;");
  EXPECT_EQ(call(folder("C:\\empty\\"), "files").elements().size(), 0u);
  EXPECT_FALSE(call(folder("C:\\missing\\"), "files"));
  // Each path listed is its own entry's, whatever entry came before it and wherever memory ran
  // out (an entry may then be missing, or its object have no path).
  sim::addFile("C:\\work\\src\\a-name-much-longer-than-the-folder-path.txt");
  sim::addFolder("C:\\work\\src\\b");
  forEachFault({"HeapAlloc", "HeapReAlloc"}, [&](const Fault& fault) {
    fault.arm();
    quenda::ValueRef all = call(src, "files");
    for (const auto& entry : all.elements()) {
      std::string path = entry.objectPath();
      bool isFolder = call(entry, "type").number() == 1;
      if (isFolder && !path.empty()) path.pop_back();
      EXPECT_TRUE(path.empty() || (path.rfind("C:\\work\\src\\", 0) == 0 && sim::exists(path) &&
                                   sim::isFolder(path) == isFolder))
          << entry.objectPath();
    }
  });
  // A text added makes a file, or a folder when it ends in a backslash; nothing else adds.
  for (auto [operand, made] :
       {std::pair<const char*, const char*>{"\\lib\\", "folder C:\\work\\src\\\\lib\\"},
        {"main.c", "file C:\\work\\src\\main.c"},
        {"", "file C:\\work\\src\\"}})
    EXPECT_EQ(calls::describe(runtime.add(src, text(operand))), made) << operand;
  EXPECT_FALSE(runtime.add(src, runtime.number(3)).value);
  EXPECT_FALSE(runtime.add(src, file("C:\\x")).value);
  EXPECT_EQ(src.objectPath(), "C:\\work\\src\\");
  // A file is not assigned to a folder.
  EXPECT_TRUE(runtime.set(src, file("C:\\x.txt")).ok());
  EXPECT_EQ(src.objectPath(), "C:\\work\\src\\");
  // The explorer of the Windows folder, in the current directory; one that cannot be started is
  // not reported.
  lines.clear();
  EXPECT_FALSE(call(src, "exp"));
  sim::addFile("C:\\Windows\\explorer.exe");
  EXPECT_FALSE(call(src, "exp"));
  ASSERT_EQ(sim::processes().size(), 1u);
  EXPECT_EQ(sim::processes()[0].program, "C:\\Windows\\explorer.exe");
  EXPECT_EQ(sim::processes()[0].directory, "C:\\");
  EXPECT_TRUE(lines.empty());
}

}  // namespace
