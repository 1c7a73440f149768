// The simulation's own control interface (sim.h): fault injection, the call record, reset and
// the state it sets up, and what the simulation does that Wine can't show. Native only: the
// Windows build compiles this file to nothing.
#if !defined(_WIN32)

#include <gtest/gtest.h>

#include <cstring>

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
  void TearDown() override { EXPECT_EQ(sim::openSearches(), 0); }
};

Names argsOf(const sim::Call& call) { return call.args; }

int resetCount = 0;
void countReset() { ++resetCount; }

}  // namespace

// ---- reset ----

TEST_F(Sim, ResetGivesAFreshMachine) {
  sim::addFile("C:\\a\\b.txt", "x");
  sim::addFolder("D:\\data");
  sim::setCurrentDirectoryPath("C:\\a");
  sim::failAlways("CopyFileA", kErrorAccessDenied);
  SetLastError(77);
  WIN32_FIND_DATAA d;
  HANDLE h = FindFirstFileA("C:\\a\\*", &d);
  ASSERT_NE(h, kInvalidHandle);
  EXPECT_EQ(sim::openSearches(), 1);

  sim::reset();
  EXPECT_FALSE(sim::exists("C:\\a"));
  EXPECT_FALSE(sim::exists("D:\\data"));
  EXPECT_TRUE(sim::isFolder("C:\\"));
  EXPECT_TRUE(sim::isFolder("D:\\"));
  EXPECT_FALSE(sim::exists("E:\\"));
  EXPECT_EQ(sim::folderNames("C:\\"), Names{});
  EXPECT_EQ(sim::currentDirectory(), "C:\\");
  EXPECT_EQ(sim::openSearches(), 0);
  EXPECT_EQ(sim::faultsFired(), 0);
  EXPECT_TRUE(sim::calls().empty());
  EXPECT_EQ(GetLastError(), 0u);
  sim::addFile("C:\\x", "1");
  EXPECT_TRUE(CopyFileA("C:\\x", "C:\\y", kFalse));  // the fault is gone
}

TEST_F(Sim, ResetCallsEveryRegisteredAreaOnce) {
  sim::registerReset(&countReset);
  sim::registerReset(&countReset);  // twice: still once per reset
  resetCount = 0;
  sim::reset();
  EXPECT_EQ(resetCount, 1);
  sim::reset();
  EXPECT_EQ(resetCount, 2);
}

TEST_F(Sim, HeapsOutliveReset) {
  HANDLE heap = HeapCreate(0, 0, 0);
  void* p = HeapAlloc(heap, 0, 40);
  ASSERT_NE(p, nullptr);
  sim::reset();
  EXPECT_EQ(heapBytesInUse(heap), 40u);
  EXPECT_TRUE(HeapFree(heap, 0, p));
  EXPECT_TRUE(HeapDestroy(heap));
}

TEST_F(Sim, ResetStartsCoInitializeAfresh) {
  EXPECT_EQ(CoInitialize(nullptr), 0);
  EXPECT_EQ(CoInitialize(nullptr), 1);
  sim::reset();
  EXPECT_EQ(CoInitialize(nullptr), 0);
}

// ---- Fault injection ----

TEST_F(Sim, FailCallFailsTheNthCallOnly) {
  sim::addFile("C:\\src", "s");
  sim::failCall("CopyFileA", 2, kErrorSharingViolation);
  EXPECT_TRUE(CopyFileA("C:\\src", "C:\\one", kFalse));
  SetLastError(0);
  EXPECT_FALSE(CopyFileA("C:\\src", "C:\\two", kFalse));
  EXPECT_EQ(GetLastError(), kErrorSharingViolation);
  EXPECT_FALSE(sim::exists("C:\\two"));  // a failed call has no effect
  EXPECT_TRUE(CopyFileA("C:\\src", "C:\\three", kFalse));
  EXPECT_EQ(sim::faultsFired(), 1);
}

TEST_F(Sim, FailCallCountsFromNowAndPerOperation) {
  sim::addFolder("C:\\d");
  EXPECT_NE(GetFileAttributesA("C:\\d"), kInvalidFileAttributes);  // before: not counted
  sim::failCall("GetFileAttributesA", 1, kErrorAccessDenied);
  EXPECT_TRUE(SetFileAttributesA("C:\\d", kFileAttributeHidden));  // another operation
  EXPECT_EQ(GetFileAttributesA("C:\\d"), kInvalidFileAttributes);
  EXPECT_EQ(GetLastError(), kErrorAccessDenied);
  EXPECT_NE(GetFileAttributesA("C:\\d"), kInvalidFileAttributes);
}

