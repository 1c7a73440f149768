// Calling a library's routines through the runtime: arguments, errors, results, objects, and
// the slots a routine uses to reach the host.
#include <gtest/gtest.h>

#include <functional>

#include "runtime_fake_library.h"

namespace {

using fake::slot;
using fake::state;
using fake::word;
using quenda::Result;
using quenda::Runtime;
using quenda::ValueRef;

abi::word ZV_STDCALL kinds() {
  abi::ValueRecord* list = slot<abi::NewListFn>(abi::kResultList)();
  auto append = slot<abi::ListAppendFn>(abi::kListAppend);
  append(list, slot<abi::NewTextFn>(abi::kNewText)("a"));
  append(list, slot<abi::NewListFn>(abi::kNewList)());
  abi::ValueRecord* thing = slot<abi::NewObjectFn>(abi::kNewObject)(state.thingClass);
  fake::assignText("p", &fake::pathOf(thing));
  append(list, thing);
  return word(list);
}

abi::word ZV_STDCALL leftovers() {
  slot<abi::NewTextFn>(abi::kNewText)("orphan");
  slot<abi::NewListFn>(abi::kNewList)();
  slot<abi::NewObjectFn>(abi::kNewObject)(state.thingClass);
  slot<abi::ResultNumberFn>(abi::kResultNumber)(5);
  slot<abi::NewObjectFn>(abi::kResultObject)(state.thingClass);
  return 0;
}

// Walks the job group as the scheduler does, holding each job's refresh block across its action.
abi::word ZV_STDCALL walk() {
  abi::word job = slot<abi::FindNamespaceFn>(abi::kFindNamespace)("job", -1);
  auto first = slot<abi::FirstMemberFn>(abi::kFirstMember);
  auto next = slot<abi::NextMemberFn>(abi::kNextMember);
  for (abi::MemberRecord* j = first(job); j; j = next(j)) {
    abi::MemberRecord* action = nullptr;
    std::int32_t* refresh = nullptr;
    for (abi::MemberRecord* m = first(word(j)); m; m = next(m)) {
      if (std::string(m->name) == "refresh") {
        refresh = static_cast<std::int32_t*>((*m->valueCell)->data);
      }
      if (std::string(m->name) == "action") action = m;
    }
    slot<abi::CallMemberFn>(abi::kCallMember)(action, -1, 0);
    if (refresh) state.seen.push_back(std::to_string(*refresh));
  }
  return 0;
}

// What `poke` does in its next call: one slot given what it does not take, or a rule broken.
struct Poke {
  const char* what;
  abi::word (*poke)();
  const char* error;  // nullptr: the call succeeds
};
auto* const kBogus = reinterpret_cast<abi::MemberRecord*>(0x1234);
const Poke kPokes[] = {
    {"firstMember", [] { return word(slot<abi::FirstMemberFn>(abi::kFirstMember)(0x1234)); },
     "firstMember: 0x00001234 is neither a group nor a member"},
    {"nextMember", [] { return word(slot<abi::NextMemberFn>(abi::kNextMember)(kBogus)); },
     "nextMember: 0x00001234 is not a member"},
    {"callMember", [] { return slot<abi::CallMemberFn>(abi::kCallMember)(kBogus, -1, 0); },
     "callMember: 0x00001234 is not a member"},
    {"newObject", [] { return word(slot<abi::NewObjectFn>(abi::kNewObject)(0x1234)); },
     "newObject: 0x00001234 is not a class"},
    {"registerFunctions",
     [] { return slot<abi::RegisterFunctionsFn>(abi::kRegisterFunctions)(0x1234, nullptr); },
     "registerFunctions: 0x00001234 is neither a namespace nor a class"},
    {"createClass", [] { return slot<abi::CreateClassFn>(abi::kCreateClass)("x", 0x1234); },
     "createClass: 0x00001234 is not a namespace"},
    {"assignValue",
     [] {
       auto* eight = reinterpret_cast<abi::ValueRecord*>(8);
       return abi::word(slot<abi::AssignValueFn>(abi::kAssignValue)(eight, nullptr));
     },
     "assignValue: 0x00000008 is not a value"},
    {"nextArgText", [] { return slot<abi::NextArgTextFn>(abi::kNextArgText)(nullptr); },
     "nextArgText: no text variable to store the argument in"},
    {"a list into itself",
     [] {
       abi::ValueRecord* list = slot<abi::NewListFn>(abi::kResultList)();
       slot<abi::ListAppendFn>(abi::kListAppend)(list, list);
       return word(list);
     },
     "listAppend: a list cannot contain itself"},
    {"getSelf outside a method", [] { return word(fake::self()); },
     "getSelf: the running routine has no object"},
    {"a word that is no value", [] { return abi::word(0x1234); },
     "'poke' returned 0x00001234, which is not a value"},
    // A group that is not there is 0, and walking 0 or calling member 0 does nothing; no error
    // of the calls before sticks.
    {"nothing to walk",
     [] {
       abi::word none = slot<abi::FindNamespaceFn>(abi::kFindNamespace)("nothing", -1);
       if (slot<abi::FirstMemberFn>(abi::kFirstMember)(none)) return fake::raise("a member of 0");
       return slot<abi::CallMemberFn>(abi::kCallMember)(nullptr, -1, 0);
     },
     nullptr},
};
std::size_t nextPoke = 0;
abi::word ZV_STDCALL poke() {
  return kPokes[nextPoke].poke();
}

struct Script : quenda::ScriptFunction {
  std::function<Result(Runtime&)> body;
  explicit Script(std::function<Result(Runtime&)> b) : body(std::move(b)) {}
  Result call(Runtime& rt, const std::vector<ValueRef>&) override { return body(rt); }
};

class RuntimeCalls : public ::testing::Test {
 protected:
  void SetUp() override {
    auto table = fake::TableBuilder()
                     .fn("kinds", kinds)
                     .fn("leftovers", leftovers)
                     .fn("walk", walk)
                     .fn("poke", poke)
                     .group("job")
                     .end()
                     .end()
                     .bytes();
    Result r = rt.bind(fake::library(table));
    ASSERT_TRUE(r.ok()) << *r.error;
    baseline = rt.liveValueCount();
  }

