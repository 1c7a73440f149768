// Value records and data blocks, assignment, lists, and the namespace tree.
#include <gtest/gtest.h>

#include <set>

#include "runtime_fake_library.h"

namespace {

using quenda::Kind;
using quenda::Result;
using quenda::Runtime;
using quenda::ValueRef;

TEST(RuntimeValues, ReferencesCountAndTheLastOneFrees) {
  Runtime rt;
  std::size_t before = rt.liveValueCount();
  {
    ValueRef a = rt.text("x");
    ValueRef b = a;
    EXPECT_EQ(a.refCount(), 2);
    ValueRef c = std::move(b);
    EXPECT_EQ(a.refCount(), 2);
    EXPECT_FALSE(b);
    EXPECT_EQ(rt.liveValueCount(), before + 1);
  }
  EXPECT_EQ(rt.liveValueCount(), before);
}

TEST(RuntimeValues, AssigningIntoAnExistingNumberOrTextKeepsItsDataBlock) {
  Runtime rt;
  ASSERT_TRUE(rt.define("job\\backup\\refresh", rt.number(100)).ok());
  ValueRef refresh = rt.lookup("job.backup.refresh");
  void* block = refresh.record()->data;
  ASSERT_TRUE(rt.define("main\\job\\backup\\refresh", rt.number(7)).ok());
  EXPECT_EQ(rt.lookup("job\\backup\\refresh").record()->data, block);
  EXPECT_EQ(*static_cast<std::int32_t*>(block), 7);

  ValueRef n = rt.number(1);
  void* nBlock = n.record()->data;
  ASSERT_TRUE(rt.assign(n, rt.text("-15")).ok());
  EXPECT_EQ(n.number(), -15);
  EXPECT_EQ(n.record()->data, nBlock);

  ValueRef t = rt.text("old");
  void* tBlock = t.record()->data;
  ASSERT_TRUE(rt.assign(t, rt.number(12)).ok());
  EXPECT_EQ(t.text(), "12");
  EXPECT_EQ(t.record()->data, tBlock);
  EXPECT_STREQ(fake::textOf(t.record()), "12");
}

TEST(RuntimeValues, AssignmentThatCannotWorkSaysWhy) {
  Runtime rt;
  ValueRef n = rt.number(3);
  Result r = rt.assign(n, rt.text("12abc"));
  ASSERT_FALSE(r.ok());
  EXPECT_EQ(*r.error, "the text \"12abc\" is not a number");
  EXPECT_EQ(n.number(), 3);
  r = rt.assign(n, rt.text("2147483648"));  // one past int32
  ASSERT_FALSE(r.ok());
  EXPECT_EQ(*rt.assign(rt.root(), n).error, "a group cannot be assigned to");
  EXPECT_EQ(*rt.assign(n, rt.list()).error, "a list cannot be assigned to a number");
}

TEST(RuntimeValues, ListsShowTheirElementsAndNeverContainThemselves) {
  Runtime rt;
  ValueRef inner = rt.list({rt.text("b"), rt.number(2)});
  ValueRef outer = rt.list({rt.text("a"), inner});
  Result shown = rt.form(outer);
  ASSERT_TRUE(shown.ok());
  EXPECT_EQ(shown.value.text(), "[a, [b, 2]]");
  EXPECT_EQ(*static_cast<abi::word*>(outer.record()->data), 2u);  // word 0: the count

  Result r = rt.assign(inner, outer);  // inner would hold outer, which holds inner
  ASSERT_FALSE(r.ok());
  EXPECT_EQ(*r.error, "a list cannot contain itself");
  EXPECT_EQ(inner.elements().size(), 2u);
}

TEST(RuntimeNamespaces, DefineMakesGroupsAndKeepsDefinitionOrder) {
  Runtime rt;
  ASSERT_TRUE(rt.define("b", rt.number(1)).ok());
  ASSERT_TRUE(rt.define("a\\x", rt.text("t")).ok());
  ASSERT_TRUE(rt.define("c", rt.number(3)).ok());
  ASSERT_TRUE(rt.define("b", rt.text("now text")).ok());  // keeps its place
  auto members = rt.members(rt.root());
  ASSERT_EQ(members.size(), 3u);
  EXPECT_EQ(members[0].first, "b");
  EXPECT_TRUE(members[0].second.is(Kind::Text));
  EXPECT_EQ(members[1].first, "a");
  EXPECT_TRUE(members[1].second.is(Kind::Group));
  EXPECT_EQ(rt.lookup("a.x").text(), "t");
  EXPECT_EQ(rt.lookup("main\\a\\x").text(), "t");
  EXPECT_FALSE(rt.lookup("a.y"));
  EXPECT_FALSE(rt.lookup("b.y"));
  EXPECT_FALSE(rt.lookup(""));
  EXPECT_TRUE(rt.lookup("main").same(rt.root()));
}

TEST(RuntimeNamespaces, BadPathsAreRefusedWithTheirReason) {
  Runtime rt;
  ASSERT_TRUE(rt.define("n", rt.number(1)).ok());
  EXPECT_EQ(*rt.define("n\\x", rt.number(2)).error, "'n' is a number, not a group");
  EXPECT_EQ(*rt.define("a..b", rt.number(2)).error, "the path 'a..b' has an empty name");
  EXPECT_EQ(*rt.define("main", rt.number(2)).error, "no name to define in 'main'");
  EXPECT_FALSE(rt.lookup("a"));  // nothing was made on the way
  ASSERT_TRUE(rt.define("g\\h\\i", rt.number(1)).ok());
  EXPECT_EQ(*rt.define("g\\h\\inner", rt.lookup("g")).error,
            "the group 'g' cannot be placed inside itself");
}

TEST(RuntimeNamespaces, NamesListRootGroupsAndClassMembers) {
  Runtime rt;
  ASSERT_TRUE(rt.bind(fake::library(fake::TableBuilder()
                                        .group("dir")
                                        .fn("get", fake::noRoutine)
                                        .end()
                                        .fn("run", fake::noRoutine)
                                        .end()
                                        .bytes()))
                  .ok());
  std::vector<std::string> paths;
  for (const auto& n : rt.names()) paths.push_back(n.path + ":" + quenda::kindName(n.kind));
  std::vector<std::string> expected = {
      "thing:class",         "thing._new:routine", "thing._def:routine",  "thing._del:routine",
      "thing._form:routine", "thing._set:routine", "thing._fSet:routine", "thing._add:routine",
      "thing.name:routine",  "dir:group",          "dir.get:routine",     "run:routine"};
  EXPECT_EQ(paths, expected);
}

TEST(RuntimeText, DecimalValuesAndMarkup) {
  EXPECT_EQ(quenda::decimalValue("12"), 12);
  EXPECT_EQ(quenda::decimalValue("-7"), -7);
  EXPECT_EQ(quenda::decimalValue(" 3\r\n"), 3);
  EXPECT_EQ(quenda::decimalValue("-2147483648"), INT32_MIN);
  EXPECT_EQ(quenda::decimalValue("2147483647"), INT32_MAX);
  EXPECT_EQ(quenda::decimalValue("2147483648"), 0);
  EXPECT_EQ(quenda::decimalValue("99999999999999999999"), 0);
  EXPECT_EQ(quenda::decimalValue("1 2"), 0);
  EXPECT_EQ(quenda::decimalValue("+1"), 0);
  EXPECT_EQ(quenda::decimalValue("-"), 0);
  EXPECT_EQ(quenda::decimalValue(""), 0);
  EXPECT_EQ(quenda::decimalValue("x"), 0);

  const char* line = "$cyan$ 1 $gray$-$n$ [src]";
  EXPECT_EQ(quenda::stripMarkup(line), " 1 - [src]");
  EXPECT_EQ(quenda::ansiMarkup(line), "\x1b[36m 1 \x1b[90m-\x1b[0m [src]");
  EXPECT_EQ(quenda::ansiMarkup("$cyan$x"), "\x1b[36mx\x1b[0m");  // never leaves colour on
  EXPECT_EQ(quenda::stripMarkup("$5 $n"), "$5 $n");
  EXPECT_EQ(quenda::stripMarkup("$$n$$"), "$$");
}

}  // namespace
