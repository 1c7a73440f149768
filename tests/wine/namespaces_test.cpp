// dir, env and clip of the real zorvel.dll under Wine, against the process's own current
// directory, environment and clipboard.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstring>
#include <deque>
#include <fstream>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "common/calls.h"
#include "platform/clipboard.h"
#include "platform/desktop.h"
#include "platform/environment.h"
#include "platform/files.h"
#include "platform/shell.h"
#include "runtime/runtime.h"
#include "work_folder.h"

namespace {

using namespace platform;

using wine::currentDirectory;

class RealNamespaces : public wine::WorkFolder {
 protected:
  quenda::Result call(const std::string& path, const std::vector<std::string>& args = {}) {
    return calls::callWithTexts(runtime, path, args);
  }
  quenda::Result pick(const std::string& path, const std::string& answer) {
    lines.clear();
    answers = {answer};
    return call(path);
  }
  static std::string describe(const quenda::Result& result) { return calls::describe(result); }
  // The number a dir.sel line shows for an entry's text ("[sub]" or "a.txt"), or "".
  std::string numberOf(const std::string& shown) {
    for (const auto& line : lines)
      if (line.size() > 20 && line.substr(20) == shown) return line.substr(6, 2);
    return "";
  }
};

TEST_F(RealNamespaces, SelListsAndPicksEntriesOfTheCurrentDirectory) {
  addFile("a.txt");
  addFolder("sub");
  addFile("h");
  SetFileAttributesA(at("h").c_str(), kFileAttributeHidden);
  ASSERT_TRUE(SetCurrentDirectoryA(work.c_str()));

  EXPECT_EQ(describe(pick("dir.sel", "0")), "none");
  // Wine enumerates in the host file system's order: compare without it.
  std::vector<std::string> shown;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    std::string prefix = "$cyan$ " + std::to_string(i + 1) + " $gray$-$n$ ";
    ASSERT_EQ(lines[i].substr(0, prefix.size()), prefix) << lines[i];
    shown.push_back(lines[i].substr(prefix.size()));
  }
  std::sort(shown.begin(), shown.end());
  EXPECT_EQ(shown, (std::vector<std::string>{"[..]", "[sub]", "a.txt", "h"}));

  pick("dir.sel", "0");
  EXPECT_EQ(describe(pick("dir.sel", numberOf("a.txt"))), "file " + work + "\\a.txt");
  EXPECT_EQ(currentDirectory(), work);
  for (const char* outside : {"-1", "5"}) {
    EXPECT_EQ(describe(pick("dir.sel", outside)), "none");
    EXPECT_EQ(currentDirectory(), work);
  }
  pick("dir.sel", "0");
  EXPECT_EQ(describe(pick("dir.sel", numberOf("[sub]"))), "folder " + work + "\\sub\\");
  EXPECT_EQ(currentDirectory(), work + "\\sub");
  pick("dir.sel", "0");
  EXPECT_EQ(describe(pick("dir.sel", numberOf("[..]"))), "folder " + work + "\\");
  EXPECT_EQ(currentDirectory(), work);
}

TEST_F(RealNamespaces, UpDownGetAndSet) {
  addFolder("sub");
  ASSERT_TRUE(SetCurrentDirectoryA((work + "\\sub").c_str()));
  EXPECT_EQ(describe(call("dir.get")), "folder " + work + "\\sub\\");
  EXPECT_EQ(describe(call("dir.up")), "folder " + work + "\\");
  EXPECT_EQ(describe(call("dir.down", {"sub"})), "folder " + work + "\\sub\\");
  EXPECT_EQ(describe(call("dir.down", {".."})), "folder " + work + "\\");
  EXPECT_EQ(describe(call("dir.down", {"C:\\"})), "folder " + work + "\\");
  EXPECT_EQ(describe(call("dir.set", {"sub"})), "none");
  EXPECT_EQ(currentDirectory(), work + "\\sub");
  EXPECT_EQ(describe(call("dir.set", {work + "\\missing"})), "none");
  EXPECT_EQ(currentDirectory(), work + "\\sub");

  ASSERT_TRUE(SetCurrentDirectoryA("C:\\"));
  EXPECT_EQ(describe(call("dir.get")), "folder C:\\");
  EXPECT_EQ(describe(call("dir.up")), "folder C:\\");
  EXPECT_EQ(currentDirectory(), "C:\\");
}

TEST_F(RealNamespaces, SpecialFoldersAreTheShellsPathsWithABackslash) {
  ASSERT_TRUE(SetCurrentDirectoryA(work.c_str()));
  struct Member {
    const char* name;
    int csidl;
  };
  for (Member m : {Member{"dir.desk", 0x10}, Member{"dir.home", 0x28}, Member{"dir.docs", 0x05},
                   Member{"dir.progs", 0x26}}) {
    ITEMIDLIST* list = nullptr;
    ASSERT_EQ(SHGetSpecialFolderLocation(nullptr, m.csidl, &list), kSOk);
    char path[kMaxPath];
    ASSERT_TRUE(SHGetPathFromIDListA(list, path));
    CoTaskMemFree(list);
    EXPECT_EQ(describe(call(m.name)), "folder " + std::string(path) + "\\") << m.name;
  }
  EXPECT_EQ(currentDirectory(), work);
}