TEST_F(Sim, FailAlwaysFailsUntilClearFaults) {
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
  HANDLE h = FindFirstFileA("C:\\d\\*", &d);
  ASSERT_NE(h, kInvalidHandle);
  EXPECT_TRUE(FindClose(h));
}

TEST_F(Sim, EveryOperationCanBeMadeToFail) {
  sim::addFile("C:\\f", "x");
  sim::addFolder("C:\\d");
  HANDLE heap = HeapCreate(0, 0, 0);
  void* block = HeapAlloc(heap, 0, 8);
  WIN32_FIND_DATAA d;
  HANDLE search = FindFirstFileA("C:\\d\\*", &d);
  ASSERT_NE(search, kInvalidHandle);
  char buffer[300];
  const DWORD e = 1234;
  auto fails = [&](const char* op, auto&& call, auto failure) {
    sim::failCall(op, 1, e);
    SetLastError(0);
    EXPECT_EQ(call(), failure) << op;
    EXPECT_EQ(GetLastError(), e) << op;
  };
  fails("FindFirstFileA", [&] { return FindFirstFileA("C:\\d\\*", &d); }, kInvalidHandle);
  fails("FindNextFileA", [&] { return FindNextFileA(search, &d); }, kFalse);
  fails("FindClose", [&] { return FindClose(search); }, kFalse);
  fails("CopyFileA", [&] { return CopyFileA("C:\\f", "C:\\g", kFalse); }, kFalse);
  fails("MoveFileA", [&] { return MoveFileA("C:\\f", "C:\\g"); }, kFalse);
  fails("DeleteFileA", [&] { return DeleteFileA("C:\\f"); }, kFalse);
  fails("CreateDirectoryA", [&] { return CreateDirectoryA("C:\\e", nullptr); }, kFalse);
  fails("RemoveDirectoryA", [&] { return RemoveDirectoryA("C:\\d\\..\\e"); }, kFalse);
  fails("SetFileAttributesA", [&] { return SetFileAttributesA("C:\\f", 1); }, kFalse);
  fails("GetFileAttributesA", [&] { return GetFileAttributesA("C:\\f"); },
        kInvalidFileAttributes);
  fails("GetCurrentDirectoryA", [&] { return GetCurrentDirectoryA(300, buffer); }, DWORD{0});
  fails("SetCurrentDirectoryA", [&] { return SetCurrentDirectoryA("C:\\d"); }, kFalse);
  fails("GetTempPathA", [&] { return GetTempPathA(300, buffer); }, DWORD{0});
  fails("HeapCreate", [&] { return HeapCreate(0, 0, 0); }, HANDLE{nullptr});
  fails("HeapAlloc", [&] { return HeapAlloc(heap, 0, 8); }, static_cast<void*>(nullptr));
  fails("HeapReAlloc", [&] { return HeapReAlloc(heap, 0, block, 80); },
        static_cast<void*>(nullptr));
  fails("HeapFree", [&] { return HeapFree(heap, 0, block); }, kFalse);
  fails("HeapDestroy", [&] { return HeapDestroy(heap); }, kFalse);
  EXPECT_EQ(sim::faultsFired(), 18);

  // Nothing changed.
  EXPECT_EQ(sim::fileContent("C:\\f"), "x");
  EXPECT_FALSE(sim::exists("C:\\g"));
  EXPECT_FALSE(sim::exists("C:\\e"));
  EXPECT_EQ(sim::currentDirectory(), "C:\\");
  EXPECT_EQ(heapBytesInUse(heap), 8u);
  EXPECT_EQ(sim::openSearches(), 1);
  EXPECT_TRUE(FindClose(search));
  EXPECT_TRUE(HeapDestroy(heap));

  // CoInitialize fails with the HRESULT of the error; GetLastError "fails" by giving the code.
  sim::failCall("CoInitialize", 1, 5);
  EXPECT_EQ(static_cast<std::uint32_t>(CoInitialize(nullptr)), 0x80070005u);
  sim::failCall("GetLastError", 1, 42);
  EXPECT_EQ(GetLastError(), 42u);
}

