// The simulation's own bookkeeping (sim.h): reset, fault injection, the call record, the handle
// table and the control functions, and what the simulation does that Wine can't show.
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

Names operations() {
  Names ops;
  for (const auto& c : sim::calls()) ops.push_back(c.operation);
  return ops;
}

}  // namespace

// ---- reset ----

TEST_F(Sim, ResetGivesAFreshMachine) {
  sim::addFile("C:\\a\\b.txt", "x");
  sim::addFolder("D:\\data");
  sim::setCurrentDirectoryPath("C:\\a");
  sim::failAlways("CopyFileA", kErrorAccessDenied);
  SetLastError(77);
  WIN32_FIND_DATAA d;
  ASSERT_NE(FindFirstFileA("C:\\a\\*", &d), kInvalidHandle);
  sim::setEnvironment({"A=1"});
  sim::placeClipboardData(kClipboardText, "t");
  sim::setKeyDown(kVkReturn, true);

  sim::reset();
  EXPECT_FALSE(sim::exists("C:\\a"));
  EXPECT_FALSE(sim::exists("D:\\data"));
  EXPECT_TRUE(sim::isFolder("C:\\"));
  EXPECT_TRUE(sim::isFolder("D:\\"));
  EXPECT_FALSE(sim::exists("E:\\"));
  EXPECT_EQ(sim::folderNames("C:\\"), Names{});
  EXPECT_EQ(sim::currentDirectory(), "C:\\");
  EXPECT_EQ(sim::openHandles(), "");
  EXPECT_EQ(sim::faultsFired(), 0);
  EXPECT_TRUE(sim::calls().empty());
  EXPECT_EQ(GetLastError(), 0u);
  EXPECT_EQ(sim::environmentEntries().front(), "=C:=C:\\");
  EXPECT_TRUE(sim::clipboardFormats().empty());
  EXPECT_EQ(GetAsyncKeyState(kVkReturn), 0);
  sim::addFile("C:\\x", "1");
  EXPECT_TRUE(CopyFileA("C:\\x", "C:\\y", kFalse));  // the fault is gone
}

TEST_F(Sim, HeapsOutliveResetAndComStartsAfresh) {
  HANDLE heap = HeapCreate(0, 0, 0);
  void* p = HeapAlloc(heap, 0, 40);
  ASSERT_NE(p, nullptr);
  EXPECT_EQ(CoInitialize(nullptr), 0);
  EXPECT_EQ(CoInitialize(nullptr), 1);
  sim::reset();
  EXPECT_EQ(heapBytesInUse(heap), 40u);
  EXPECT_TRUE(HeapFree(heap, 0, p));
  EXPECT_TRUE(HeapDestroy(heap));
  EXPECT_EQ(CoInitialize(nullptr), 0);
}

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

TEST_F(Sim, FailAlwaysFailsUntilClearFaultsAndFaultsCountIndependently) {
  sim::addFolder("C:\\d");
  WIN32_FIND_DATAA d;
  std::memset(&d, 0xbd, sizeof d);
  sim::failAlways("FindFirstFileA", kErrorAccessDenied);
  for (int i = 0; i < 3; ++i) {
    SetLastError(0);
    EXPECT_EQ(FindFirstFileA("C:\\d\\*", &d), kInvalidHandle);
    EXPECT_EQ(GetLastError(), kErrorAccessDenied);
  }
  EXPECT_EQ(static_cast<unsigned char>(d.cFileName[0]), 0xbd);
  EXPECT_EQ(sim::faultsFired(), 3);
  sim::clearFaults();
  EXPECT_EQ(sim::faultsFired(), 0);

  sim::failCall("GetFileAttributesA", 1, 5);
  sim::failCall("GetFileAttributesA", 3, 6);
  EXPECT_EQ(GetFileAttributesA("C:\\d"), kInvalidFileAttributes);
  EXPECT_EQ(GetLastError(), 5u);
  EXPECT_NE(GetFileAttributesA("C:\\d"), kInvalidFileAttributes);
  EXPECT_EQ(GetFileAttributesA("C:\\d"), kInvalidFileAttributes);
  EXPECT_EQ(GetLastError(), 6u);
  EXPECT_NE(GetFileAttributesA("C:\\d"), kInvalidFileAttributes);
}

