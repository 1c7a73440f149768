// Calling a library's routines through the runtime: arguments, errors, results, objects, and
// the slots a routine uses to reach the host.
#include <gtest/gtest.h>

#include <functional>

#include "runtime_fake_library.h"

namespace {

using fake::slot;
using fake::state;
using fake::word;
using quenda::Kind;
using quenda::Result;
using quenda::Runtime;
using quenda::ValueRef;

abi::word ZV_STDCALL echo() {
  std::string text;
  if (!fake::nextText(text)) return fake::raise("The minimal argument count is 1!");
  return word(slot<abi::NewTextFn>(abi::kResultText)(text.c_str()));
}

abi::word ZV_STDCALL texts() {
  std::string text;
  while (fake::nextText(text)) state.seen.push_back(text);
  return 0;
}

abi::word ZV_STDCALL count() {
  abi::ValueRecord* v = reinterpret_cast<abi::ValueRecord*>(0xbdbdbdbd);
  std::int32_t n = 0;
  while (slot<abi::NextArgValueFn>(abi::kNextArgValue)(&v)) ++n;
  if (v != nullptr) return fake::raise("nextArgValue left its cell unset at the end");
  return word(slot<abi::ResultNumberFn>(abi::kResultNumber)(n));
}

abi::word ZV_STDCALL kinds() {
  abi::ValueRecord* list = slot<abi::NewListFn>(abi::kResultList)();
  auto append = slot<abi::ListAppendFn>(abi::kListAppend);
  append(list, slot<abi::NewTextFn>(abi::kNewText)("a"));
  append(list, slot<abi::NewListFn>(abi::kNewList)());
  abi::ValueRecord* thing = slot<abi::NewObjectFn>(abi::kNewObject)(state.thingClass);
  fake::assignText("p", &fake::thingOf(thing)->path);
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

abi::word ZV_STDCALL badWord() {
  return 0x1234;
}

abi::word ZV_STDCALL selfless() {
  return word(fake::self());
}

abi::word ZV_STDCALL twoErrors() {
  fake::raise("first");
  return fake::raise("second");
}

abi::word ZV_STDCALL ask() {
  std::string answer = slot<abi::AskTextFn>(abi::kAskText)("id", 0);
  return word(slot<abi::ResultNumberFn>(abi::kResultNumber)(
      slot<abi::EvalNumberFn>(abi::kEvalNumber)(answer.c_str())));
}

abi::word ZV_STDCALL say() {
  slot<abi::PrintLineFn>(abi::kPrintLine)(0, "$cyan$ 1 $gray$-$n$ x", 0);
  slot<abi::PrintLineFn>(abi::kPrintLine)(0, nullptr, 0);
  return 0;
}

abi::word ZV_STDCALL defineLauncher() {
  slot<abi::RunScriptFn>(abi::kRunScript)("main\\x(){\r\n  web(\"a\")\r\n}");
  return 0;
}

// Walks the job group as the scheduler does, running each action once.
abi::word ZV_STDCALL walk() {
  abi::word job = slot<abi::FindNamespaceFn>(abi::kFindNamespace)("job", -1);
  auto first = slot<abi::FirstMemberFn>(abi::kFirstMember);
  auto next = slot<abi::NextMemberFn>(abi::kNextMember);
  for (abi::MemberRecord* j = first(job); j; j = next(j)) {
    state.seen.push_back(j->name);
    abi::MemberRecord* action = nullptr;
    for (abi::MemberRecord* m = first(word(j)); m; m = next(m)) {
      state.seen.push_back(std::string("  ") + m->name);
      if (std::string(m->name) == "refresh") {
        state.heldNumber = static_cast<std::int32_t*>((*m->valueCell)->data);
      }
      if (std::string(m->name) == "action") action = m;
    }
    slot<abi::CallMemberFn>(abi::kCallMember)(action, -1, 0);
    if (state.heldNumber) state.seen.push_back(std::to_string(*state.heldNumber));
  }
  return 0;
}

abi::word ZV_STDCALL appendSelf() {
  abi::ValueRecord* list = slot<abi::NewListFn>(abi::kResultList)();
  slot<abi::ListAppendFn>(abi::kListAppend)(list, list);
  return word(list);
}

abi::word ZV_STDCALL badHandles() {
  auto* bogus = reinterpret_cast<abi::MemberRecord*>(0x1234);
  switch (state.seen.size()) {
    case 0:
      slot<abi::FirstMemberFn>(abi::kFirstMember)(0x1234);
      break;
    case 1:
      slot<abi::NextMemberFn>(abi::kNextMember)(bogus);
      break;
    case 2:
      slot<abi::CallMemberFn>(abi::kCallMember)(bogus, -1, 0);
      break;
    case 3:
      slot<abi::NewObjectFn>(abi::kNewObject)(0x1234);
      break;
    case 4:
      slot<abi::RegisterFunctionsFn>(abi::kRegisterFunctions)(0x1234, nullptr);
      break;
    case 5:
      slot<abi::CreateClassFn>(abi::kCreateClass)("x", 0x1234);
      break;
    case 6:
      slot<abi::AssignValueFn>(abi::kAssignValue)(reinterpret_cast<abi::ValueRecord*>(8), nullptr);
      break;
    case 7:
      slot<abi::NextArgTextFn>(abi::kNextArgText)(nullptr);
      break;
  }
  state.seen.push_back("x");
  return 0;
}

abi::word ZV_STDCALL quietWalk() {
  // findNamespace of a missing group is 0, and walking 0 or calling member 0 does nothing.
  abi::word none = slot<abi::FindNamespaceFn>(abi::kFindNamespace)("nothing", -1);
  if (slot<abi::FirstMemberFn>(abi::kFirstMember)(none)) return fake::raise("a member of 0");
  return slot<abi::CallMemberFn>(abi::kCallMember)(nullptr, -1, 0);
}

struct Script : quenda::ScriptFunction {
  std::function<Result(Runtime&, const std::vector<ValueRef>&)> body;
  explicit Script(std::function<Result(Runtime&, const std::vector<ValueRef>&)> b)
      : body(std::move(b)) {}
  Result call(Runtime& rt, const std::vector<ValueRef>& args) override { return body(rt, args); }
};

class RuntimeCalls : public ::testing::Test {
 protected:
  void SetUp() override {
    auto table = fake::TableBuilder()
                     .fn("echo", echo)
                     .fn("texts", texts)
                     .fn("count", count)
                     .fn("kinds", kinds)
                     .fn("leftovers", leftovers)
                     .fn("bad", badWord)
                     .fn("selfless", selfless)
                     .fn("twoErrors", twoErrors)
                     .fn("ask", ask)
                     .fn("say", say)
                     .fn("define", defineLauncher)
                     .fn("walk", walk)
                     .fn("appendSelf", appendSelf)
                     .fn("badHandles", badHandles)
                     .fn("quietWalk", quietWalk)
                     .group("job")
                     .end()
                     .end()
                     .bytes();
    Result r = rt.bind(fake::library(table));
    ASSERT_TRUE(r.ok()) << *r.error;
    baseline = rt.liveValueCount();
    rt.hooks().reportError = [this](std::string_view m) { reported.emplace_back(m); };
  }

  ValueRef thing(const char* path) {
    Result r = rt.newObject("thing", path);
    EXPECT_TRUE(r.ok());
    return r.value;
  }

  Runtime rt;
  std::size_t baseline = 0;
  std::vector<std::string> reported;
};

TEST_F(RuntimeCalls, TextArgumentsArriveAsTextsNumbersInDecimalObjectsThroughForm) {
  ValueRef t = thing("C:\\x\\y.txt");
  state.events.clear();
  ASSERT_TRUE(rt.call("texts", {rt.text("a"), rt.number(-5), t, rt.text("")}).ok());
  EXPECT_EQ(state.seen, (std::vector<std::string>{"a", "-5", "C:\\x\\y.txt", ""}));
  EXPECT_TRUE(state.events.empty());  // _form made no object and released none
}

TEST_F(RuntimeCalls, RaisedErrorsBecomeTheCallsResultAndTheFirstOneCounts) {
  Result r = rt.call("echo");
  ASSERT_FALSE(r.ok());
  EXPECT_EQ(*r.error, "The minimal argument count is 1!");
  EXPECT_FALSE(r.value);
  r = rt.call("twoErrors");
  EXPECT_EQ(*r.error, "first");
  r = rt.call("echo", {rt.text("fine")});  // an error does not stick to later calls
  ASSERT_TRUE(r.ok());
  EXPECT_EQ(r.value.text(), "fine");
}

TEST_F(RuntimeCalls, ResultsOfEachKindAreOwnedByTheCaller) {
  Result r = rt.call("kinds");
  ASSERT_TRUE(r.ok()) << *r.error;
  ASSERT_TRUE(r.value.is(Kind::List));
  const auto& e = r.value.elements();
  ASSERT_EQ(e.size(), 3u);
  EXPECT_EQ(e[0].text(), "a");
  EXPECT_TRUE(e[1].is(Kind::List));
  EXPECT_TRUE(e[1].elements().empty());
  EXPECT_TRUE(e[2].is(Kind::Object));
  EXPECT_EQ(e[2].objectPath(), "p");
  EXPECT_EQ(e[2].refCount(), 1);  // only the list holds it now
  EXPECT_EQ(rt.form(r.value).value.text(), "[a, [], p]");
  r = {};
  EXPECT_EQ(state.liveBlocks, 0);
  EXPECT_EQ(state.events.back(), "del:p");
}

TEST_F(RuntimeCalls, ValuesMadeButNotKeptAreFreedWhenTheCallEnds) {
  Result r = rt.call("leftovers");
  ASSERT_TRUE(r.ok()) << *r.error;
  EXPECT_FALSE(r.value);
  EXPECT_EQ(rt.liveValueCount(), baseline);
  EXPECT_EQ(state.liveBlocks, 0);
  EXPECT_EQ(state.events, (std::vector<std::string>{"new", "new", "del:", "del:"}));
}

TEST_F(RuntimeCalls, TheClassProtocolAssignsFormsAndAdds) {
  ValueRef t = thing("C:\\a");
  ASSERT_TRUE(rt.set(t, rt.text("C:\\b")).ok());
  EXPECT_EQ(t.objectPath(), "C:\\b");
  Result same = rt.assign(t, rt.number(5));  // _set ignores what it cannot use
  ASSERT_TRUE(same.ok());
  EXPECT_TRUE(same.value.same(t));
  EXPECT_EQ(t.objectPath(), "C:\\b");

  ValueRef variable = rt.text("before");
  void* block = variable.record()->data;
  ASSERT_TRUE(rt.assign(variable, t).ok());  // through _fSet and assignValue
  EXPECT_EQ(variable.text(), "C:\\b");
  EXPECT_EQ(variable.record()->data, block);

  Result sum = rt.add(t, rt.text("\\c.txt"));
  ASSERT_TRUE(sum.ok()) << *sum.error;
  EXPECT_EQ(sum.value.objectPath(), "C:\\b\\c.txt");
  EXPECT_EQ(rt.form(sum.value).value.text(), "C:\\b\\c.txt");
  Result named = rt.callMethod(sum.value, "name");
  EXPECT_EQ(named.value.text(), "C:\\b\\c.txt");
}

TEST_F(RuntimeCalls, WrongCallsAreClearErrors) {
  EXPECT_EQ(*rt.call("nope").error, "unknown name 'nope'");
  EXPECT_EQ(*rt.call("job").error, "'job' is a group: name one of its members");
  EXPECT_EQ(*rt.callMethod(rt.number(1), "name").error,
            "'name' needs an object, and this is a number");
  ValueRef t = thing("x");
  EXPECT_EQ(*rt.callMethod(t, "nope").error, "a thing object has no member 'nope'");
  EXPECT_EQ(*rt.callValue(rt.text("x")).error, "a text cannot be called");
  EXPECT_EQ(*rt.call("bad").error, "'bad' returned 0x00001234, which is not a value");
  EXPECT_EQ(*rt.call("selfless").error, "getSelf: the running routine has no object");
  EXPECT_EQ(*rt.call("thing.name").error, "'thing.name' needs a thing object");
  EXPECT_EQ(*rt.callValue(rt.lookup("thing.name"), {}, rt.number(1)).error,
            "'thing.name' needs a thing object");
  EXPECT_EQ(*rt.call("appendSelf").error, "listAppend: a list cannot contain itself");
}

TEST_F(RuntimeCalls, WordsThatAreNotHandlesAreRefusedByEverySlot) {
  std::vector<std::string> errors;
  for (int i = 0; i < 8; ++i) {
    Result r = rt.call("badHandles");
    errors.push_back(r.ok() ? "ok" : *r.error);
  }
  EXPECT_EQ(errors, (std::vector<std::string>{
                        "firstMember: 0x00001234 is neither a group nor a member",
                        "nextMember: 0x00001234 is not a member",
                        "callMember: 0x00001234 is not a member",
                        "newObject: 0x00001234 is not a class",
                        "registerFunctions: 0x00001234 is neither a namespace nor a class",
                        "createClass: 0x00001234 is not a namespace",
                        "assignValue: 0x00000008 is not a value",
                        "nextArgText: no text variable to store the argument in",
                    }));
  ASSERT_TRUE(rt.call("quietWalk").ok());
}

TEST_F(RuntimeCalls, AFailingActionIsReportedAndTheWalkGoesOn) {
  auto failing = std::make_shared<Script>(
      [](Runtime&, const std::vector<ValueRef>&) { return Result::fail("action broke"); });
  ASSERT_TRUE(rt.define("job\\a\\action", rt.function(failing, "action")).ok());
  ASSERT_TRUE(rt.define("job\\b\\action", rt.number(4)).ok());
  ASSERT_TRUE(rt.call("walk").ok());
  EXPECT_EQ(reported, (std::vector<std::string>{"action broke",
                                                "'job.b.action' is a number, not a function"}));
}

TEST_F(RuntimeCalls, ANumberBlockHeldByARoutineOutlivesItsReplacementDuringTheCall) {
  auto replace = std::make_shared<Script>([](Runtime& r, const std::vector<ValueRef>&) {
    return r.define("job\\a\\refresh", r.text("no longer a number"));
  });
  ASSERT_TRUE(rt.define("job\\a\\refresh", rt.number(9)).ok());
  ASSERT_TRUE(rt.define("job\\a\\action", rt.function(replace, "action")).ok());
  std::size_t before = rt.liveValueCount();
  ASSERT_TRUE(rt.call("walk").ok());  // reads the old block after the action replaced it
  EXPECT_EQ(state.seen.back(), "9");
  EXPECT_EQ(rt.lookup("job.a.refresh").text(), "no longer a number");
  EXPECT_EQ(rt.liveValueCount(), before);  // the old number went once the call ended
}

TEST_F(RuntimeCalls, RunScriptNeedsALanguageAndPassesItsErrorsOn) {
  EXPECT_EQ(*rt.call("define").error, "no language is attached");
  std::string source;
  rt.hooks().runScript = [&](std::string_view s) {
    source = s;
    return Result();
  };
  ASSERT_TRUE(rt.call("define").ok());
  EXPECT_EQ(source, "main\\x(){\r\n  web(\"a\")\r\n}");
  rt.hooks().runScript = [](std::string_view) { return Result::fail("line 1: bad name"); };
  EXPECT_EQ(*rt.call("define").error, "line 1: bad name");
}

TEST_F(RuntimeCalls, RecursionStopsAtTheDepthLimitWithAnError) {
  auto recurse = std::make_shared<Script>(
      [](Runtime& r, const std::vector<ValueRef>&) { return r.call("again"); });
  ASSERT_TRUE(rt.define("again", rt.function(recurse, "again")).ok());
  Result r = rt.call("again");
  ASSERT_FALSE(r.ok());
  EXPECT_EQ(*r.error, "calls nest deeper than 200 levels");
  EXPECT_EQ(rt.callDepth(), 0);
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
  EXPECT_TRUE(kept.is(Kind::Object));
  EXPECT_EQ(kept.objectPath(), "");  // its data went with the library's _del
  kept = {};
}

}  // namespace
