// The slot table, standing values, the record of slot calls, and binding a library.
#include <gtest/gtest.h>

#include <set>

#include "platform/sim/sim.h"
#include "runtime/slots.h"
#include "runtime_fake_library.h"

namespace {

using quenda::Kind;
using quenda::Result;
using quenda::Runtime;

abi::word ZV_STDCALL callUnimplemented() {
  return fake::slot<abi::StandingFn>(50)();  // slot 50 is not one the library uses
}

TEST(RuntimeSlots, EveryEntryIsCallableAndOnlyTheUsedSlotsDoWork) {
  Runtime rt;
  const void* const* table = rt.slotTable();
  std::set<const void*> distinct;
  const std::set<int> used = {14, 15, 27,  28,  29,  57,  62,  68,  69,  73,  74,  79, 80,
                              91, 97, 109, 111, 113, 119, 152, 154, 156, 161, 163, 180};
  for (int i = 0; i < abi::kSlotCount; ++i) {
    ASSERT_NE(table[i], nullptr) << "slot " << i;
    distinct.insert(table[i]);
    bool expected = i < abi::kStandingValueCount || used.count(i);
    EXPECT_EQ(quenda::slotImplemented(i), expected) << "slot " << i;
  }
  // Each unimplemented slot has an address of its own, so it can name itself in its error.
  EXPECT_EQ(distinct.size(), static_cast<std::size_t>(abi::kSlotCount));
}

TEST(RuntimeSlots, AnUnimplementedSlotRaisesAnErrorNamingItsNumber) {
  Runtime rt;
  ASSERT_TRUE(
      rt.bind(fake::library(fake::TableBuilder().fn("odd", callUnimplemented).end().bytes())).ok());
  Result r = rt.call("odd");
  ASSERT_FALSE(r.ok());
  EXPECT_EQ(*r.error, "host slot 50 is not implemented");

  // Each of them, called directly outside any call, reports instead of crashing.
  std::vector<std::string> reported;
  rt.hooks().reportError = [&](std::string_view m) { reported.emplace_back(m); };
  for (int i = 0; i < abi::kSlotCount; ++i) {
    if (quenda::slotImplemented(i)) continue;
    reinterpret_cast<abi::StandingFn>(const_cast<void*>(rt.slotTable()[i]))();
  }
  ASSERT_EQ(reported.size(), 181u - 14u - 25u);
  EXPECT_EQ(reported.front(), "host slot 16 is not implemented");
  EXPECT_EQ(reported.back(), "host slot 179 is not implemented");
}

TEST(RuntimeSlots, StandingValuesAreFixedNonzeroAndNameTheRootAndTheTextType) {
  Runtime rt;
  ASSERT_TRUE(rt.bind(fake::library(fake::TableBuilder().end().bytes())).ok());
  std::set<abi::word> values;
  for (int i = 0; i < abi::kStandingValueCount; ++i) {
    EXPECT_NE(fake::state.standing[i], 0u) << i;
    EXPECT_EQ(fake::state.standing[i], rt.standingValue(i)) << i;
    values.insert(fake::state.standing[i]);
  }
  EXPECT_EQ(values.size(), 14u);
  EXPECT_EQ(fake::state.standing[abi::kGetRootNamespace], rt.rootHandle());
  EXPECT_EQ(fake::state.standing[abi::kGetTextType], rt.textType());
  EXPECT_EQ(rt.text("x").record()->type, rt.textType());
  // The text type is no class handle and no other kind's type.
  EXPECT_NE(rt.number(1).record()->type, rt.textType());
  EXPECT_NE(rt.classHandle("thing"), rt.textType());
}

TEST(RuntimeSlots, BindingCallsStandingValuesInOrderThenTheAssignerThenRegisters) {
  Runtime rt;
  rt.clearSlotCalls();  // the log is kept only from here on
  Result r = rt.bind(fake::library(fake::TableBuilder().fn("x", fake::noRoutine).end().bytes()));
  ASSERT_TRUE(r.ok()) << *r.error;
  std::vector<int> expected;
  for (int i = 0; i < abi::kStandingValueCount; ++i) expected.push_back(i);
  expected.insert(expected.end(), {abi::kSetTextAssigner, abi::kCreateClass,
                                   abi::kRegisterFunctions, abi::kRegisterFunctions});
  EXPECT_EQ(rt.slotCalls(), expected);
  rt.clearSlotCalls();
  EXPECT_TRUE(rt.slotCalls().empty());
  EXPECT_TRUE(rt.call("x").ok());
  EXPECT_TRUE(rt.slotCalls().empty());  // the routine called no slot
  EXPECT_EQ(rt.classHandle("thing"), fake::state.thingClass);
}

int ZV_STDCALL refuseEntry(void*, abi::word, void*) {
  return 0;
}

TEST(RuntimeSlots, ASecondBindIsRefusedAndARefusedLoadIsReported) {
  Runtime rt;
  ASSERT_TRUE(rt.bind(fake::library(fake::TableBuilder().end().bytes())).ok());
  Result again = rt.bind(fake::library(fake::TableBuilder().end().bytes()));
  ASSERT_FALSE(again.ok());
  EXPECT_EQ(*again.error, "a library is already bound to this runtime");

  Runtime other;
  quenda::LibraryExports e = fake::library(fake::TableBuilder().end().bytes());
  e.dllMain = refuseEntry;
  Result refused = other.bind(e);
  ASSERT_FALSE(refused.ok());
  EXPECT_EQ(*refused.error, "the library refused to load");
  EXPECT_FALSE(other.bound());
}

std::vector<abi::word> entryReasons;
int ZV_STDCALL recordEntry(void*, abi::word reason, void*) {
  entryReasons.push_back(reason);
  return 1;
}

TEST(RuntimeSlots, BindRunsTheEntryPointAndTheRuntimeEndDetaches) {
  entryReasons.clear();
  {
    Runtime rt;
    quenda::LibraryExports e = fake::library(fake::TableBuilder().end().bytes());
    e.dllMain = recordEntry;
    ASSERT_TRUE(rt.bind(e).ok());
    EXPECT_EQ(entryReasons, std::vector<abi::word>{1});
  }
  EXPECT_EQ(entryReasons, (std::vector<abi::word>{1, 0}));
}

TEST(RuntimeSlots, ATableErrorDuringInitialisationFailsTheBind) {
  Runtime rt;
  quenda::LibraryExports e = fake::library(fake::TableBuilder().raw({7}).bytes());
  Result r = rt.bind(e);
  ASSERT_FALSE(r.ok());
  EXPECT_EQ(*r.error, "binding the library: registerFunctions: unknown entry kind 7 at byte 0");
}

TEST(RuntimeLoad, LoadsAModuleByPathThroughTheLoaderAndFreesItAtTheEnd) {
  platform::sim::reset();
  fake::library(fake::TableBuilder().fn("hello", fake::noRoutine).end().bytes());
  platform::sim::addModule("plugin-under-test.dll",
                           {{"QuendaGetFunctions", reinterpret_cast<void*>(&fake::getFunctions)},
                            {"InitLibrary", reinterpret_cast<void*>(&fake::initLibrary)},
                            {"FileClass", reinterpret_cast<void*>(&fake::thingClassExport)},
                            {"FolderClass", reinterpret_cast<void*>(&fake::thingClassExport)}});
  {
    Runtime rt;
    Result r = rt.load("C:\\plugins\\Plugin-Under-Test.DLL");
    ASSERT_TRUE(r.ok()) << *r.error;
    EXPECT_TRUE(rt.lookup("hello").is(Kind::Routine));
    EXPECT_EQ(platform::sim::openHandles(), "module PLUGIN-UNDER-TEST.DLL");
  }
  EXPECT_EQ(platform::sim::openHandles(), "");
  platform::sim::removeModule("plugin-under-test.dll");
}

TEST(RuntimeLoad, AMissingModuleOrExportIsAClearError) {
  platform::sim::reset();
  Runtime rt;
  Result missing = rt.load("C:\\nowhere\\absent.dll");
  ASSERT_FALSE(missing.ok());
  EXPECT_EQ(*missing.error, "cannot load the library 'C:\\nowhere\\absent.dll' (error 126)");

  platform::sim::addModule("half.dll",
                           {{"QuendaGetFunctions", reinterpret_cast<void*>(&fake::getFunctions)},
                            {"InitLibrary", reinterpret_cast<void*>(&fake::initLibrary)}});
  Result half = rt.load("half.dll");
  ASSERT_FALSE(half.ok());
  EXPECT_EQ(*half.error, "'half.dll' is not a plug-in: it has no export FileClass");
  EXPECT_EQ(platform::sim::openHandles(), "");  // let go again
  EXPECT_FALSE(rt.bound());
  platform::sim::removeModule("half.dll");
}

}  // namespace
