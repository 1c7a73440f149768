// The slot table and binding a library, given or loaded by path.
#include <gtest/gtest.h>

#include "platform/sim/sim.h"
#include "runtime/slots.h"
#include "runtime_fake_library.h"

namespace {

using quenda::Result;
using quenda::Runtime;

TEST(RuntimeSlots, EveryUnimplementedSlotCalledOutsideACallReportsItsOwnNumber) {
  Runtime rt;
  std::vector<std::string> reported;
  rt.hooks().reportError = [&](std::string_view m) { reported.emplace_back(m); };
  for (int i = abi::kStandingValueCount; i < abi::kSlotCount; ++i) {
    if (quenda::slotImplemented(i)) continue;
    reinterpret_cast<abi::StandingFn>(const_cast<void*>(rt.slotTable()[i]))();
    ASSERT_EQ(reported.back(), "host slot " + std::to_string(i) + " is not implemented");
  }
}

std::vector<abi::word> entryReasons;
int ZV_STDCALL recordEntry(void*, abi::word reason, void*) {
  entryReasons.push_back(reason);
  return 1;
}
int ZV_STDCALL refuseEntry(void*, abi::word, void*) {
  return 0;
}

TEST(RuntimeSlots, BindRunsTheEntryPointOnceAndRefusalsAreErrors) {
  entryReasons.clear();
  {
    Runtime rt;
    quenda::LibraryExports e = fake::library(fake::TableBuilder().end().bytes());
    e.dllMain = recordEntry;
    ASSERT_TRUE(rt.bind(e).ok());
    EXPECT_EQ(*rt.bind(e).error, "a library is already bound to this runtime");
    EXPECT_EQ(entryReasons, std::vector<abi::word>{1});
  }
  EXPECT_EQ(entryReasons, (std::vector<abi::word>{1, 0}));  // the runtime's end detaches

  Runtime refusing;
  quenda::LibraryExports e = fake::library(fake::TableBuilder().end().bytes());
  e.dllMain = refuseEntry;
  EXPECT_EQ(*refusing.bind(e).error, "the library refused to load");
  EXPECT_FALSE(refusing.bound());

  Runtime badTable;
  EXPECT_EQ(*badTable.bind(fake::library({7})).error,
            "binding the library: registerFunctions: unknown entry kind 7 at byte 0");
}

TEST(RuntimeLoad, LoadsAModuleByPathAndLetsGoOfItAtTheEndOrOnAMissingExport) {
  platform::sim::reset();
  fake::library(fake::TableBuilder().fn("hello", fake::noRoutine).end().bytes());
  platform::sim::addModule("plugin-under-test.dll",
                           {{"QuendaGetFunctions", reinterpret_cast<void*>(&fake::getFunctions)},
                            {"InitLibrary", reinterpret_cast<void*>(&fake::initLibrary)},
                            {"FileClass", reinterpret_cast<void*>(&fake::thingClassExport)},
                            {"FolderClass", reinterpret_cast<void*>(&fake::thingClassExport)}});
  platform::sim::addModule("half.dll",
                           {{"QuendaGetFunctions", reinterpret_cast<void*>(&fake::getFunctions)},
                            {"InitLibrary", reinterpret_cast<void*>(&fake::initLibrary)}});
  {
    Runtime rt;
    EXPECT_EQ(*rt.load("C:\\nowhere\\absent.dll").error,
              "cannot load the library 'C:\\nowhere\\absent.dll' (error 126)");
    EXPECT_EQ(*rt.load("half.dll").error,
              "'half.dll' is not a plug-in: it has no export FileClass");
    EXPECT_EQ(platform::sim::openHandles(), "");
    EXPECT_FALSE(rt.bound());
    Result r = rt.load("C:\\plugins\\Plugin-Under-Test.DLL");
    ASSERT_TRUE(r.ok()) << *r.error;
    EXPECT_TRUE(rt.lookup("hello").is(quenda::Kind::Routine));
    EXPECT_EQ(platform::sim::openHandles(), "module PLUGIN-UNDER-TEST.DLL");
  }
  EXPECT_EQ(platform::sim::openHandles(), "");
  platform::sim::removeModule("plugin-under-test.dll");
  platform::sim::removeModule("half.dll");
}

}  // namespace
