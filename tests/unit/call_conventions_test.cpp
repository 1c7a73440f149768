// How routines take arguments, report a wrong call and give results, seen through the host
// runtime with routines of the test's own registered beside the library's.
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "common/heap_bytes.h"
#include "platform/memory.h"
#include "plugin/calls.h"
#include "plugin/function_table.h"
#include "plugin/module_state.h"
#include "plugin/routines.h"
#include "runtime/linked.h"
#include "runtime/runtime.h"

namespace {

using zorvel::TextVar;

ZV_ROUTINE(needsTwo) {
  TextVar first, second;
  if (!zorvel::takeTextArguments(first, second)) return zorvel::argumentCountError(2);
  first.append("+").append(second);
  return zorvel::giveText(first.c_str());
}

ZV_ROUTINE(needsOne) {
  TextVar first;
  if (!zorvel::takeTextArguments(first)) return zorvel::argumentCountError(1);
  return zorvel::kNoResult;
}

ZV_ROUTINE(refuses) { return zorvel::invalidArgumentsError(); }

ZV_ROUTINE(picks) { return zorvel::giveNumber(zorvel::askNumber()); }

ZV_ROUTINE(kindOfArgument) {
  abi::ValueRecord* value = zorvel::host::nextArgValue();
  if (!value) return zorvel::giveText("none");
  if (zorvel::isTextValue(value)) {
    TextVar t("text:");
    t.append(zorvel::firstWordText(value));
    return zorvel::giveText(t.c_str());
  }
  return zorvel::giveText("other");
}

constexpr zorvel::CatalogEntry kTestCatalog[] = {
    {abi::kTableGroup, "t", nullptr},
    {abi::kTableFunction, "needsTwo", needsTwo},
    {abi::kTableFunction, "needsOne", needsOne},
    {abi::kTableFunction, "refuses", refuses},
    {abi::kTableFunction, "picks", picks},
    {abi::kTableFunction, "kindOf", kindOfArgument},
    {abi::kTableEnd, nullptr, nullptr},
    {abi::kTableEnd, nullptr, nullptr},
};
unsigned char testTable[zorvel::functionTableSize(kTestCatalog, std::size(kTestCatalog))];

class CallConventions : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(runtime.bind(quenda::linkedLibrary()).ok());
    zorvel::writeFunctionTable(kTestCatalog, std::size(kTestCatalog), testTable, sizeof testTable);
    auto registerFunctions = reinterpret_cast<abi::RegisterFunctionsFn>(
        const_cast<void*>(runtime.slotTable()[abi::kRegisterFunctions]));
    registerFunctions(runtime.rootHandle(), testTable);
    runtime.clearSlotCalls();
  }
  int countOf(int slot) {
    const auto& calls = runtime.slotCalls();
    return static_cast<int>(std::count(calls.begin(), calls.end(), slot));
  }
  std::size_t textBytes() { return heapBytesInUse(zorvel::textHeap()); }
  quenda::Runtime runtime;
};

TEST_F(CallConventions, MissingFirstArgumentAsksOnceAndRaisesTheCountError) {
  std::size_t before = textBytes();
  quenda::Result r = runtime.call("t.needsTwo");
  ASSERT_FALSE(r.ok());
  EXPECT_EQ(*r.error, "The minimal argument count is 2!");
  EXPECT_EQ(countOf(abi::kNextArgText), 1);
  EXPECT_EQ(countOf(abi::kRaiseError), 1);
  EXPECT_EQ(textBytes(), before);
}

TEST_F(CallConventions, MissingSecondArgumentReleasesTheFirst) {
  std::size_t before = textBytes();
  quenda::Result r = runtime.call("t.needsTwo", {runtime.text(std::string(3000, 'a'))});
  ASSERT_FALSE(r.ok());
  EXPECT_EQ(*r.error, "The minimal argument count is 2!");
  EXPECT_EQ(countOf(abi::kNextArgText), 2);
  EXPECT_EQ(textBytes(), before);
}

TEST_F(CallConventions, AllArgumentsThereDoesTheWorkAndFetchesNoMore) {
  quenda::Result r =
      runtime.call("t.needsTwo", {runtime.text("a"), runtime.text("b"), runtime.text("c")});
  ASSERT_TRUE(r.ok()) << *r.error;
  EXPECT_EQ(r.value.text(), "a+b");
  EXPECT_EQ(countOf(abi::kNextArgText), 2);
}

TEST_F(CallConventions, TheMessagesAreExact) {
  EXPECT_EQ(*runtime.call("t.needsOne").error, "The minimal argument count is 1!");
  EXPECT_EQ(*runtime.call("t.refuses").error, "Invalid arguments specified.");
}

TEST_F(CallConventions, AskNumberAsksForIdAndEvaluatesACopy) {
  std::vector<std::string> labels;
  runtime.hooks().askText = [&](std::string_view label) -> std::optional<std::string> {
    labels.emplace_back(label);
    return std::string("12");
  };
  quenda::Result r = runtime.call("t.picks");
  ASSERT_TRUE(r.ok());
  EXPECT_EQ(r.value.number(), 12);
  EXPECT_EQ(labels, std::vector<std::string>{"id"});
  runtime.hooks().askText = [](std::string_view) -> std::optional<std::string> {
    return std::nullopt;
  };
  EXPECT_EQ(runtime.call("t.picks").value.number(), 0);
}

TEST_F(CallConventions, ValueArgumentsAreRecognisedByTheirTypeWord) {
  EXPECT_EQ(runtime.call("t.kindOf").value.text(), "none");
  EXPECT_EQ(runtime.call("t.kindOf", {runtime.text("x y")}).value.text(), "text:x y");
  EXPECT_EQ(runtime.call("t.kindOf", {runtime.number(3)}).value.text(), "other");
  EXPECT_EQ(runtime.call("t.kindOf", {runtime.list()}).value.text(), "other");
}

}  // namespace
