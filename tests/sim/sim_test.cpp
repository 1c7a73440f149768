// The simulation's own bookkeeping that every other test relies on (fault injection, the handle
// table, modules), and what the simulation does that Wine can't show.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>

#include "common/heap_bytes.h"
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

std::vector<DWORD> reasons;
BOOL ZV_STDCALL recordReason(void*, DWORD reason, void*) {
  reasons.push_back(reason);
  return kTrue;
}
BOOL ZV_STDCALL refuseLoad(void*, DWORD, void*) {
  return kFalse;
}

}  // namespace

// ---- Fault injection ----

TEST_F(Sim, FailCallFailsTheNthCallOfThatOperationCountedFromNow) {
  sim::addFile("C:\\src", "s");
  EXPECT_TRUE(CopyFileA("C:\\src", "C:\\before", kFalse));  // before: not counted
  sim::failCall("CopyFileA", 2, kErrorSharingViolation);
  EXPECT_NE(GetFileAttributesA("C:\\src"), kInvalidFileAttributes);  // another operation
  EXPECT_TRUE(CopyFileA("C:\\src", "C:\\one", kFalse));
  SetLastError(0);
  EXPECT_FALSE(CopyFileA("C:\\src", "C:\\two", kFalse));
  EXPECT_EQ(GetLastError(), kErrorSharingViolation);
  EXPECT_FALSE(sim::exists("C:\\two"));  // a failed call has no effect
  EXPECT_TRUE(CopyFileA("C:\\src", "C:\\three", kFalse));
  EXPECT_EQ(sim::faultsFired(), 1);
}

// ---- The handle table ----

TEST_F(Sim, OpenHandlesListsWhatIsHeldUntilItIsGivenBack) {
  sim::addFile("C:\\d\\a");
  sim::addFile("C:\\app.exe");
  sim::setRegistryText(kHkeyClassesRoot, "A\\B", "", "x");
  WIN32_FIND_DATAA d;
  HANDLE a = FindFirstFileA("C:\\d\\*", &d);
  HANDLE b = FindFirstFileA("C:\\d\\a", &d);
  ASSERT_TRUE(a != kInvalidHandle && b != kInvalidHandle && a != b);
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
            "search C:\\d\\*\nsearch C:\\d\\a\nregistry key HKCR\\A\\B\nenvironment copy\n"
            "shell memory C:\\Users\\quenda\nprocess C:\\app.exe\nthread C:\\app.exe");

  EXPECT_TRUE(FindClose(a));
  EXPECT_FALSE(FindClose(a));  // closed already
  EXPECT_EQ(GetLastError(), kErrorInvalidHandle);
  EXPECT_FALSE(CloseHandle(b));  // not a handle of that kind
  EXPECT_TRUE(FindClose(b));
  EXPECT_EQ(RegCloseKey(key), kErrorSuccess);
  EXPECT_TRUE(FreeEnvironmentStringsA(environment));
  CoTaskMemFree(list);
  EXPECT_TRUE(CloseHandle(started.hThread) && CloseHandle(started.hProcess));
  EXPECT_EQ(sim::openHandles(), "");
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
  // Gone with its last load: the handle is no module any more.
  EXPECT_EQ(GetProcAddress(a, "Thing"), nullptr);
  EXPECT_EQ(GetLastError(), kErrorModNotFound);

  sim::addModule("fake.dll", {{"DllMain", reinterpret_cast<void*>(&refuseLoad)}});
  EXPECT_EQ(LoadLibraryA("fake.dll"), nullptr);
  EXPECT_EQ(GetLastError(), kErrorDllInitFailed);
  EXPECT_EQ(sim::openHandles(), "");

  sim::removeModule("FAKE.DLL");
  EXPECT_EQ(LoadLibraryA("fake.dll"), nullptr);
  EXPECT_EQ(GetLastError(), kErrorModNotFound);
  sim::removeModule("kernel32.dll");  // built in: stays, and is never counted open
  EXPECT_NE(LoadLibraryA("kernel32.dll"), nullptr);
  EXPECT_EQ(sim::openHandles(), "");
}

