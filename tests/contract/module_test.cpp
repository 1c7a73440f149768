// Loading modules and finding exports: the same cases natively against the simulation and under
// Wine. KERNEL32.DLL is loaded in every process, in both.
// Known difference: the simulation matches a module by its base name only, so a path to a
// missing folder still finds a registered module of that name.
#include <gtest/gtest.h>

#include "fixture.h"
#include "platform/files.h"
#include "platform/module.h"

namespace {

using namespace platform;

TEST(ModuleContract, MissingAndEmptyNamesAreModNotFound) {
  EXPECT_FAILS(LoadLibraryA("no-such-module-xyz.dll"), nullptr, kErrorModNotFound);
  EXPECT_FAILS(LoadLibraryA("C:\\nowhere\\no-such-module-xyz.dll"), nullptr, kErrorModNotFound);
  EXPECT_FAILS(LoadLibraryA(""), nullptr, kErrorModNotFound);
  // A trailing dot means "this name has no extension", so ".dll" is not added.
  EXPECT_FAILS(LoadLibraryA("kernel32."), nullptr, kErrorModNotFound);
}

TEST(ModuleContract, NamesMatchWithoutCaseWithoutExtensionAndWithAFolder) {
  SetLastError(contract::kPrimeError);
  HMODULE k = LoadLibraryA("KERNEL32.DLL");
  ASSERT_NE(k, nullptr);
  EXPECT_EQ(GetLastError(), contract::kPrimeError);  // success leaves the error alone
  EXPECT_EQ(LoadLibraryA("kernel32"), k);
  EXPECT_EQ(LoadLibraryA("Kernel32.Dll"), k);
  EXPECT_EQ(LoadLibraryA("C:\\windows\\system32\\kernel32.dll"), k);
  for (int i = 0; i < 4; ++i) {
    SetLastError(contract::kPrimeError);
    EXPECT_EQ(FreeLibrary(k), kTrue);
    EXPECT_EQ(GetLastError(), contract::kPrimeError);
  }
}

TEST(ModuleContract, ExportsAreFoundByTheirExactName) {
  HMODULE k = LoadLibraryA("kernel32.dll");
  ASSERT_NE(k, nullptr);
  SetLastError(contract::kPrimeError);
  EXPECT_NE(GetProcAddress(k, "GetLastError"), nullptr);
  EXPECT_EQ(GetLastError(), contract::kPrimeError);
  EXPECT_FAILS(GetProcAddress(k, "getlasterror"), nullptr, kErrorProcNotFound);
  EXPECT_FAILS(GetProcAddress(k, "NoSuchFunctionXyz"), nullptr, kErrorProcNotFound);
  FreeLibrary(k);
}

TEST(ModuleContract, HandlesThatAreNoModulesAreRefused) {
  auto* bogus = reinterpret_cast<HMODULE>(0x12340000);
  EXPECT_FAILS(GetProcAddress(bogus, "GetLastError"), nullptr, kErrorModNotFound);
  EXPECT_FAILS(FreeLibrary(nullptr), kFalse, kErrorInvalidHandle);
  EXPECT_FAILS(FreeLibrary(bogus), kFalse, kErrorModNotFound);
}

}  // namespace