TEST_F(Sim, TwoFaultsOnOneOperationCountIndependently) {
  sim::addFolder("C:\\d");
  sim::failCall("GetFileAttributesA", 1, 5);
  sim::failCall("GetFileAttributesA", 3, 6);
  EXPECT_EQ(GetFileAttributesA("C:\\d"), kInvalidFileAttributes);
  EXPECT_EQ(GetLastError(), 5u);
  EXPECT_NE(GetFileAttributesA("C:\\d"), kInvalidFileAttributes);
  EXPECT_EQ(GetFileAttributesA("C:\\d"), kInvalidFileAttributes);
  EXPECT_EQ(GetLastError(), 6u);
  EXPECT_NE(GetFileAttributesA("C:\\d"), kInvalidFileAttributes);
  EXPECT_EQ(sim::faultsFired(), 2);
}

// ---- The call record ----

TEST_F(Sim, CallsAreRecordedWithTheirArguments) {
  sim::addFile("C:\\a.txt", "a");
  EXPECT_TRUE(sim::calls().empty());  // the control interface records nothing
  EXPECT_TRUE(CopyFileA("C:\\a.txt", "b.txt", kTrue));
  EXPECT_FALSE(DeleteFileA(nullptr));
  char buffer[10];
  GetCurrentDirectoryA(10, buffer);

  const auto& calls = sim::calls();
  ASSERT_EQ(calls.size(), 3u);
  EXPECT_EQ(calls[0].operation, "CopyFileA");
  EXPECT_EQ(argsOf(calls[0]), (Names{"C:\\a.txt", "b.txt", "1"}));
  EXPECT_EQ(calls[1].operation, "DeleteFileA");
  EXPECT_EQ(argsOf(calls[1]), Names{"(null)"});
  EXPECT_EQ(calls[2].operation, "GetCurrentDirectoryA");
  ASSERT_EQ(calls[2].args.size(), 2u);
  EXPECT_EQ(calls[2].args[0], "10");
  EXPECT_EQ(calls[2].args[1].rfind("0x", 0), 0u);

  sim::clearCalls();
  EXPECT_TRUE(sim::calls().empty());
}

TEST_F(Sim, CallsOfPicksOneOperationInOrder) {
  sim::addFolder("C:\\d");
  GetFileAttributesA("C:\\d");
  CreateDirectoryA("C:\\e", nullptr);
  sim::failCall("GetFileAttributesA", 1, 5);
  GetFileAttributesA("C:\\missing");  // a failed call is recorded too
  auto got = sim::callsOf("GetFileAttributesA");
  ASSERT_EQ(got.size(), 2u);
  EXPECT_EQ(got[0].args, Names{"C:\\d"});
  EXPECT_EQ(got[1].args, Names{"C:\\missing"});
  EXPECT_TRUE(sim::callsOf("MoveFileA").empty());
  EXPECT_EQ(sim::callsOf("CreateDirectoryA")[0].args, (Names{"C:\\e", "0x0"}));
}

TEST_F(Sim, HeapCallsAreRecorded) {
  HANDLE heap = HeapCreate(0, 0, 0);
  void* p = HeapAlloc(heap, kHeapZeroMemory, 24);
  HeapFree(heap, 0, p);
  HeapDestroy(heap);
  InitCommonControls();
  Names ops;
  for (const auto& c : sim::calls()) ops.push_back(c.operation);
  EXPECT_EQ(ops, (Names{"HeapCreate", "HeapAlloc", "HeapFree", "HeapDestroy",
                        "InitCommonControls"}));
  EXPECT_EQ(sim::callsOf("HeapAlloc")[0].args[1], "8");
  EXPECT_EQ(sim::callsOf("HeapAlloc")[0].args[2], "24");
}

// ---- The control interface ----

