// Every routine the three function tables name, called with missing and wrong arguments.
#include <map>
#include <set>

#include "classes_fixture.h"
#include "plugin/catalogue.h"
#include "plugin/function_table.h"

namespace {

// Every routine, called with its arguments missing or of the wrong kind, answers with a result
// or one of the two wrong-call errors and keeps no memory and no handle. A routine refused for a
// missing argument touches nothing, its object included.
class CatalogueSweep : public LibraryTest {
 protected:
  void SetUp() override {
    LibraryTest::SetUp();
    runtime.hooks().runScript = [](std::string_view) { return quenda::Result::of({}); };
  }
  quenda::ValueRef fresh(bool isFile) {
    sim::addFile("C:\\work\\a.txt", "a");
    sim::addFolder("C:\\work\\sub");
    sim::setCurrentDirectoryPath("C:\\work");
    return isFile ? file("C:\\work\\a.txt") : folder("C:\\work\\sub\\");
  }

  // The files under C:\ with their contents, the current directory and the processes started.
  std::string machine(const std::string& folder = "C:") {
    std::string out =
        folder == "C:" ? sim::currentDirectory() + std::to_string(sim::processes().size()) : "";
    for (const std::string& name : sim::folderNames(folder + "\\")) {
      std::string path = folder + "\\" + name;
      out += path +
             (sim::isFolder(path) ? "\\\n" + machine(path) : "=" + sim::fileContent(path) + "\n");
    }
    return out;
  }

  // The call, made twice on a fresh object: the first may set up what later calls share, the
  // second must give back everything it took. Gives the error, "" for none.
  template <class Call>
  std::string twice(const std::string& what, bool isFile, Call call, bool noArguments = false) {
    call(fresh(isFile));
    quenda::ValueRef self = fresh(isFile);
    std::size_t before = libraryBytes();
    std::string state = noArguments ? machine() : "";
    quenda::Result result = call(self);
    std::string error = result.error.value_or("");
    EXPECT_TRUE(error.empty() || error == "Invalid arguments specified." ||
                error.starts_with("The minimal argument count is "))
        << what << ": " << error;
    if (noArguments && error.starts_with("The minimal")) {
      EXPECT_EQ(machine(), state) << what;
      EXPECT_EQ(self.objectPath(), isFile ? "C:\\work\\a.txt" : "C:\\work\\sub\\") << what;
    }
    result.value = {};
    EXPECT_EQ(libraryBytes(), before) << what;
    EXPECT_EQ(sim::openHandles(), "") << what;
    return error;
  }
};

TEST_F(CatalogueSweep, EveryRoutineWithMissingOrWrongArguments) {
  // What each routine that takes arguments says when they are missing.
  const std::map<std::string, std::string> needs = {
      {"dir.set", "1"},   {"env.get", "1"},    {"env.set", "2"}, {"clip.set", "1"},
      {"run", "1"},       {"link", "2"},       {"webLink", "2"}, {"file.rename", "1"},
      {"file.copy", "1"}, {"folder.copy", "1"}};
  auto wrongArguments = [&] {
    return std::vector<std::vector<quenda::ValueRef>>{{},
                                                      {text(std::string(3000, 'x'))},
                                                      {runtime.number(7)},
                                                      {runtime.list()},
                                                      {text("x"), runtime.number(7)},
                                                      {text("x"), runtime.list({text("y")})}};
  };
  // The root's routines by their path, the classes' members on an object; standby waits.
  std::vector<std::pair<std::string, int>> routines;  // path, 0 root / 1 file / 2 folder
  std::vector<abi::Routine> all;
  for (int kind : {0, 1, 2}) {
    zorvel::TableBytes table = kind == 0   ? zorvel::rootTable()
                               : kind == 1 ? zorvel::fileTable()
                                           : zorvel::folderTable();
    const std::string prefix = kind == 0 ? "" : kind == 1 ? "file." : "folder.";
    for (const auto& e : quenda::readFunctionTable(table.bytes, table.size).entries) {
      for (const auto& member : e.entries) {
        routines.emplace_back(e.name + "." + member.name, 0);
        all.push_back(member.routine);
      }
      if (e.kind != abi::kTableFunction) continue;
      all.push_back(e.routine);
      if (e.name[0] != '_' && e.name != "standby") routines.emplace_back(prefix + e.name, kind);
    }
  }
  ASSERT_EQ(routines.size(), 21u + 7u + 7u);
  // The same short name in several places carries its own routine each time.
  const std::set<abi::Routine> distinct(all.begin(), all.end());
  EXPECT_EQ(distinct.size(), all.size());
  EXPECT_EQ(distinct.count(nullptr), 0u);
  for (const auto& [path, kind] : routines) {
    for (std::size_t i = 0; i < wrongArguments().size(); ++i) {
      std::string error = twice(
          path + " #" + std::to_string(i), kind == 1,
          [&](const quenda::ValueRef& self) {
            std::string name = path.substr(path.find('.') + 1);
            return kind ? runtime.callMethod(self, name, wrongArguments()[i])
                        : runtime.call(path, wrongArguments()[i]);
          },
          i == 0);
      if (i == 0 && needs.count(path))
        EXPECT_EQ(error, "The minimal argument count is " + needs.at(path) + "!") << path;
    }
  }
  // The object protocol with values that are neither texts nor objects of the class.
  for (bool isFile : {true, false}) {
    for (quenda::ValueRef wrong : {runtime.number(7), runtime.list(), text("")}) {
      twice("_set", isFile, [&](const quenda::ValueRef& self) { return runtime.set(self, wrong); });
      twice("_fSet", isFile,
            [&](const quenda::ValueRef& self) { return runtime.fSet(self, wrong); });
      if (!isFile)
        twice("_add", false,
              [&](const quenda::ValueRef& self) { return runtime.add(self, wrong); });
    }
  }
}

}  // namespace
