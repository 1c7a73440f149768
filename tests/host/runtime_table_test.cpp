// Reading function tables byte by byte, with and without a bound.
#include <gtest/gtest.h>

#include "runtime_fake_library.h"

namespace {

using quenda::FunctionTable;
using quenda::readFunctionTable;

abi::word ZV_STDCALL one() {
  return 1;
}
abi::word ZV_STDCALL two() {
  return 2;
}

TEST(RuntimeTable, FunctionsAndGroupsInOrderWithTheBytesRead) {
  auto bytes = fake::TableBuilder()
                   .group("dir")
                   .fn("get", one)
                   .fn("set", two)
                   .end()
                   .fn("run", one)
                   .group("job")
                   .end()
                   .end()
                   .bytes();
  FunctionTable t = readFunctionTable(bytes.data());
  ASSERT_FALSE(t.error) << *t.error;
  EXPECT_EQ(t.bytesRead, bytes.size());
  ASSERT_EQ(t.entries.size(), 3u);
  EXPECT_EQ(t.entries[0].kind, abi::kTableGroup);
  EXPECT_EQ(t.entries[0].name, "dir");
  ASSERT_EQ(t.entries[0].entries.size(), 2u);
  EXPECT_EQ(t.entries[0].entries[0].name, "get");
  EXPECT_EQ(t.entries[0].entries[0].routine, &one);
  EXPECT_EQ(t.entries[0].entries[1].routine, &two);
  EXPECT_EQ(t.entries[1].kind, abi::kTableFunction);
  EXPECT_EQ(t.entries[1].name, "run");
  // An empty group is a group with no entries, not the end of the table.
  EXPECT_EQ(t.entries[2].kind, abi::kTableGroup);
  EXPECT_EQ(t.entries[2].name, "job");
  EXPECT_TRUE(t.entries[2].entries.empty());
}

TEST(RuntimeTable, TruncatedTablesStopAtTheBoundAtEveryCut) {
  auto bytes = fake::TableBuilder().group("env").fn("get", one).end().fn("web", two).end().bytes();
  for (std::size_t cut = 0; cut < bytes.size(); ++cut) {
    // A copy of exactly `cut` bytes: reading one more would be seen by AddressSanitizer.
    std::vector<unsigned char> part(bytes.begin(), bytes.begin() + cut);
    auto* data = part.empty() ? reinterpret_cast<const unsigned char*>("") : part.data();
    FunctionTable t = readFunctionTable(data, cut);
    ASSERT_TRUE(t.error) << "cut " << cut;
    EXPECT_EQ(*t.error, "the table runs past its end at byte " + std::to_string(cut));
    EXPECT_EQ(t.bytesRead, cut);
  }
  EXPECT_FALSE(readFunctionTable(bytes.data(), bytes.size()).error);
}

TEST(RuntimeTable, MalformedTablesNameTheFaultAndWhere) {
  const unsigned char unknown[] = {2, 'a', 0, 1, 0, 0, 0, 9, 0};
  FunctionTable t = readFunctionTable(unknown);
  ASSERT_TRUE(t.error);
  EXPECT_EQ(*t.error, "unknown entry kind 9 at byte 7");
  EXPECT_EQ(t.entries.size(), 1u);  // what came before is kept for the message's sake

  const unsigned char nameless[] = {2, 0, 1, 0, 0, 0, 0};
  EXPECT_EQ(*readFunctionTable(nameless).error, "the entry at byte 0 has no name");

  std::vector<unsigned char> longName = {2};
  longName.insert(longName.end(), 1025, 'x');
  longName.insert(longName.end(), {0, 1, 0, 0, 0, 0});
  EXPECT_EQ(*readFunctionTable(longName.data()).error,
            "the name at byte 1 is longer than 1024 bytes");
  longName.erase(longName.begin() + 1);  // exactly 1024 bytes is fine
  EXPECT_FALSE(readFunctionTable(longName.data()).error);

  EXPECT_EQ(*readFunctionTable(nullptr).error, "no table");
}

TEST(RuntimeTable, GroupsNestUpToTheLimitAndNoDeeper) {
  auto nested = [](int depth) {
    fake::TableBuilder b;
    for (int i = 0; i < depth; ++i) b.group("g");
    b.fn("leaf", one);
    for (int i = 0; i <= depth; ++i) b.end();
    return b.bytes();
  };
  auto ok = nested(quenda::kMaxTableDepth);
  FunctionTable t = readFunctionTable(ok.data(), ok.size());
  ASSERT_FALSE(t.error) << *t.error;
  EXPECT_EQ(t.bytesRead, ok.size());
  auto deep = nested(quenda::kMaxTableDepth + 1);
  t = readFunctionTable(deep.data(), deep.size());
  ASSERT_TRUE(t.error);
  EXPECT_EQ(*t.error, "groups nest deeper than 16 levels at byte 48");
}

}  // namespace
