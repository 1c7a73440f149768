// The simulation's own bookkeeping that every other test relies on (fault injection, the handle
// table, modules), and what the simulation does that Wine can't show.
#include <gtest/gtest.h>

#include <cstring>

#include "platform/platform.h"
#include "platform/sim/sim.h"

using namespace platform;
namespace sim = platform::sim;

namespace {

using Names = std::vector<std::string>;

class Sim : public ::testing::Test {
 protected:
  void SetUp() override { sim::reset(); }
};

TEST_F(Sim, FailCallFailsTheNthCallOfThatOperationCountedFromNowWithNoEffect) {
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

TEST_F(Sim, OpenHandlesListsWhatIsHeldUntilItIsGivenBack) {
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
  char line[] = "C:\\app.exe";
  STARTUPINFOA startup{};
  PROCESS_INFORMATION started{};
  ASSERT_TRUE(CreateProcessA(nullptr, line, nullptr, nullptr, kFalse, 0, nullptr, nullptr, &startup,
                             &started));
  EXPECT_EQ(sim::openHandles(),
            "search C:\\d\\*\nregistry key HKCR\\A\\B\nenvironment copy\n"
            "shell memory C:\\Users\\quenda\nprocess C:\\app.exe\nthread C:\\app.exe");

  EXPECT_FALSE(CloseHandle(search));  // not a handle of that kind
  EXPECT_TRUE(FindClose(search));
  EXPECT_EQ(RegCloseKey(key), kErrorSuccess);
  EXPECT_TRUE(FreeEnvironmentStringsA(environment));
  CoTaskMemFree(list);
  EXPECT_TRUE(CloseHandle(started.hThread) && CloseHandle(started.hProcess));
  EXPECT_EQ(sim::openHandles(), "");
}

std::vector<DWORD> reasons;
BOOL ZV_STDCALL recordReason(void*, DWORD reason, void*) {
  reasons.push_back(reason);
  return kTrue;
}
BOOL ZV_STDCALL refuseLoad(void*, DWORD, void*) {
  return kFalse;
}

TEST_F(Sim, AModuleIsOpenFromItsFirstLoadToItsLastFree) {
  reasons.clear();
  int marker = 0;
  sim::addModule("Fake.dll", {{"DllMain", reinterpret_cast<void*>(&recordReason)}});
  sim::addModule("FAKE.DLL", {{"Thing", &marker}});  // adds to the same module
  HMODULE a = LoadLibraryA("fake");
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(LoadLibraryA("D:\\x\\FAKE.dll"), a);
  EXPECT_EQ(GetProcAddress(a, "Thing"), &marker);
  EXPECT_EQ(sim::openHandles(), "module FAKE.DLL");
  EXPECT_EQ(FreeLibrary(a), kTrue);
  EXPECT_EQ(reasons, std::vector<DWORD>{1});
  EXPECT_EQ(FreeLibrary(a), kTrue);
  EXPECT_EQ(reasons, (std::vector<DWORD>{1, 0}));
  EXPECT_EQ(sim::openHandles(), "");
  EXPECT_EQ(GetProcAddress(a, "Thing"), nullptr);  // gone with its last load

  sim::addModule("fake.dll", {{"DllMain", reinterpret_cast<void*>(&refuseLoad)}});
  EXPECT_EQ(LoadLibraryA("fake.dll"), nullptr);
  EXPECT_EQ(GetLastError(), kErrorDllInitFailed);
  EXPECT_EQ(sim::openHandles(), "");
}

// Wine gives every name beyond ASCII a short one; the simulation leaves a name the code page
// lacks and that has none out, and the end of the search says so. Under UTF-8 every name comes.
TEST_F(Sim, FindLeavesOutNamesWithoutAnExactFormAndUtf8HasThemAll) {
  sim::addFile("C:\\d\\a.txt", "plain");
  sim::addFile("C:\\d\\\xef\xbd\x81.txt", "fullwidth");  // U+FF41
  sim::addFile("C:\\d\\\xe6\xbc\xa2.txt", "cjk");        // U+6F22
  auto names = [](const char* pattern, DWORD& end) {
    Names got;
    WIN32_FIND_DATAA d;
    HANDLE h = FindFirstFileA(pattern, &d);
    for (bool more = h != kInvalidHandle; more; more = FindNextFileA(h, &d))
      got.push_back(d.cFileName);
    end = GetLastError();
    if (h != kInvalidHandle) FindClose(h);
    return got;
  };
  DWORD end = 0;
  EXPECT_EQ(names("C:\\d\\?.txt", end), Names{"a.txt"}) << "? takes a whole letter";
  EXPECT_EQ(end, kErrorNoUnicodeTranslation);
  sim::addFile("C:\\e\\\xe6\xbc\xa2.txt");
  EXPECT_EQ(names("C:\\e\\*.txt", end), Names{});
  EXPECT_EQ(end, kErrorNoUnicodeTranslation) << "only names left out";

  sim::setShortName("C:\\d\\\xef\xbd\x81.txt", "A~1.TXT");
  EXPECT_EQ(names("C:\\d\\*", end), (Names{".", "..", "a.txt", "A~1.TXT"}));
  EXPECT_EQ(end, kErrorNoUnicodeTranslation);

  sim::setCodePage(kCodePageUtf8);
  EXPECT_EQ(names("C:\\d\\?.txt", end), (Names{"a.txt", "\xef\xbd\x81.txt", "\xe6\xbc\xa2.txt"}));
  EXPECT_EQ(end, kErrorNoMoreFiles);
  EXPECT_TRUE(CopyFileA("C:\\d\\\xe6\xbc\xa2.txt", "C:\\d\\\xf0\x9f\x99\x82", kTrue));
  EXPECT_EQ(sim::fileContent("C:\\d\\\xf0\x9f\x99\x82"), "cjk");
  sim::setCodePage(kCodePageWestern);  // the same bytes are other letters: é is 0xe9
  EXPECT_TRUE(CopyFileA("C:\\d\\a.txt", "C:\\d\\caf\xe9", kTrue));
  EXPECT_TRUE(sim::exists("C:\\d\\caf\xc3\xa9"));
}

// Wine's GetCurrentDirectoryA fails on a directory of 260 characters; the simulation gives the
// size needed, as Windows with long paths does (the library reads again), but never sets one.
TEST_F(Sim, ALongCurrentDirectoryIsReportedButNotMadeBySetCurrentDirectory) {
  std::string longPath = "C:\\" + std::string(200, 'x') + "\\" + std::string(56, 'y');
  sim::addFolder(longPath);
  sim::setCurrentDirectoryPath(longPath);
  char buffer[400];
  std::memset(buffer, 0xbd, sizeof buffer);
  EXPECT_EQ(GetCurrentDirectoryA(kMaxPath, buffer), kMaxPath + 1);
  EXPECT_EQ(static_cast<unsigned char>(buffer[0]), 0xbd);
  EXPECT_EQ(GetCurrentDirectoryA(sizeof buffer, buffer), kMaxPath);
  EXPECT_EQ(std::string(buffer), longPath);

  EXPECT_TRUE(SetCurrentDirectoryA(longPath.substr(0, 203).c_str()));
  EXPECT_FALSE(SetCurrentDirectoryA(std::string(56, 'y').c_str()));  // relative, but too long
  EXPECT_EQ(GetLastError(), kErrorFilenameExcedRange);
  EXPECT_EQ(sim::currentDirectory(), longPath.substr(0, 203));
}

TEST_F(Sim, FilesAndHeapsFollowWindowsWhereWineIsLaxer) {
  sim::addFile("C:\\f");
  EXPECT_EQ(sim::attributesOf("C:\\f"), kFileAttributeArchive);
  EXPECT_TRUE(SetFileAttributesA("C:\\f", 0));
  EXPECT_EQ(GetFileAttributesA("C:\\f"), kFileAttributeNormal);
  EXPECT_TRUE(SetFileAttributesA("C:\\f", kFileAttributeReadonly | kFileAttributeNormal));
  EXPECT_EQ(GetFileAttributesA("C:\\f"), kFileAttributeReadonly);
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
  EXPECT_FALSE(HeapDestroy(heap));
  EXPECT_EQ(GetLastError(), kErrorInvalidHandle);
}

}  // namespace
