// The runtime's side of the binary interface: the function tables a library registers, the
// slots its routines call, binding and loading it, and the values and objects it hands over.
#include <gtest/gtest.h>

#include "platform/sim/sim.h"
#include "runtime/linked.h"
#include "runtime_fake_library.h"

namespace {

using fake::slot;
using fake::word;
using quenda::readFunctionTable;
using quenda::Runtime;
using quenda::ValueRef;

abi::word ZV_STDCALL one() {
  return 1;
}

TEST(RuntimeTable, TruncatedTablesStopAtTheBoundAtEveryCut) {
  auto bytes = fake::TableBuilder().group("env").fn("get", one).end().fn("web", one).end().bytes();
  for (std::size_t cut = 0; cut < bytes.size(); ++cut) {
    // A copy of exactly `cut` bytes: reading one more would be seen by AddressSanitizer.
    std::vector<unsigned char> part(bytes.begin(), bytes.begin() + cut);
    auto* data = part.empty() ? reinterpret_cast<const unsigned char*>("") : part.data();
    EXPECT_EQ(readFunctionTable(data, cut).error,
              "the table runs past its end at byte " + std::to_string(cut));
  }
  EXPECT_FALSE(readFunctionTable(bytes.data(), bytes.size()).error);
}

TEST(RuntimeTable, MalformedTablesNameTheFaultAndWhere) {
  const unsigned char nameless[] = {2, 0, 1, 0, 0, 0, 0};
  EXPECT_EQ(readFunctionTable(nameless).error, "the entry at byte 0 has no name");
  EXPECT_EQ(readFunctionTable(nullptr).error, "no table");

  // A name without its NUL stops at the longest name allowed; exactly that long is fine.
  std::vector<unsigned char> longName = {2};
  longName.insert(longName.end(), 1025, 'x');
  longName.insert(longName.end(), {0, 1, 0, 0, 0, 0});
  EXPECT_EQ(readFunctionTable(longName.data()).error,
            "the name at byte 1 is longer than 1024 bytes");
  longName.erase(longName.begin() + 1);
  EXPECT_FALSE(readFunctionTable(longName.data()).error);

  // Groups nest as deep as the bound, and no deeper.
  for (int depth : {quenda::kMaxTableDepth, quenda::kMaxTableDepth + 1}) {
    fake::TableBuilder b;
    for (int i = 0; i < depth; ++i) b.group("g");
    b.fn("leaf", one);
    for (int i = 0; i <= depth; ++i) b.end();
    EXPECT_EQ(
        readFunctionTable(b.bytes().data(), b.bytes().size()).error.value_or("read"),
        depth > quenda::kMaxTableDepth ? "groups nest deeper than 16 levels at byte 48" : "read");
  }
}

// What `poke` does in its next call: one slot given what it does not take, or a rule broken.
struct Poke {
  const char* what;
  abi::word (*poke)();
  const char* error;  // nullptr: the call succeeds
};
auto* const kBogus = reinterpret_cast<abi::MemberRecord*>(0x1234);
auto* const kBogusValue = reinterpret_cast<abi::ValueRecord*>(0x1234);
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
     [] { return slot<abi::AssignValueFn>(abi::kAssignValue)(kBogusValue, nullptr); },
     "assignValue: 0x00001234 is not a value"},
    {"nextArgText", [] { return slot<abi::NextArgTextFn>(abi::kNextArgText)(nullptr); },
     "nextArgText: no text variable to store the argument in"},
    {"a list into itself",
     [] {
       abi::ValueRecord* list = slot<abi::NewListFn>(abi::kResultList)();
       slot<abi::ListAppendFn>(abi::kListAppend)(list, list);
       return word(list);
     },
     "listAppend: a list cannot contain itself"},
    {"getSelf outside a method", [] { return word(slot<abi::GetSelfFn>(abi::kGetSelf)()); },
     "getSelf: the running routine has no object"},
    {"a slot the host leaves out", [] { return slot<abi::StandingFn>(100)(); },
     "host slot 100 is not implemented"},
    {"a word that is no value", [] { return abi::word(0x1234); },
     "'poke' returned 0x00001234, which is not a value"},
    // A group that is not there is 0, and walking 0 or calling member 0 does nothing; no error
    // of the calls before sticks.
    {"nothing to walk",
     [] {
       abi::word none = slot<abi::FindNamespaceFn>(abi::kFindNamespace)("nothing", -1);
       if (slot<abi::FirstMemberFn>(abi::kFirstMember)(none))
         return slot<abi::RaiseErrorFn>(abi::kRaiseError)("0 has members");
       return slot<abi::CallMemberFn>(abi::kCallMember)(nullptr, -1, 0);
     },
     nullptr},
};
std::size_t nextPoke = 0;
abi::word ZV_STDCALL poke() {
  return kPokes[nextPoke].poke();
}

TEST(RuntimeCalls, WordsThatAreNotHandlesAndBrokenRulesAreRefusedByEverySlot) {
  Runtime rt;
  ASSERT_TRUE(rt.bind(fake::library(fake::TableBuilder().fn("poke", poke).end().bytes())).ok());
  std::size_t baseline = rt.liveValueCount();
  for (nextPoke = 0; nextPoke < std::size(kPokes); ++nextPoke) {
    const Poke& p = kPokes[nextPoke];
    SCOPED_TRACE(p.what);
    auto r = rt.call("poke");
    EXPECT_EQ(r.ok() ? "ok" : *r.error, p.error ? p.error : "ok");
    EXPECT_TRUE(r.ok() || !r.value);
  }
  EXPECT_EQ(rt.liveValueCount(), baseline);
  // The runtime's own assignment keeps the rule too.
  ValueRef inner = rt.list({rt.number(2)});
  EXPECT_EQ(rt.assign(inner, rt.list({inner})).error, "a list cannot contain itself");
}

