// Loading modules and finding exports (platform/module.h). KERNEL32.DLL is loaded in every
// process, in both backends. Known difference: the simulation matches a module by its base name
// only, so a path to a missing folder still finds a registered module of that name.
#include "fixture.h"

namespace {

using namespace platform;

TEST(ModuleContract, ModulesMatchWithoutCaseOrExtensionAndExportsByTheExactName) {
  SetLastError(contract::kPrimeError);
  HMODULE k = LoadLibraryA("KERNEL32.DLL");
  ASSERT_NE(k, nullptr);
  EXPECT_NE(GetProcAddress(k, "GetLastError"), nullptr);
  EXPECT_EQ(GetLastError(), contract::kPrimeError);  // success leaves the error alone
  EXPECT_EQ(LoadLibraryA("kernel32"), k);
  EXPECT_EQ(LoadLibraryA("C:\\windows\\system32\\Kernel32.Dll"), k);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(FreeLibrary(k), kTrue);
  EXPECT_FAILS(GetProcAddress(k, "getlasterror"), nullptr, kErrorProcNotFound);
  EXPECT_FAILS(GetProcAddress(k, "NoSuchFunctionXyz"), nullptr, kErrorProcNotFound);

  EXPECT_FAILS(LoadLibraryA("no-such-module-xyz.dll"), nullptr, kErrorModNotFound);
  EXPECT_FAILS(LoadLibraryA("C:\\nowhere\\no-such-module-xyz.dll"), nullptr, kErrorModNotFound);
  EXPECT_FAILS(LoadLibraryA(""), nullptr, kErrorModNotFound);
  // A trailing dot means "this name has no extension", so ".dll" is not added.
  EXPECT_FAILS(LoadLibraryA("kernel32."), nullptr, kErrorModNotFound);
  auto* bogus = reinterpret_cast<HMODULE>(0x12340000);
  EXPECT_FAILS(GetProcAddress(bogus, "GetLastError"), nullptr, kErrorModNotFound);
  EXPECT_FAILS(FreeLibrary(nullptr), kFalse, kErrorInvalidHandle);
  EXPECT_FAILS(FreeLibrary(bogus), kFalse, kErrorModNotFound);
}

}  // namespace