TEST_F(Sim, ControlFunctionsSetUpAndReadTheFileSystem) {
  sim::addFile("C:\\one\\two\\f.txt", "content", kFileAttributeReadonly);
  EXPECT_TRUE(sim::isFolder("C:\\one\\two"));
  EXPECT_TRUE(sim::exists("c:/ONE/two/F.TXT"));
  EXPECT_FALSE(sim::isFolder("C:\\one\\two\\f.txt"));
  EXPECT_EQ(sim::fileContent("C:\\one\\two\\f.txt"), "content");
  EXPECT_EQ(sim::fileContent("C:\\one\\two"), "");
  EXPECT_EQ(sim::fileContent("C:\\missing"), "");
  EXPECT_EQ(sim::attributesOf("C:\\one\\two\\f.txt"), kFileAttributeReadonly);
  EXPECT_EQ(sim::attributesOf("C:\\one"), kFileAttributeDirectory);
  EXPECT_EQ(sim::attributesOf("C:\\missing"), kInvalidFileAttributes);

  sim::addFile("C:\\one\\two\\F.TXT", "replaced");  // same file: content and attributes replaced
  EXPECT_EQ(sim::fileContent("C:\\one\\two\\f.txt"), "replaced");
  EXPECT_EQ(sim::attributesOf("C:\\one\\two\\f.txt"), kFileAttributeArchive);
  EXPECT_EQ(sim::folderNames("C:\\one\\two"), Names{"f.txt"});

  sim::setCurrentDirectoryPath("C:\\one");
  EXPECT_EQ(sim::currentDirectory(), "C:\\one");
  sim::addFile("rel.txt");  // relative to the current directory
  EXPECT_TRUE(sim::exists("C:\\one\\rel.txt"));
  char buffer[50];
  EXPECT_EQ(GetCurrentDirectoryA(50, buffer), 6u);
  EXPECT_STREQ(buffer, "C:\\one");
}

TEST_F(Sim, EntriesComeInCreationOrder) {  // Wine and NTFS sort them instead
  for (const char* name : {"zeta", "Alpha", "mid", "beta"}) sim::addFile(std::string("C:\\d\\") + name);
  sim::addFolder("C:\\d\\sub");
  Names expected{"zeta", "Alpha", "mid", "beta", "sub"};
  EXPECT_EQ(sim::folderNames("C:\\d"), expected);
  WIN32_FIND_DATAA d;
  HANDLE h = FindFirstFileA("C:\\d\\*.*", &d);
  ASSERT_NE(h, kInvalidHandle);
  Names got{d.cFileName};
  while (FindNextFileA(h, &d)) got.push_back(d.cFileName);
  EXPECT_TRUE(FindClose(h));
  expected.insert(expected.begin(), {".", ".."});
  EXPECT_EQ(got, expected);

  // A moved entry goes to the end; a copy onto an existing file keeps its place.
  EXPECT_TRUE(MoveFileA("C:\\d\\zeta", "C:\\d\\omega"));
  EXPECT_TRUE(CopyFileA("C:\\d\\beta", "C:\\d\\Alpha", kFalse));
  EXPECT_EQ(sim::folderNames("C:\\d"), (Names{"Alpha", "mid", "beta", "sub", "omega"}));
}

TEST_F(Sim, OpenSearchesCountsHandlesNotYetClosed) {
  sim::addFile("C:\\d\\a");
  WIN32_FIND_DATAA d;
  HANDLE a = FindFirstFileA("C:\\d\\*", &d);
  HANDLE b = FindFirstFileA("C:\\d\\a", &d);
  ASSERT_NE(a, kInvalidHandle);
  ASSERT_NE(b, kInvalidHandle);
  EXPECT_NE(a, b);
  EXPECT_EQ(sim::openSearches(), 2);
  EXPECT_TRUE(FindClose(a));
  EXPECT_EQ(sim::openSearches(), 1);
  EXPECT_FALSE(FindClose(a));  // closed already
  EXPECT_EQ(GetLastError(), kErrorInvalidHandle);
  EXPECT_TRUE(FindClose(b));
}

// ---- What Wine can't show ----

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

TEST_F(Sim, CopyOntoReadOnlyIsAlwaysRefused) {
  sim::addFile("C:\\src", "new");
  sim::addFile("C:\\ro", "old", kFileAttributeReadonly);
  EXPECT_FALSE(CopyFileA("C:\\src", "C:\\ro", kFalse));
  EXPECT_EQ(GetLastError(), kErrorAccessDenied);
  EXPECT_EQ(sim::fileContent("C:\\ro"), "old");
}