// The library's own classes: a method refuses the wrong object, and objects that outlive the
// runtime have their data released by the library while it is still there.
TEST(RuntimeObjects, AMethodNeedsAnObjectOfItsClassAndObjectsEndWithTheRuntime) {
  platform::sim::reset();
  ValueRef kept;
  {
    Runtime rt;
    ASSERT_TRUE(rt.bind(quenda::linkedLibrary()).ok());
    EXPECT_EQ(*rt.callValue(rt.lookup("file.name"), {}, rt.number(1)).error,
              "'file.name' needs a file object");
    ASSERT_TRUE(rt.define("stored", rt.newObject("file", "C:\\in\\the namespace").value).ok());
    kept = rt.newObject("file", "C:\\outside").value;
    EXPECT_EQ(kept.objectPath(), "C:\\outside");
  }
  EXPECT_EQ(kept.objectPath(), "");
}

// Objects whose _new and _del are calls of their own, made in one call and released as it
// ends: each _del runs in a frame above the ended call's and sees its own object.
namespace things {
abi::word handle = 0;
int count = 0, made = 0, released = 0, strangers = 0;
abi::word ZV_STDCALL thingNew() {
  abi::ValueRecord* self = slot<abi::GetSelfFn>(abi::kGetSelf)();
  self->data = new abi::ValueRecord*(self);  // a data block that names its object
  ++made;
  return 0;
}
abi::word ZV_STDCALL thingDel() {
  abi::ValueRecord* self = slot<abi::GetSelfFn>(abi::kGetSelf)();
  auto* block = static_cast<abi::ValueRecord**>(slot<abi::GetSelfDataFn>(abi::kGetSelfData)());
  if (!block || *block != self) ++strangers;
  // A _del that makes a value of its own while the ended call's values are still going.
  if (!slot<abi::NewTextFn>(abi::kNewText)("during _del")) ++strangers;
  delete block;
  ++released;
  return 0;
}
abi::word ZV_STDCALL makeMany() {
  for (int i = 0; i < count; ++i) slot<abi::NewObjectFn>(abi::kNewObject)(handle);
  return 0;
}
abi::word ZV_STDCALL initWithThings() {
  fake::initLibrary();
  abi::word root = slot<abi::StandingFn>(abi::kGetRootNamespace)();
  handle = slot<abi::CreateClassFn>(abi::kCreateClass)("thing", root);
  static const std::vector<unsigned char> table =
      fake::TableBuilder().fn("_new", thingNew).fn("_del", thingDel).end().bytes();
  return slot<abi::RegisterFunctionsFn>(abi::kRegisterFunctions)(handle, table.data());
}
}  // namespace things

TEST(RuntimeObjects, ObjectsMadeInACallAreReleasedAsItEndsEachByItsOwnDel) {
  Runtime rt;
  quenda::LibraryExports exports =
      fake::library(fake::TableBuilder().fn("makeMany", things::makeMany).end().bytes());
  exports.initLibrary = things::initWithThings;
  ASSERT_TRUE(rt.bind(exports).ok());
  std::size_t baseline = rt.liveValueCount();
  // A few, then more than a call keeps room for, then a few again in the frames left over.
  for (int count : {10, 100, 10}) {
    things::count = count;
    things::made = things::released = things::strangers = 0;
    ASSERT_TRUE(rt.call("makeMany").ok());
    EXPECT_EQ(things::made, count);
    EXPECT_EQ(things::released, count);
    EXPECT_EQ(things::strangers, 0);
    EXPECT_EQ(rt.liveValueCount(), baseline);
  }
}

TEST(RuntimeLoad, LoadsAModuleByPathAndLetsGoOfItAtTheEndOrOnAMissingExport) {
  platform::sim::reset();
  fake::library(fake::TableBuilder().fn("hello", one).end().bytes());
  platform::sim::addModule("plugin-under-test.dll",
                           {{"QuendaGetFunctions", reinterpret_cast<void*>(&fake::getFunctions)},
                            {"InitLibrary", reinterpret_cast<void*>(&fake::initLibrary)},
                            {"FileClass", reinterpret_cast<void*>(&fake::noClass)},
                            {"FolderClass", reinterpret_cast<void*>(&fake::noClass)}});
  platform::sim::addModule("half.dll",
                           {{"QuendaGetFunctions", reinterpret_cast<void*>(&fake::getFunctions)},
                            {"InitLibrary", reinterpret_cast<void*>(&fake::initLibrary)}});
  {
    Runtime rt;
    EXPECT_EQ(*rt.load("half.dll").error,
              "'half.dll' is not a plug-in: it has no export FileClass");
    EXPECT_EQ(platform::sim::openHandles(), "");
    ASSERT_EQ(rt.load("C:\\plugins\\Plugin-Under-Test.DLL").error, std::nullopt);
    EXPECT_TRUE(rt.lookup("hello").is(quenda::Kind::Routine));
    EXPECT_EQ(*rt.load("half.dll").error, "a library is already bound to this runtime");
    EXPECT_EQ(platform::sim::openHandles(), "module PLUGIN-UNDER-TEST.DLL");
  }
  EXPECT_EQ(platform::sim::openHandles(), "");
  fake::library({7});  // a plug-in whose table is broken
  EXPECT_EQ(*Runtime().load("plugin-under-test.dll").error,
            "binding the library: registerFunctions: unknown entry kind 7 at byte 0");
  EXPECT_EQ(platform::sim::openHandles(), "");
  platform::sim::removeModule("plugin-under-test.dll");
  platform::sim::removeModule("half.dll");
}

}  // namespace