  Runtime rt;
  std::size_t baseline = 0;
};

TEST_F(RuntimeCalls, ResultsOfEachKindAreOwnedByTheCallerAndTheRestIsFreed) {
  Result r = rt.call("kinds");
  ASSERT_TRUE(r.ok()) << *r.error;
  EXPECT_EQ(rt.form(r.value).value.text(), "[a, [], p]");
  EXPECT_EQ(r.value.elements()[2].refCount(), 1);  // only the list holds the object now
  r = {};
  EXPECT_EQ(state.liveBlocks, 0);

  r = rt.call("leftovers");
  ASSERT_TRUE(r.ok()) << *r.error;
  EXPECT_FALSE(r.value);
  EXPECT_EQ(rt.liveValueCount(), baseline);
  EXPECT_EQ(state.liveBlocks, 0);
}

TEST_F(RuntimeCalls, WordsThatAreNotHandlesAndBrokenRulesAreRefusedByEverySlot) {
  for (nextPoke = 0; nextPoke < std::size(kPokes); ++nextPoke) {
    const Poke& p = kPokes[nextPoke];
    SCOPED_TRACE(p.what);
    Result r = rt.call("poke");
    EXPECT_EQ(r.ok() ? "ok" : *r.error, p.error ? p.error : "ok");
    EXPECT_TRUE(r.ok() || !r.value);
  }
  EXPECT_EQ(rt.liveValueCount(), baseline);
}

TEST_F(RuntimeCalls, AMethodNeedsAnObjectOfItsClass) {
  EXPECT_EQ(*rt.call("thing.name").error, "'thing.name' needs a thing object");
  EXPECT_EQ(*rt.callValue(rt.lookup("thing.name"), {}, rt.number(1)).error,
            "'thing.name' needs a thing object");
}

TEST_F(RuntimeCalls, ANumberBlockHeldByARoutineOutlivesItsReplacementDuringTheCall) {
  auto replace = std::make_shared<Script>(
      [](Runtime& r) { return r.define("job\\a\\refresh", r.text("no longer a number")); });
  ASSERT_TRUE(rt.define("job\\a\\refresh", rt.number(9)).ok());
  ASSERT_TRUE(rt.define("job\\a\\action", rt.function(replace, "action")).ok());
  std::size_t before = rt.liveValueCount();
  ASSERT_TRUE(rt.call("walk").ok());  // reads the old block after the action replaced it
  EXPECT_EQ(state.seen, std::vector<std::string>{"9"});
  EXPECT_EQ(rt.lookup("job.a.refresh").text(), "no longer a number");
  EXPECT_EQ(rt.liveValueCount(), before);  // the old number went once the call ended
}

TEST(RuntimeTeardown, ObjectsHeldPastTheRuntimeAreReleasedByTheLibraryInTime) {
  ValueRef kept;
  {
    Runtime rt;
    ASSERT_TRUE(rt.bind(fake::library(fake::TableBuilder().end().bytes())).ok());
    ASSERT_TRUE(rt.define("stored", rt.newObject("thing", "in the namespace").value).ok());
    kept = rt.newObject("thing", "outside").value;
    EXPECT_EQ(state.liveBlocks, 2);
  }
  EXPECT_EQ(state.liveBlocks, 0);
  EXPECT_EQ(kept.objectPath(), "");  // its data went with the library's _del
}

}  // namespace