TEST_F(Sim, AttributesFollowWindowsWhereWineCannot) {
  sim::addFile("C:\\f");
  sim::addFolder("C:\\d");
  EXPECT_EQ(sim::attributesOf("C:\\f"), kFileAttributeArchive);
  EXPECT_TRUE(SetFileAttributesA("C:\\f", kFileAttributeNormal));
  EXPECT_EQ(GetFileAttributesA("C:\\f"), kFileAttributeNormal);
  EXPECT_TRUE(SetFileAttributesA("C:\\f", 0));
  EXPECT_EQ(GetFileAttributesA("C:\\f"), kFileAttributeNormal);
  EXPECT_TRUE(SetFileAttributesA("C:\\f", kFileAttributeReadonly | kFileAttributeNormal));
  EXPECT_EQ(GetFileAttributesA("C:\\f"), kFileAttributeReadonly);
  EXPECT_TRUE(SetFileAttributesA("C:\\d", kFileAttributeReadonly | kFileAttributeDirectory));
  EXPECT_EQ(GetFileAttributesA("C:\\d"), kFileAttributeDirectory | kFileAttributeReadonly);
  sim::addFile("C:\\.hidden");
  EXPECT_EQ(GetFileAttributesA("C:\\.hidden"), kFileAttributeArchive);  // Wine: hidden
}

TEST_F(Sim, SearchesSeeTheFolderAsItWasWhenTheyStarted) {
  sim::addFile("C:\\d\\a");
  WIN32_FIND_DATAA d;
  HANDLE h = FindFirstFileA("C:\\d\\*", &d);
  ASSERT_NE(h, kInvalidHandle);
  sim::addFile("C:\\d\\b");
  EXPECT_TRUE(DeleteFileA("C:\\d\\a"));
  Names got{d.cFileName};
  while (FindNextFileA(h, &d)) got.push_back(d.cFileName);
  EXPECT_EQ(got, (Names{".", "..", "a"}));
  EXPECT_TRUE(FindClose(h));
}

TEST_F(Sim, CreateDirectoryRefusesSecurityAttributes) {
  int fake = 0;
  EXPECT_FALSE(CreateDirectoryA("C:\\x", &fake));
  EXPECT_EQ(GetLastError(), kErrorInvalidParameter);
  EXPECT_FALSE(sim::exists("C:\\x"));
}

TEST_F(Sim, MovingTheCurrentDirectoryAwayIsRefused) {
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

TEST_F(Sim, ControlFunctionsReachPastTheLimit) {
  std::string deep = "C:\\" + std::string(200, 'a') + "\\" + std::string(200, 'b');
  sim::addFile(deep + "\\f.txt", "deep");
  EXPECT_TRUE(sim::exists(deep + "\\f.txt"));
  EXPECT_EQ(GetFileAttributesA((deep + "\\f.txt").c_str()), kInvalidFileAttributes);
  EXPECT_EQ(GetLastError(), kErrorFilenameExcedRange);
  sim::setCurrentDirectoryPath(deep);  // from there, the seam reaches it by a short text
  EXPECT_NE(GetFileAttributesA("f.txt"), kInvalidFileAttributes);
}

TEST_F(Sim, HeapDetails) {
  HANDLE heap = HeapCreate(0, 0, 0);
  auto* p = static_cast<unsigned char*>(HeapAlloc(heap, 0, 4));
  ASSERT_NE(p, nullptr);
  EXPECT_EQ(p[0], 0xCD);  // fresh memory is not zero
  void* q = HeapReAlloc(heap, 0, p, 4);
  EXPECT_NE(q, static_cast<void*>(p));  // always moved
  EXPECT_FALSE(HeapFree(heap, 0, p));   // the old block is gone
  EXPECT_EQ(GetLastError(), kErrorInvalidParameter);
  EXPECT_TRUE(HeapFree(heap, 0, q));
  EXPECT_FALSE(HeapFree(heap, 0, q));   // freed twice
  EXPECT_TRUE(HeapDestroy(heap));
  EXPECT_FALSE(HeapDestroy(heap));
  EXPECT_EQ(GetLastError(), kErrorInvalidHandle);
  EXPECT_EQ(heapBytesInUse(heap), 0u);

  HANDLE fixed = HeapCreate(0, 0, 100);  // a heap with a maximum size
  void* a = HeapAlloc(fixed, 0, 60);
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(HeapAlloc(fixed, 0, 60), nullptr);
  EXPECT_EQ(HeapReAlloc(fixed, 0, a, 101), nullptr);
  EXPECT_EQ(heapBytesInUse(fixed), 60u);
  EXPECT_TRUE(HeapDestroy(fixed));
}

#endif  // !_WIN32