// Every operation that can fail can be made to, and a failed call changes nothing.
TEST_F(Sim, EveryOperationCanBeMadeToFail) {
  sim::addFile("C:\\f", "x");
  sim::addFolder("C:\\d");
  sim::addModule("fake.dll", {});
  sim::setRegistryText(kHkeyCurrentUser, "K", "v", "t");
  HANDLE heap = HeapCreate(0, 0, 0);
  void* block = HeapAlloc(heap, 0, 8);
  WIN32_FIND_DATAA d;
  HANDLE search = FindFirstFileA("C:\\d\\*", &d);
  HMODULE shell = LoadLibraryA("SHELL32.DLL");
  HGLOBAL global = GlobalAlloc(kGmemMoveable, 4);
  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyExA(kHkeyCurrentUser, "K", 0, kKeyRead, &key), kErrorSuccess);
  ASSERT_TRUE(search != kInvalidHandle && shell && global);
  char buffer[300];
  DWORD size = sizeof buffer;
  ITEMIDLIST* list = nullptr;
  PROCESS_HEAP_ENTRY entry{};
  OSVERSIONINFOA version{};
  version.dwOSVersionInfoSize = sizeof version;
  PROCESS_INFORMATION info{};
  STARTUPINFOA startup{};
  SHELLEXECUTEINFOA shellInfo{};
  shellInfo.cbSize = sizeof shellInfo;
  shellInfo.lpFile = "C:\\f";
  CONSOLE_SCREEN_BUFFER_INFO screen{};
  DWORD mode = 0;
  char line[] = "\"C:\\f\"";
  const DWORD e = 1234;
  // A failure is the operation's failure value, and the fault's code as its last error (the
  // registry's calls return it instead).
  auto fails = [&](const char* op, auto&& call, auto failure, bool setsLastError = true) {
    sim::failCall(op, 1, e);
    SetLastError(0);
    auto result = call();
    EXPECT_EQ(result, failure) << op;
    if (setsLastError) {
      EXPECT_EQ(GetLastError(), e) << op;
    }
  };
  fails(
      "FindFirstFileA", [&] { return FindFirstFileA("C:\\d\\*", &d); }, kInvalidHandle);
  fails(
      "FindNextFileA", [&] { return FindNextFileA(search, &d); }, kFalse);
  fails(
      "FindClose", [&] { return FindClose(search); }, kFalse);
  fails(
      "CopyFileA", [&] { return CopyFileA("C:\\f", "C:\\g", kFalse); }, kFalse);
  fails(
      "MoveFileA", [&] { return MoveFileA("C:\\f", "C:\\g"); }, kFalse);
  fails(
      "DeleteFileA", [&] { return DeleteFileA("C:\\f"); }, kFalse);
  fails(
      "CreateDirectoryA", [&] { return CreateDirectoryA("C:\\e", nullptr); }, kFalse);
  fails(
      "RemoveDirectoryA", [&] { return RemoveDirectoryA("C:\\d"); }, kFalse);
  fails(
      "SetFileAttributesA", [&] { return SetFileAttributesA("C:\\f", 1); }, kFalse);
  fails(
      "GetFileAttributesA", [&] { return GetFileAttributesA("C:\\f"); }, kInvalidFileAttributes);
  fails(
      "GetCurrentDirectoryA", [&] { return GetCurrentDirectoryA(300, buffer); }, DWORD{0});
  fails(
      "SetCurrentDirectoryA", [&] { return SetCurrentDirectoryA("C:\\d"); }, kFalse);
  fails(
      "GetTempPathA", [&] { return GetTempPathA(300, buffer); }, DWORD{0});
  fails(
      "HeapCreate", [&] { return HeapCreate(0, 0, 0); }, HANDLE{nullptr});
  fails(
      "HeapAlloc", [&] { return HeapAlloc(heap, 0, 8); }, static_cast<void*>(nullptr));
  fails(
      "HeapReAlloc", [&] { return HeapReAlloc(heap, 0, block, 80); }, static_cast<void*>(nullptr));
  fails(
      "HeapFree", [&] { return HeapFree(heap, 0, block); }, kFalse);
  fails(
      "HeapWalk", [&] { return HeapWalk(heap, &entry); }, kFalse);
  fails(
      "HeapDestroy", [&] { return HeapDestroy(heap); }, kFalse);
  fails(
      "GetEnvironmentStrings", [&] { return GetEnvironmentStrings(); },
      static_cast<char*>(nullptr));
  fails(
      "FreeEnvironmentStringsA", [&] { return FreeEnvironmentStringsA(nullptr); }, kFalse);
  fails(
      "GetEnvironmentVariableA", [&] { return GetEnvironmentVariableA("PATH", buffer, 300); },
      DWORD{0});
  fails(
      "SetEnvironmentVariableA", [&] { return SetEnvironmentVariableA("A", "1"); }, kFalse);
  fails(
      "OpenClipboard", [&] { return OpenClipboard(nullptr); }, kFalse);
  ASSERT_TRUE(OpenClipboard(nullptr));
  fails(
      "EmptyClipboard", [&] { return EmptyClipboard(); }, kFalse);
  fails(
      "GetClipboardData", [&] { return GetClipboardData(kClipboardText); }, HANDLE{nullptr});
  fails(
      "SetClipboardData", [&] { return SetClipboardData(kClipboardText, global); },
      HANDLE{nullptr});
  fails(
      "CloseClipboard", [&] { return CloseClipboard(); }, kFalse);
  ASSERT_TRUE(CloseClipboard());
  fails(
      "GlobalAlloc", [&] { return GlobalAlloc(0, 4); }, HGLOBAL{nullptr});
  fails(
      "GlobalLock", [&] { return GlobalLock(global); }, static_cast<void*>(nullptr));
  fails(
      "GlobalUnlock", [&] { return GlobalUnlock(global); }, kFalse);
  fails(
      "GlobalSize", [&] { return GlobalSize(global); }, std::size_t{0});
  fails(
      "GlobalFree", [&] { return GlobalFree(global); }, global);
  HKEY another = nullptr;
  fails(
      "RegOpenKeyExA", [&] { return RegOpenKeyExA(kHkeyCurrentUser, "K", 0, kKeyRead, &another); },
      static_cast<LONG>(e), false);
  fails(
      "RegQueryValueExA",
      [&] { return RegQueryValueExA(key, "v", nullptr, nullptr, nullptr, &size); },
      static_cast<LONG>(e), false);
  fails(
      "RegCloseKey", [&] { return RegCloseKey(key); }, static_cast<LONG>(e), false);
  fails(
      "GetVersionExA", [&] { return GetVersionExA(&version); }, kFalse);
  fails(
      "CreateProcessA",
      [&] {
        return CreateProcessA(nullptr, line, nullptr, nullptr, kFalse, 0, nullptr, nullptr,
                              &startup, &info);
      },
      kFalse);
  fails(
      "ShellExecuteExA", [&] { return ShellExecuteExA(&shellInfo); }, kFalse);
  fails(
      "CloseHandle", [&] { return CloseHandle(nullptr); }, kFalse);
  fails(
      "SHGetSpecialFolderLocation", [&] { return SHGetSpecialFolderLocation(nullptr, 5, &list); },
      static_cast<HRESULT>(0x80070000u | e), false);
  fails(
      "LoadLibraryA", [&] { return LoadLibraryA("fake.dll"); }, HMODULE{nullptr});
  fails(
      "GetProcAddress", [&] { return GetProcAddress(shell, "SHBrowseForFolder"); },
      static_cast<void*>(nullptr));
  fails(
      "FreeLibrary", [&] { return FreeLibrary(shell); }, kFalse);
  fails(
      "GetAsyncKeyState", [&] { return GetAsyncKeyState(kVkReturn); }, SHORT{0});
  fails(
      "EnumWindows", [&] { return EnumWindows(nullptr, 0); }, kFalse);
  fails(
      "GetStdHandle", [&] { return GetStdHandle(kStdOutputHandle); }, kInvalidHandle);
  fails(
      "GetConsoleMode", [&] { return GetConsoleMode(nullptr, &mode); }, kFalse);
  fails(
      "SetConsoleMode", [&] { return SetConsoleMode(nullptr, 0); }, kFalse);
  fails(
      "GetConsoleScreenBufferInfo", [&] { return GetConsoleScreenBufferInfo(nullptr, &screen); },
      kFalse);
  fails(
      "SetConsoleTextAttribute", [&] { return SetConsoleTextAttribute(nullptr, 0); }, kFalse);
  fails(
      "GetModuleFileNameA", [&] { return GetModuleFileNameA(nullptr, buffer, 300); }, DWORD{0});
  fails(
      "CoInitialize", [&] { return CoInitialize(nullptr); }, static_cast<HRESULT>(0x80070000u | e));
  EXPECT_EQ(sim::faultsFired(), 53);

  // Nothing changed; what was open is open still.
  EXPECT_EQ(sim::fileContent("C:\\f"), "x");
  EXPECT_FALSE(sim::exists("C:\\g"));
  EXPECT_FALSE(sim::exists("C:\\e"));
  EXPECT_EQ(sim::currentDirectory(), "C:\\");
  EXPECT_TRUE(sim::processes().empty());
  EXPECT_EQ(heapBytesInUse(heap), 8u);
  EXPECT_EQ(sim::openHandles(),
            "search C:\\d\\*\nmodule SHELL32.DLL\nglobal memory\nregistry key HKCU\\K");
  EXPECT_TRUE(FindClose(search) && FreeLibrary(shell) && !GlobalFree(global));
  EXPECT_EQ(RegCloseKey(key), kErrorSuccess);
  EXPECT_TRUE(HeapDestroy(heap));

  sim::failCall("GetLastError", 1, 42);  // GetLastError "fails" by giving the code
  EXPECT_EQ(GetLastError(), 42u);
}

