// The three function tables, complete: their sizes, and every name in catalogue order as the
// host's reader walks them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "plugin/catalogue.h"
#include "runtime/runtime.h"

namespace {

std::vector<std::string> names(const std::vector<quenda::TableEntry>& entries) {
  std::vector<std::string> out;
  for (const auto& e : entries) {
    EXPECT_TRUE(e.kind == abi::kTableFunction || e.kind == abi::kTableGroup) << e.name;
    if (e.kind == abi::kTableFunction) {
      EXPECT_NE(e.routine, nullptr) << e.name;
    }
    out.push_back(e.name);
  }
  return out;
}

quenda::FunctionTable walk(zorvel::TableBytes table) {
  quenda::FunctionTable read = quenda::readFunctionTable(table.bytes, table.size);
  EXPECT_FALSE(read.error.has_value()) << read.error.value_or("");
  EXPECT_EQ(read.bytesRead, table.size);
  return read;
}

TEST(Catalogue, TheFileTableHas13FunctionsIn133Bytes) {
  EXPECT_EQ(zorvel::fileTable().size, 133u);
  EXPECT_EQ(names(walk(zorvel::fileTable()).entries),
            (std::vector<std::string>{"type", "name", "ext", "path", "rename", "copy", "rem",
                                      "_new", "_def", "_del", "_form", "_set", "_fSet"}));
}

TEST(Catalogue, TheFolderTableHas14FunctionsIn141Bytes) {
  EXPECT_EQ(zorvel::folderTable().size, 141u);
  EXPECT_EQ(names(walk(zorvel::folderTable()).entries),
            (std::vector<std::string>{"type", "name", "down", "up", "copy", "files", "exp", "_new",
                                      "_def", "_del", "_form", "_set", "_fSet", "_add"}));
}

TEST(Catalogue, TheRootTableHas4GroupsAnd22RoutinesIn252Bytes) {
  EXPECT_EQ(zorvel::rootTable().size, 252u);
  const auto root = walk(zorvel::rootTable()).entries;
  EXPECT_EQ(names(root),
            (std::vector<std::string>{"dir", "env", "clip", "run", "web", "link", "webLink",
                                      "selFile", "selFolder", "standby", "job"}));
  ASSERT_EQ(root.size(), 11u);
  EXPECT_EQ(names(root[0].entries), (std::vector<std::string>{"desk", "home", "docs", "progs", "up",
                                                              "down", "sel", "set", "get"}));
  EXPECT_EQ(names(root[1].entries), (std::vector<std::string>{"set", "get", "all", "showAll"}));
  EXPECT_EQ(names(root[2].entries), (std::vector<std::string>{"set", "get"}));
  EXPECT_EQ(root[10].kind, abi::kTableGroup);
  EXPECT_TRUE(root[10].entries.empty());
}

// The same short name in several places carries its own routine each time.
TEST(Catalogue, EveryRoutineAddressIsDistinct) {
  std::vector<abi::Routine> seen;
  auto collect = [&seen](auto& self, const std::vector<quenda::TableEntry>& entries) -> void {
    for (const auto& e : entries) {
      if (e.kind == abi::kTableFunction) seen.push_back(e.routine);
      self(self, e.entries);
    }
  };
  for (auto table : {zorvel::fileTable(), zorvel::folderTable(), zorvel::rootTable()})
    collect(collect, walk(table).entries);
  ASSERT_EQ(seen.size(), 13u + 14u + 22u);
  for (std::size_t i = 0; i < seen.size(); ++i)
    for (std::size_t j = i + 1; j < seen.size(); ++j) EXPECT_NE(seen[i], seen[j]) << i << " " << j;
}

}  // namespace
