// Values that would contain themselves.
#include <gtest/gtest.h>

#include "runtime_fake_library.h"

namespace {

using quenda::Runtime;
using quenda::ValueRef;

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

}  // namespace
