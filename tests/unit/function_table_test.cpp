// The byte format of function tables, as the library writes it.
#include <gtest/gtest.h>

#include <cstdint>
#include <iterator>
#include <vector>

#include "plugin/catalogue.h"
#include "plugin/function_table.h"

namespace {

using zorvel::CatalogEntry;

abi::word ZV_STDCALL one() { return 1; }
abi::word ZV_STDCALL two() { return 2; }

std::vector<unsigned char> addressBytes(abi::Routine r) {
  auto a = static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(r));
  return {static_cast<unsigned char>(a), static_cast<unsigned char>(a >> 8),
          static_cast<unsigned char>(a >> 16), static_cast<unsigned char>(a >> 24)};
}

TEST(FunctionTable, FunctionsGroupsAndEndBytesWithoutPadding) {
  constexpr CatalogEntry entries[] = {
      {abi::kTableFunction, "type", one},
      {abi::kTableGroup, "g", nullptr},
      {abi::kTableFunction, "set", two},
      {abi::kTableEnd, nullptr, nullptr},
      {abi::kTableGroup, "job", nullptr},
      {abi::kTableEnd, nullptr, nullptr},
      {abi::kTableEnd, nullptr, nullptr},
  };
  static_assert(zorvel::functionTableSize(entries, std::size(entries)) ==
                10 + 3 + 9 + 1 + 5 + 1 + 1);
  std::vector<unsigned char> expected = {2, 't', 'y', 'p', 'e', 0};
  for (auto b : addressBytes(one)) expected.push_back(b);
  expected.insert(expected.end(), {1, 'g', 0, 2, 's', 'e', 't', 0});
  for (auto b : addressBytes(two)) expected.push_back(b);
  expected.insert(expected.end(), {0, 1, 'j', 'o', 'b', 0, 0, 0});

  std::vector<unsigned char> out(expected.size() + 8, 0xbd);
  EXPECT_EQ(zorvel::writeFunctionTable(entries, std::size(entries), out.data(), out.size()),
            expected.size());
  EXPECT_EQ(std::vector<unsigned char>(out.begin(), out.begin() + expected.size()), expected);
  for (std::size_t i = expected.size(); i < out.size(); ++i) EXPECT_EQ(out[i], 0xbd) << i;
}

TEST(FunctionTable, ATableThatDoesNotFitIsNotWrittenAtAll) {
  constexpr CatalogEntry entries[] = {{abi::kTableFunction, "name", one},
                                      {abi::kTableEnd, nullptr, nullptr}};
  std::vector<unsigned char> out(10, 0xbd);  // one byte short
  EXPECT_EQ(zorvel::writeFunctionTable(entries, std::size(entries), out.data(), out.size()), 0u);
  for (auto b : out) EXPECT_EQ(b, 0xbd);
}

TEST(FunctionTable, TheLibraryTablesEndWithTheirEndByte) {
  for (auto table : {zorvel::fileTable(), zorvel::folderTable(), zorvel::rootTable()}) {
    ASSERT_GT(table.size, 0u);
    EXPECT_EQ(table.bytes[table.size - 1], abi::kTableEnd);
  }
  // The root table closes with the empty group "job" and then the end byte.
  auto root = zorvel::rootTable();
  const unsigned char tail[] = {1, 'j', 'o', 'b', 0, 0, 0};
  ASSERT_GE(root.size, sizeof tail);
  EXPECT_EQ(std::vector<unsigned char>(root.bytes + root.size - sizeof tail, root.bytes + root.size),
            std::vector<unsigned char>(std::begin(tail), std::end(tail)));
}

}  // namespace

#include "runtime/runtime.h"

namespace {

TEST(FunctionTable, TheHostReadsTheRootTableAsFourGroupsEndingWithAnEmptyJob) {
  auto root = zorvel::rootTable();
  quenda::FunctionTable read = quenda::readFunctionTable(root.bytes, root.size);
  ASSERT_FALSE(read.error) << *read.error;
  EXPECT_EQ(read.bytesRead, root.size);
  std::vector<std::string> groups;
  for (const auto& e : read.entries)
    if (e.kind == abi::kTableGroup) groups.push_back(e.name);
  EXPECT_EQ(groups, (std::vector<std::string>{"dir", "env", "clip", "job"}));
  ASSERT_FALSE(read.entries.empty());
  EXPECT_EQ(read.entries.back().name, "job");
  EXPECT_TRUE(read.entries.back().entries.empty());
  for (const auto& e : read.entries) {
    if (e.kind == abi::kTableFunction) {
      EXPECT_NE(e.routine, nullptr) << e.name;
    }
    for (const auto& member : e.entries) {
      EXPECT_EQ(member.kind, abi::kTableFunction) << member.name;
      EXPECT_NE(member.routine, nullptr) << member.name;
    }
  }
}

TEST(FunctionTable, TheClassTablesHoldOnlyFunctions) {
  for (auto table : {zorvel::fileTable(), zorvel::folderTable()}) {
    quenda::FunctionTable read = quenda::readFunctionTable(table.bytes, table.size);
    ASSERT_FALSE(read.error) << *read.error;
    EXPECT_EQ(read.bytesRead, table.size);
    for (const auto& e : read.entries) EXPECT_EQ(e.kind, abi::kTableFunction) << e.name;
  }
}

}  // namespace