// ---- What Wine can't show ----

TEST_F(Sim, FilesFollowWindowsWhereWineCannot) {
  sim::addFile("C:\\src", "new");
  sim::addFile("C:\\ro", "old", kFileAttributeReadonly);
  EXPECT_FALSE(CopyFileA("C:\\src", "C:\\ro", kFalse));  // whoever runs the tests
  EXPECT_EQ(GetLastError(), kErrorAccessDenied);
  EXPECT_EQ(sim::fileContent("C:\\ro"), "old");

  sim::addFile("C:\\f");
  sim::addFolder("C:\\d");
  EXPECT_EQ(sim::attributesOf("C:\\f"), kFileAttributeArchive);
  EXPECT_TRUE(SetFileAttributesA("C:\\f", 0));
  EXPECT_EQ(GetFileAttributesA("C:\\f"), kFileAttributeNormal);
  EXPECT_TRUE(SetFileAttributesA("C:\\f", kFileAttributeReadonly | kFileAttributeNormal));
  EXPECT_EQ(GetFileAttributesA("C:\\f"), kFileAttributeReadonly);
  EXPECT_TRUE(SetFileAttributesA("C:\\d", kFileAttributeReadonly | kFileAttributeDirectory));
  EXPECT_EQ(GetFileAttributesA("C:\\d"), kFileAttributeDirectory | kFileAttributeReadonly);
  sim::addFile("C:\\.hidden");
  EXPECT_EQ(GetFileAttributesA("C:\\.hidden"), kFileAttributeArchive);  // Wine: hidden

  int fake = 0;  // the library passes no security attributes
  EXPECT_FALSE(CreateDirectoryA("C:\\x", &fake));
  EXPECT_EQ(GetLastError(), kErrorInvalidParameter);
  EXPECT_FALSE(sim::exists("C:\\x"));
}

// What Wine cannot show, as it gives every such name a short one: a name the code page lacks and
// without a short name is left out, and the end of the search says so. Under UTF-8 every name
// comes as it is.
TEST_F(Sim, FindLeavesOutNamesWithoutAnExactFormAndUtf8HasThemAll) {
  sim::addFile("C:\\d\\a.txt", "plain");
  sim::addFile("C:\\d\\\xef\xbd\x81.txt", "fullwidth");  // U+FF41
  sim::addFile("C:\\d\\\xe6\xbc\xa2.txt", "cjk");        // U+6F22
  auto names = [](const char* pattern, DWORD& end) {
    Names got;
    WIN32_FIND_DATAA d;
    std::memset(&d, 0xbd, sizeof d);
    HANDLE h = FindFirstFileA(pattern, &d);
    end = h == kInvalidHandle ? GetLastError() : 0;
    if (h == kInvalidHandle) return got;
    do got.push_back(d.cFileName);
    while (FindNextFileA(h, &d));
    end = GetLastError();
    FindClose(h);
    return got;
  };
  DWORD end = 0;
  EXPECT_EQ(names("C:\\d\\*", end), (Names{".", "..", "a.txt"}));
  EXPECT_EQ(end, kErrorNoUnicodeTranslation);
  EXPECT_EQ(names("C:\\d\\?.txt", end), Names{"a.txt"}) << "? takes a whole letter";
  EXPECT_EQ(end, kErrorNoUnicodeTranslation);
  EXPECT_EQ(names("C:\\d\\*.txt", end), Names{"a.txt"});
  sim::addFile("C:\\e\\\xe6\xbc\xa2.txt");
  EXPECT_EQ(names("C:\\e\\*.txt", end), Names{});
  EXPECT_EQ(end, kErrorNoUnicodeTranslation) << "only names left out";

  // A short name stands in for the name, and reaches the file.
  sim::setShortName("C:\\d\\\xef\xbd\x81.txt", "A~1.TXT");
  EXPECT_EQ(names("C:\\d\\*", end), (Names{".", "..", "a.txt", "A~1.TXT"}));
  EXPECT_TRUE(DeleteFileA("C:\\d\\A~1.TXT"));
  EXPECT_FALSE(sim::exists("C:\\d\\\xef\xbd\x81.txt"));
  EXPECT_EQ(sim::fileContent("C:\\d\\a.txt"), "plain");

  sim::setCodePage(kCodePageUtf8);
  EXPECT_EQ(names("C:\\d\\*", end), (Names{".", "..", "a.txt", "\xe6\xbc\xa2.txt"}));
  EXPECT_EQ(end, kErrorNoMoreFiles);
  EXPECT_EQ(names("C:\\d\\?.txt", end), (Names{"a.txt", "\xe6\xbc\xa2.txt"}));
  EXPECT_TRUE(CopyFileA("C:\\d\\\xe6\xbc\xa2.txt", "C:\\d\\\xf0\x9f\x99\x82", kTrue));
  EXPECT_EQ(sim::fileContent("C:\\d\\\xf0\x9f\x99\x82"), "cjk");
  // In the Western code page the same bytes are other letters: é is 0xe9 there.
  sim::setCodePage(kCodePageWestern);
  EXPECT_TRUE(CopyFileA("C:\\d\\a.txt", "C:\\d\\caf\xe9", kTrue));
  EXPECT_TRUE(sim::exists("C:\\d\\caf\xc3\xa9"));
}

