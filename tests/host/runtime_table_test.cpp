// Reading function tables byte by byte, with and without a bound.
#include <gtest/gtest.h>

#include "runtime_fake_library.h"

namespace {

using quenda::FunctionTable;
using quenda::readFunctionTable;

abi::word ZV_STDCALL one() {
  return 1;
}

TEST(RuntimeTable, TruncatedTablesStopAtTheBoundAtEveryCut) {
  auto bytes = fake::TableBuilder().group("env").fn("get", one).end().fn("web", one).end().bytes();
  for (std::size_t cut = 0; cut < bytes.size(); ++cut) {
    // A copy of exactly `cut` bytes: reading one more would be seen by AddressSanitizer.
    std::vector<unsigned char> part(bytes.begin(), bytes.begin() + cut);
    auto* data = part.empty() ? reinterpret_cast<const unsigned char*>("") : part.data();
    FunctionTable t = readFunctionTable(data, cut);
    ASSERT_TRUE(t.error) << "cut " << cut;
    EXPECT_EQ(*t.error, "the table runs past its end at byte " + std::to_string(cut));
  }
  EXPECT_FALSE(readFunctionTable(bytes.data(), bytes.size()).error);
}

TEST(RuntimeTable, MalformedTablesNameTheFaultAndWhere) {
  const unsigned char unknown[] = {2, 'a', 0, 1, 0, 0, 0, 9, 0};
  EXPECT_EQ(*readFunctionTable(unknown).error, "unknown entry kind 9 at byte 7");
  const unsigned char nameless[] = {2, 0, 1, 0, 0, 0, 0};
  EXPECT_EQ(*readFunctionTable(nameless).error, "the entry at byte 0 has no name");
  EXPECT_EQ(*readFunctionTable(nullptr).error, "no table");

  // A name without its NUL stops at the longest name allowed; exactly that long is fine.
  std::vector<unsigned char> longName = {2};
  longName.insert(longName.end(), 1025, 'x');
  longName.insert(longName.end(), {0, 1, 0, 0, 0, 0});
  EXPECT_EQ(*readFunctionTable(longName.data()).error,
            "the name at byte 1 is longer than 1024 bytes");
  longName.erase(longName.begin() + 1);
  EXPECT_FALSE(readFunctionTable(longName.data()).error);

  auto nested = [](int depth) {
    fake::TableBuilder b;
    for (int i = 0; i < depth; ++i) b.group("g");
    b.fn("leaf", one);
    for (int i = 0; i <= depth; ++i) b.end();
    return b.bytes();
  };
  auto ok = nested(quenda::kMaxTableDepth);
  EXPECT_FALSE(readFunctionTable(ok.data(), ok.size()).error);
  auto deep = nested(quenda::kMaxTableDepth + 1);
  EXPECT_EQ(*readFunctionTable(deep.data(), deep.size()).error,
            "groups nest deeper than 16 levels at byte 48");
}

}  // namespace
