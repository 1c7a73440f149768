// What only the simulated loader shows: registered fake modules, their entry point and load
// count, and injected faults. Native only: the Windows build compiles this file to nothing.
#if !defined(_WIN32)

#include <gtest/gtest.h>

#include <vector>

#include "platform/files.h"
#include "platform/module.h"
#include "platform/sim/module_control.h"
#include "platform/sim/sim.h"

namespace {

using namespace platform;
namespace sim = platform::sim;

std::vector<DWORD> reasons;
BOOL __attribute__((stdcall)) entry(void*, DWORD reason, void*) {
  reasons.push_back(reason);
  return kTrue;
}
BOOL __attribute__((stdcall)) refuse(void*, DWORD, void*) {
  return kFalse;
}
int marker = 0;

class SimModules : public ::testing::Test {
 protected:
  void SetUp() override {
    sim::reset();
    reasons.clear();
  }
  void TearDown() override { sim::removeModule("fake.dll"); }
};

TEST_F(SimModules, TheEntryPointRunsAtTheFirstLoadAndTheLastFree) {
  sim::addModule("Fake.dll", {{"DllMain", reinterpret_cast<void*>(&entry)}});
  sim::addModule("FAKE.DLL", {{"Thing", &marker}});  // adds to the same module
  HMODULE a = LoadLibraryA("fake");
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(LoadLibraryA("D:\\x\\FAKE.dll"), a);
  EXPECT_EQ(sim::moduleLoadCount("fake.dll"), 2);
  EXPECT_EQ(GetProcAddress(a, "Thing"), &marker);
  EXPECT_EQ(reasons, std::vector<DWORD>{1});
  EXPECT_EQ(FreeLibrary(a), kTrue);
  EXPECT_EQ(reasons, std::vector<DWORD>{1});
  EXPECT_EQ(FreeLibrary(a), kTrue);
  EXPECT_EQ(reasons, (std::vector<DWORD>{1, 0}));
  // Gone with its last load: the handle is no module any more.
  SetLastError(0);
  EXPECT_EQ(GetProcAddress(a, "Thing"), nullptr);
  EXPECT_EQ(GetLastError(), kErrorModNotFound);
  EXPECT_EQ(FreeLibrary(a), kFalse);
}

TEST_F(SimModules, ARefusingEntryPointFailsTheLoad) {
  sim::addModule("fake.dll", {{"DllMain", reinterpret_cast<void*>(&refuse)}});
  SetLastError(0);
  EXPECT_EQ(LoadLibraryA("fake.dll"), nullptr);
  EXPECT_EQ(GetLastError(), kErrorDllInitFailed);
  EXPECT_EQ(sim::moduleLoadCount("fake.dll"), 0);
}

TEST_F(SimModules, CallsAreRecordedAndCanBeMadeToFail) {
  sim::addModule("fake.dll", {{"Thing", &marker}});
  sim::failCall("LoadLibraryA", 2, kErrorAccessDenied);
  HMODULE a = LoadLibraryA("fake.dll");
  ASSERT_NE(a, nullptr);
  SetLastError(0);
  EXPECT_EQ(LoadLibraryA("fake.dll"), nullptr);
  EXPECT_EQ(GetLastError(), kErrorAccessDenied);
  EXPECT_EQ(sim::moduleLoadCount("fake.dll"), 1);  // the failed load counted nothing
  GetProcAddress(a, "Thing");
  FreeLibrary(a);
  auto loads = sim::callsOf("LoadLibraryA");
  ASSERT_EQ(loads.size(), 2u);
  EXPECT_EQ(loads[0].args, std::vector<std::string>{"fake.dll"});
  EXPECT_EQ(sim::callsOf("GetProcAddress").size(), 1u);
  EXPECT_EQ(sim::callsOf("FreeLibrary").size(), 1u);
}

TEST_F(SimModules, ARemovedModuleCannotBeLoaded) {
  sim::addModule("fake.dll", {});
  ASSERT_NE(LoadLibraryA("fake.dll"), nullptr);
  sim::removeModule("FAKE.DLL");
  SetLastError(0);
  EXPECT_EQ(LoadLibraryA("fake.dll"), nullptr);
  EXPECT_EQ(GetLastError(), kErrorModNotFound);
  sim::removeModule("kernel32.dll");  // built in: stays
  EXPECT_NE(LoadLibraryA("kernel32.dll"), nullptr);
}

}  // namespace

#endif