TEST_F(Sim, ALongCurrentDirectoryIsReportedButNotMadeBySetCurrentDirectory) {
  // 260 characters: Wine's GetCurrentDirectoryA fails with ERROR_FILENAME_EXCED_RANGE; the
  // simulation gives the size needed, as Windows with long paths does (the library reads again).
  std::string longPath = "C:\\" + std::string(200, 'x') + "\\" + std::string(56, 'y');
  ASSERT_EQ(longPath.size(), kMaxPath);
  sim::addFolder(longPath);
  sim::setCurrentDirectoryPath(longPath);
  char buffer[400];
  std::memset(buffer, 0xbd, sizeof buffer);
  EXPECT_EQ(GetCurrentDirectoryA(kMaxPath, buffer), kMaxPath + 1);
  EXPECT_EQ(static_cast<unsigned char>(buffer[0]), 0xbd);
  EXPECT_EQ(GetCurrentDirectoryA(sizeof buffer, buffer), kMaxPath);
  EXPECT_EQ(std::string(buffer), longPath);

  sim::setCurrentDirectoryPath("C:\\");
  EXPECT_FALSE(SetCurrentDirectoryA(longPath.c_str()));
  EXPECT_EQ(GetLastError(), kErrorFilenameExcedRange);
  EXPECT_EQ(sim::currentDirectory(), "C:\\");
  EXPECT_TRUE(SetCurrentDirectoryA(longPath.substr(0, 203).c_str()));  // from there, relative
  EXPECT_FALSE(SetCurrentDirectoryA(std::string(56, 'y').c_str()));
  EXPECT_EQ(GetLastError(), kErrorFilenameExcedRange);
}

TEST_F(Sim, HeapsCatchWhatWindowsMightForgive) {
  HANDLE heap = HeapCreate(0, 0, 0);
  auto* p = static_cast<unsigned char*>(HeapAlloc(heap, 0, 4));
  ASSERT_NE(p, nullptr);
  EXPECT_EQ(p[0], 0xCD);  // fresh memory is not zero
  void* q = HeapReAlloc(heap, 0, p, 4);
  EXPECT_NE(q, static_cast<void*>(p));  // always moved
  EXPECT_FALSE(HeapFree(heap, 0, p));   // the old block is gone
  EXPECT_EQ(GetLastError(), kErrorInvalidParameter);
  EXPECT_TRUE(HeapFree(heap, 0, q));
  EXPECT_FALSE(HeapFree(heap, 0, q));  // freed twice
  EXPECT_TRUE(HeapDestroy(heap));
  EXPECT_FALSE(HeapDestroy(heap));
  EXPECT_EQ(GetLastError(), kErrorInvalidHandle);
}
