// Value records and data blocks, assignment, containment, and the text rules.
#include <gtest/gtest.h>

#include "runtime_fake_library.h"

namespace {

using quenda::Runtime;
using quenda::ValueRef;

// The library keeps pointers to data blocks (a job's refresh): assignment writes into them.
TEST(RuntimeValues, AssigningIntoAnExistingNumberOrTextKeepsItsDataBlock) {
  Runtime rt;
  ASSERT_TRUE(rt.define("job\\backup\\refresh", rt.number(100)).ok());
  void* block = rt.lookup("job.backup.refresh").record()->data;
  ASSERT_TRUE(rt.define("main\\job\\backup\\refresh", rt.number(7)).ok());
  EXPECT_EQ(rt.lookup("job\\backup\\refresh").record()->data, block);
  EXPECT_EQ(*static_cast<std::int32_t*>(block), 7);

  ValueRef n = rt.number(1);
  ASSERT_TRUE(rt.assign(n, rt.text("-15")).ok());
  EXPECT_FALSE(rt.assign(n, rt.text("2147483648")).ok());  // one past int32
  EXPECT_EQ(n.number(), -15);

  ValueRef t = rt.text("old");
  void* tBlock = t.record()->data;
  ASSERT_TRUE(rt.assign(t, rt.number(12)).ok());
  EXPECT_EQ(t.record()->data, tBlock);
  EXPECT_STREQ(*static_cast<const char* const*>(tBlock), "12");
}

TEST(RuntimeValues, NeitherAListNorAGroupEverContainsItself) {
  Runtime rt;
  ValueRef inner = rt.list({rt.text("b"), rt.number(2)});
  ValueRef outer = rt.list({rt.text("a"), inner});
  EXPECT_EQ(rt.form(outer).value.text(), "[a, [b, 2]]");
  EXPECT_EQ(*rt.assign(inner, outer).error, "a list cannot contain itself");
  EXPECT_EQ(inner.elements().size(), 2u);

  ASSERT_TRUE(rt.define("g\\h\\i", rt.number(1)).ok());
  EXPECT_EQ(*rt.define("g\\h\\inner", rt.lookup("g")).error,
            "the group 'g' cannot be placed inside itself");
}

TEST(RuntimeText, DecimalValuesAndMarkup) {
  const std::pair<const char*, std::int32_t> decimals[] = {{" -7\r\n", -7},
                                                           {"-2147483648", INT32_MIN},
                                                           {"2147483647", INT32_MAX},
                                                           {"2147483648", 0},
                                                           {"99999999999999999999", 0},
                                                           {"1 2", 0},
                                                           {"+1", 0},
                                                           {"-", 0},
                                                           {"", 0}};
  for (const auto& [text, value] : decimals) EXPECT_EQ(quenda::decimalValue(text), value) << text;

  const char* line = "$cyan$ 1 $gray$-$n$ [src]";
  EXPECT_EQ(quenda::stripMarkup(line), " 1 - [src]");
  EXPECT_EQ(quenda::ansiMarkup(line), "\x1b[36m 1 \x1b[90m-\x1b[0m [src]");
  EXPECT_EQ(quenda::ansiMarkup("$cyan$x"), "\x1b[36mx\x1b[0m");  // never leaves colour on
  EXPECT_EQ(quenda::stripMarkup("$5 $n"), "$5 $n");
  EXPECT_EQ(quenda::stripMarkup("$$n$$"), "$$");
}

}  // namespace