// ---- The call record ----

TEST_F(Sim, CallsAreRecordedWithTheirArgumentsFailedOnesToo) {
  sim::addFile("C:\\a.txt", "a");
  EXPECT_TRUE(sim::calls().empty());  // the control interface records nothing
  EXPECT_TRUE(CopyFileA("C:\\a.txt", "b.txt", kTrue));
  EXPECT_FALSE(DeleteFileA(nullptr));
  char buffer[10];
  GetCurrentDirectoryA(10, buffer);
  sim::failCall("GetFileAttributesA", 1, 5);
  GetFileAttributesA("C:\\missing");
  EXPECT_EQ(operations(),
            (Names{"CopyFileA", "DeleteFileA", "GetCurrentDirectoryA", "GetFileAttributesA"}));
  const auto& calls = sim::calls();
  EXPECT_EQ(calls[0].args, (Names{"C:\\a.txt", "b.txt", "1"}));
  EXPECT_EQ(calls[1].args, Names{"(null)"});
  ASSERT_EQ(calls[2].args.size(), 2u);
  EXPECT_EQ(calls[2].args[0], "10");
  EXPECT_EQ(calls[2].args[1].rfind("0x", 0), 0u);
  EXPECT_EQ(sim::callsOf("GetFileAttributesA")[0].args, Names{"C:\\missing"});
  EXPECT_TRUE(sim::callsOf("MoveFileA").empty());
  sim::clearCalls();
  EXPECT_TRUE(sim::calls().empty());
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

// ---- The control interface ----

TEST_F(Sim, ControlFunctionsSetUpAndReadTheFileSystem) {
  sim::addFile("C:\\one\\two\\f.txt", "content", kFileAttributeReadonly);
  EXPECT_TRUE(sim::isFolder("C:\\one\\two"));
  EXPECT_TRUE(sim::exists("c:/ONE/two/F.TXT"));
  EXPECT_FALSE(sim::isFolder("C:\\one\\two\\f.txt"));
  EXPECT_EQ(sim::fileContent("C:\\one\\two\\f.txt"), "content");
  EXPECT_EQ(sim::fileContent("C:\\one\\two"), "");
  EXPECT_EQ(sim::attributesOf("C:\\one\\two\\f.txt"), kFileAttributeReadonly);
  EXPECT_EQ(sim::attributesOf("C:\\one"), kFileAttributeDirectory);
  EXPECT_EQ(sim::attributesOf("C:\\missing"), kInvalidFileAttributes);

  sim::addFile("C:\\one\\two\\F.TXT", "replaced");  // same file: content and attributes replaced
  EXPECT_EQ(sim::fileContent("C:\\one\\two\\f.txt"), "replaced");
  EXPECT_EQ(sim::attributesOf("C:\\one\\two\\f.txt"), kFileAttributeArchive);
  EXPECT_EQ(sim::folderNames("C:\\one\\two"), Names{"f.txt"});

  sim::setCurrentDirectoryPath("C:\\one");
  sim::addFile("rel.txt");  // relative to the current directory
  EXPECT_TRUE(sim::exists("C:\\one\\rel.txt"));
  char buffer[50];
  EXPECT_EQ(GetCurrentDirectoryA(50, buffer), 6u);
  EXPECT_STREQ(buffer, "C:\\one");

  // No 260-character limit: the seam reaches a deep entry by a short relative text only.
  std::string deep = "C:\\" + std::string(200, 'a') + "\\" + std::string(200, 'b');
  sim::addFile(deep + "\\f.txt", "deep");
  EXPECT_TRUE(sim::exists(deep + "\\f.txt"));
  EXPECT_EQ(GetFileAttributesA((deep + "\\f.txt").c_str()), kInvalidFileAttributes);
  EXPECT_EQ(GetLastError(), kErrorFilenameExcedRange);
  sim::setCurrentDirectoryPath(deep);
  EXPECT_NE(GetFileAttributesA("f.txt"), kInvalidFileAttributes);
}

// ---- What Wine can't show ----

TEST_F(Sim, EntriesComeInCreationOrder) {  // Wine and NTFS sort them
  for (const char* name : {"zeta", "Alpha", "mid", "beta"})
    sim::addFile(std::string("C:\\d\\") + name);
  sim::addFolder("C:\\d\\sub");
  Names expected{"zeta", "Alpha", "mid", "beta", "sub"};
  EXPECT_EQ(sim::folderNames("C:\\d"), expected);
  WIN32_FIND_DATAA d;
  HANDLE h = FindFirstFileA("C:\\d\\*.*", &d);
  ASSERT_NE(h, kInvalidHandle);
  Names got{d.cFileName};
  sim::addFile("C:\\d\\late");  // a search sees the folder as it was when it started
  while (FindNextFileA(h, &d)) got.push_back(d.cFileName);
  EXPECT_TRUE(FindClose(h));
  expected.insert(expected.begin(), {".", ".."});
  EXPECT_EQ(got, expected);

  // A moved entry goes to the end; a copy onto an existing file keeps its place.
  EXPECT_TRUE(MoveFileA("C:\\d\\zeta", "C:\\d\\omega"));
  EXPECT_TRUE(CopyFileA("C:\\d\\beta", "C:\\d\\Alpha", kFalse));
  EXPECT_EQ(sim::folderNames("C:\\d"), (Names{"Alpha", "mid", "beta", "sub", "late", "omega"}));
}

TEST_F(Sim, DriveDAndOtherDrives) {
  sim::addFile("C:\\f.txt", "f");
  sim::addFolder("C:\\dir\\inner");
  EXPECT_TRUE(CreateDirectoryA("D:\\data", nullptr));
  EXPECT_TRUE(CopyFileA("C:\\f.txt", "d:\\data\\f.txt", kFalse));
  EXPECT_TRUE(MoveFileA("C:\\f.txt", "D:\\moved.txt"));  // files move across drives
  EXPECT_FALSE(MoveFileA("C:\\dir", "D:\\dir"));         // folders do not
  EXPECT_EQ(GetLastError(), kErrorNotSameDevice);
  // "D:name" with the current directory on C: starts at D:'s root.
  EXPECT_NE(GetFileAttributesA("D:data\\f.txt"), kInvalidFileAttributes);
  EXPECT_EQ(GetFileAttributesA("E:\\"), kInvalidFileAttributes);
  EXPECT_EQ(GetLastError(), kErrorPathNotFound);
  EXPECT_TRUE(SetCurrentDirectoryA("d:\\DATA"));
  EXPECT_EQ(sim::currentDirectory(), "d:\\DATA");
}

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

TEST_F(Sim, TheCurrentDirectoryCannotBeMovedOrRemoved) {
  sim::addFolder("C:\\a\\b");
  ASSERT_TRUE(SetCurrentDirectoryA("C:\\a\\b"));
  EXPECT_FALSE(MoveFileA("C:\\a", "C:\\z"));
  EXPECT_EQ(GetLastError(), kErrorSharingViolation);
  EXPECT_FALSE(RemoveDirectoryA("C:\\a\\b"));
  EXPECT_EQ(GetLastError(), kErrorSharingViolation);
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
