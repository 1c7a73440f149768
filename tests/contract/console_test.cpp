// What the reference host uses of the system (platform/console.h, program.h, module.h,
// code_page.h). Under ctest the standard handles are pipes or files. Known difference: the
// simulation matches a module by its base name only, so a path to a missing folder still finds a
// registered module of that name. KERNEL32.DLL is loaded in every process, in both backends.
#include "fixture.h"

namespace {

using namespace platform;

TEST(ConsoleContract, WhatIsNoConsoleIsRefusedAndTheProgramPathIsCutOnlyWhenItMustBe) {
  DWORD mode = 0xdeadbeef;
  EXPECT_FAILS(GetConsoleMode(nullptr, &mode), kFalse, kErrorInvalidHandle);
  EXPECT_EQ(mode, 0xdeadbeefu);
  INPUT_RECORD record;
  std::memset(&record, contract::kPrime, sizeof record);
  DWORD count = 0xdeadbeef;
  EXPECT_FAILS(ReadConsoleInputW(nullptr, &record, 1, &count), kFalse, kErrorInvalidHandle);
  EXPECT_EQ(count, 0u);
  EXPECT_TRUE(contract::primed(&record, sizeof record));
  EXPECT_FAILS(WriteConsoleW(nullptr, u"x", 1, &count, nullptr), kFalse, kErrorInvalidHandle);

  // The program's path is absolute, and a small buffer gets its start only.
  char full[kMaxPath + 1];
  DWORD length = GetModuleFileNameA(nullptr, full, sizeof full);
  ASSERT_GT(length, 4u);
  EXPECT_EQ(std::string(full + 1, 2), ":\\");
  EXPECT_EQ(std::string(full + length - 4), std::string(".exe"));
  char buffer[8];
  std::memset(buffer, contract::kPrime, sizeof buffer);
  EXPECT_FAILS(GetModuleFileNameA(nullptr, buffer, 5), 5u, kErrorInsufficientBuffer);
  // Later Windows end the cut path with a NUL in the last place; Wine and XP do not.
  EXPECT_EQ(std::string(buffer, 4), std::string(full, 4));
  EXPECT_TRUE(contract::primed(buffer + 5, 3));
}

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

// The code page, which the reference host's console relies on: texts of the process's code page
// (which may be UTF-8) to UTF-16 and back, each way at its exact size and never past it. The
// host asks for the size first, so a buffer too small is not its case.
TEST(CodePageContract, TextsConvertBothWaysWithinTheBuffer) {
  ASSERT_EQ(GetACP(), kCodePageWestern);
  struct Case {
    UINT codePage;
    std::string narrow;
    std::u16string wide;
    bool toWide, toNarrow;  // the ways that give the other text
  };
  const std::vector<Case> cases{
      {kCodePageAnsi, "caf\xe9\x80", u"caf\u00e9\u20ac", true, true},  // 0x80 is the euro sign
      {kCodePageWestern, "a?", u"a\u4e2d", false, true},  // nothing like it in 1252: '?'
      {kCodePageUtf8, "\xf0\x9f\x99\x82\xef\xbf\xbd", u"\U0001F642\ufffd", true, true},
      {kCodePageUtf8, "a\xef\xbf\xbd", u"a\xD800", false, true},  // a lone surrogate is U+FFFD
      {kCodePageUtf8, "a\xffz", u"a\ufffdz", true, false},        // and so is a stray byte
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.codePage) + " " + c.narrow);
    const int bytes = static_cast<int>(c.narrow.size()), units = static_cast<int>(c.wide.size());
    if (c.toNarrow) {
      std::string narrow(16, '\xbd');
      EXPECT_EQ(
          WideCharToMultiByte(c.codePage, 0, c.wide.data(), units, nullptr, 0, nullptr, nullptr),
          bytes);
      EXPECT_EQ(WideCharToMultiByte(c.codePage, 0, c.wide.data(), units, narrow.data(), bytes,
                                    nullptr, nullptr),
                bytes);
      EXPECT_EQ(narrow, c.narrow + std::string(16 - bytes, '\xbd'));
    }
    if (!c.toWide) continue;
    std::u16string wide(16, 0xbdbd);
    EXPECT_EQ(MultiByteToWideChar(c.codePage, 0, c.narrow.data(), bytes, nullptr, 0), units);
    EXPECT_EQ(MultiByteToWideChar(c.codePage, 0, c.narrow.data(), bytes, wide.data(), units),
              units);
    EXPECT_TRUE(wide == c.wide + std::u16string(16 - units, 0xbdbd));
  }
}

}  // namespace
