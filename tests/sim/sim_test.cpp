// The simulation's own bookkeeping that every other test relies on (fault injection, the handle
// table, modules among them), and where it is stricter than Windows. Names the code page lacks and
// long current directories are shown through the library's own tests.
#include <gtest/gtest.h>

#include <cstring>

#include "platform/platform.h"
#include "platform/sim/sim.h"

using namespace platform;
namespace sim = platform::sim;

namespace {

TEST(Sim, FailCallFailsTheNthCallOfThatOperationCountedFromNowWithNoEffect) {
  sim::reset();
  sim::addFile("C:\\src", "s");
  EXPECT_TRUE(CopyFileA("C:\\src", "C:\\before", kFalse));  // before: not counted
  sim::failCall("CopyFileA", 2, kErrorSharingViolation);
  EXPECT_NE(GetFileAttributesA("C:\\src"), kInvalidFileAttributes);  // another operation
  EXPECT_TRUE(CopyFileA("C:\\src", "C:\\one", kFalse));
  SetLastError(0);
  EXPECT_FALSE(CopyFileA("C:\\src", "C:\\two", kFalse));
  EXPECT_EQ(GetLastError(), kErrorSharingViolation);
  EXPECT_FALSE(sim::exists("C:\\two"));
  EXPECT_TRUE(CopyFileA("C:\\src", "C:\\three", kFalse));
  EXPECT_EQ(sim::faultsFired(), 1);
}

TEST(Sim, OpenHandlesListsWhatIsHeldUntilItIsGivenBack) {
  sim::reset();
  sim::addFile("C:\\d\\a");
  sim::addFile("C:\\app.exe");
  sim::setRegistryText(kHkeyClassesRoot, "A\\B", "", "x");
  WIN32_FIND_DATAA d;
  HANDLE search = FindFirstFileA("C:\\d\\*", &d);
  ASSERT_NE(search, kInvalidHandle);
  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyExA(kHkeyClassesRoot, "a\\b", 0, kKeyRead, &key), kErrorSuccess);
  char* environment = GetEnvironmentStrings();
  ITEMIDLIST* list = nullptr;
  ASSERT_EQ(SHGetSpecialFolderLocation(nullptr, 0x28, &list), kSOk);
  int marker = 0;
  sim::addModule("Fake.dll", {{"Other", nullptr}});
  sim::addModule("FAKE.DLL", {{"Thing", &marker}});  // adds to the same module
  HMODULE module = LoadLibraryA("fake");
  EXPECT_EQ(LoadLibraryA("D:\\x\\FAKE.dll"), module);  // loaded twice, by any path
  char line[] = "C:\\app.exe";
  STARTUPINFOA startup{};
  PROCESS_INFORMATION started{};
  ASSERT_TRUE(CreateProcessA(nullptr, line, nullptr, nullptr, kFalse, 0, nullptr, nullptr, &startup,
                             &started));
  EXPECT_EQ(
      sim::openHandles(),
      "search C:\\d\\*\nregistry key HKCR\\A\\B\nenvironment copy\n"
      "shell memory C:\\Users\\quenda\nmodule FAKE.DLL\nprocess C:\\app.exe\nthread C:\\app.exe");

  EXPECT_FALSE(CloseHandle(search));  // not a handle of that kind
  EXPECT_TRUE(FindClose(search));
  EXPECT_EQ(RegCloseKey(key), kErrorSuccess);
  EXPECT_TRUE(FreeEnvironmentStringsA(environment));
  CoTaskMemFree(list);
  EXPECT_TRUE(CloseHandle(started.hThread) && CloseHandle(started.hProcess));
  EXPECT_EQ(GetProcAddress(module, "Thing"), &marker);
  EXPECT_TRUE(FreeLibrary(module) && FreeLibrary(module));  // open until the last free
  EXPECT_EQ(GetProcAddress(module, "Thing"), nullptr);
  EXPECT_EQ(sim::openHandles(), "");
}

// The simulation is stricter than Windows may be, so that the other suites catch what Windows
// might forgive.
TEST(Sim, FoldersAndHeapsAreStricterThanWindowsMayBe) {
  sim::reset();
  int fake = 0;  // the library passes no security attributes
  EXPECT_FALSE(CreateDirectoryA("C:\\x", &fake));
  EXPECT_EQ(GetLastError(), kErrorInvalidParameter);

  HANDLE heap = HeapCreate(0, 0, 0);
  auto* p = static_cast<unsigned char*>(HeapAlloc(heap, 0, 4));
  ASSERT_NE(p, nullptr);
  EXPECT_EQ(p[0], 0xCD);  // fresh memory is not zero
  void* q = HeapReAlloc(heap, 0, p, 4);
  EXPECT_NE(q, static_cast<void*>(p));  // always moved
  EXPECT_FALSE(HeapFree(heap, 0, p));   // the old block is gone
  EXPECT_TRUE(HeapFree(heap, 0, q));
  EXPECT_FALSE(HeapFree(heap, 0, q));  // freed twice
  EXPECT_EQ(GetLastError(), kErrorInvalidParameter);
  EXPECT_TRUE(HeapDestroy(heap));
}

}  // namespace