TEST_F(RealNamespaces, EnvironmentOfTheProcess) {
  ASSERT_TRUE(SetEnvironmentVariableA("ZV_WINE_A", "b=c"));
  ASSERT_TRUE(SetEnvironmentVariableA("=Q:", "Q:\\w"));
  EXPECT_EQ(describe(call("env.get", {"zv_wine_a"})), "text b=c");
  EXPECT_EQ(describe(call("env.get", {"ZV_WINE_MISSING"})), "text ");
  EXPECT_EQ(describe(call("env.set", {"ZV_WINE_E", ""})), "none");
  EXPECT_EQ(GetEnvironmentVariableA("ZV_WINE_E", nullptr, 0), 1u);  // set, and empty
  EXPECT_EQ(describe(call("env.get", {"ZV_WINE_E"})), "text ");

  // env.all is the block, in its order.
  std::vector<std::pair<std::string, std::string>> expected;
  char* block = GetEnvironmentStrings();
  ASSERT_NE(block, nullptr);
  for (const char* at = block; *at; at += std::strlen(at) + 1) {
    const char* equals = std::strchr(at, '=');
    expected.emplace_back(equals ? std::string(at, equals) : "", equals ? equals + 1 : "");
  }
  FreeEnvironmentStringsA(block);
  quenda::Result all = call("env.all");
  ASSERT_TRUE(all.ok());
  std::vector<std::pair<std::string, std::string>> got;
  for (const auto& pair : all.value.elements())
    got.emplace_back(pair.elements().at(0).text(), pair.elements().at(1).text());
  EXPECT_EQ(got, expected);
  auto has = [&](const std::pair<std::string, std::string>& p) {
    return std::find(got.begin(), got.end(), p) != got.end();
  };
  EXPECT_TRUE(has({"ZV_WINE_A", "b=c"}));
  EXPECT_TRUE(has({"ZV_WINE_E", ""}));
  EXPECT_TRUE(has({"", "Q:=Q:\\w"}));

  lines.clear();
  EXPECT_EQ(describe(call("env.showAll")), "none");
  ASSERT_EQ(lines.size(), expected.size());
  for (std::size_t i = 0; i < lines.size(); ++i) EXPECT_EQ(lines[i], expected[i].first);

  SetEnvironmentVariableA("ZV_WINE_A", nullptr);
  SetEnvironmentVariableA("ZV_WINE_E", nullptr);
  SetEnvironmentVariableA("=Q:", nullptr);
}

// Places bytes as the clipboard's only format, as another program would.
void placeClipboard(UINT format, const std::string& bytes) {
  ASSERT_TRUE(OpenClipboard(nullptr));
  EmptyClipboard();
  HGLOBAL block = GlobalAlloc(kGmemMoveable | kGmemDdeShare, bytes.size());
  std::memcpy(GlobalLock(block), bytes.data(), bytes.size());
  GlobalUnlock(block);
  if (!SetClipboardData(format, block)) GlobalFree(block);
  CloseClipboard();
}

TEST_F(RealNamespaces, ClipboardText) {
  EXPECT_EQ(describe(call("clip.set", {"hello"})), "none");
  EXPECT_EQ(describe(call("clip.get")), "text hello");
  EXPECT_EQ(describe(call("clip.set", {""})), "none");
  EXPECT_EQ(describe(call("clip.get")), "text ");

  placeClipboard(kClipboardText, std::string("abc\0def\0", 8));
  EXPECT_EQ(describe(call("clip.get")), "text abc");
  placeClipboard(kClipboardDib, std::string(44, '\0'));
  EXPECT_EQ(describe(call("clip.get")), "text ");
}

TEST_F(RealNamespaces, ClipboardHeldByAnotherThread) {
  // Wine lets openers without a window share the clipboard, so the holder opens it with one.
  HWND window = GetForegroundWindow();
  if (!window) GTEST_SKIP() << "no window to hold the clipboard with";
  placeClipboard(kClipboardText, std::string("old\0", 4));
  std::atomic<int> stage{0};
  std::thread holder([&] {
    stage = OpenClipboard(window) ? 1 : -1;
    while (stage == 1) std::this_thread::sleep_for(std::chrono::milliseconds(5));
    CloseClipboard();
  });
  while (stage == 0) std::this_thread::sleep_for(std::chrono::milliseconds(5));
  ASSERT_EQ(stage, 1);
  EXPECT_EQ(describe(call("clip.get")), "text ");
  EXPECT_EQ(describe(call("clip.set", {"new"})), "none");
  stage = 2;
  holder.join();
  EXPECT_EQ(describe(call("clip.get")), "text old");
}

}  // namespace
