// The real library under Wine over a fresh folder of the real file system, removed afterwards,
// with the console captured and the answers to the listing's question scripted.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "platform/desktop.h"
#include "platform/files.h"
#include "runtime/runtime.h"

namespace wine {

inline std::string readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return "<missing>";
  return std::string(std::istreambuf_iterator<char>(in), {});
}

inline void writeFile(const std::string& path, const std::string& content) {
  std::ofstream(path, std::ios::binary) << content;
}

inline bool isFolder(const std::string& path) {
  platform::DWORD attributes = platform::GetFileAttributesA(path.c_str());
  return attributes != 0xFFFFFFFF && (attributes & platform::kFileAttributeDirectory);
}

inline bool exists(const std::string& path) {
  return platform::GetFileAttributesA(path.c_str()) != 0xFFFFFFFF;
}

// Names in a folder, "." and ".." left out, in the file system's order.
inline std::vector<std::string> namesIn(const std::string& folder) {
  std::vector<std::string> names;
  platform::WIN32_FIND_DATAA found;
  platform::HANDLE h = platform::FindFirstFileA((folder + "\\*").c_str(), &found);
  if (h == platform::kInvalidHandle) return names;
  do {
    std::string name = found.cFileName;
    if (name != "." && name != "..") names.push_back(name);
  } while (platform::FindNextFileA(h, &found));
  platform::FindClose(h);
  return names;
}

// A tree as relative path -> content ("/" for a folder).
using Tree = std::map<std::string, std::string>;
inline Tree treeOf(const std::string& folder, const std::string& prefix = "") {
  Tree tree;
  for (const std::string& name : namesIn(folder)) {
    std::string path = folder + "\\" + name;
    if (isFolder(path)) {
      tree[prefix + name + "\\"] = "/";
      for (auto& [k, v] : treeOf(path, prefix + name + "\\")) tree[k] = v;
    } else {
      tree[prefix + name] = readFile(path);
    }
  }
  return tree;
}

inline void removeTree(const std::string& folder) {
  for (const std::string& name : namesIn(folder)) {
    std::string path = folder + "\\" + name;
    platform::SetFileAttributesA(path.c_str(), platform::kFileAttributeNormal);
    if (isFolder(path)) {
      removeTree(path);
    } else {
      platform::DeleteFileA(path.c_str());
    }
  }
  platform::RemoveDirectoryA(folder.c_str());
}

inline std::string currentDirectory() {
  char buffer[platform::kMaxPath];
  platform::DWORD n = platform::GetCurrentDirectoryA(sizeof buffer, buffer);
  return n && n < sizeof buffer ? std::string(buffer, n) : std::string();
}

class WorkFolder : public ::testing::Test {
 protected:
  void SetUp() override {
    quenda::Result loaded = runtime.load("zorvel.dll");
    ASSERT_TRUE(loaded.ok()) << *loaded.error;
    runtime.hooks().printLine = [this](std::string_view line) { lines.emplace_back(line); };
    runtime.hooks().askText = [this](std::string_view) -> std::optional<std::string> {
      if (answers.empty()) return std::nullopt;
      std::string answer = answers.front();
      answers.pop_front();
      return answer;
    };
    startDirectory = currentDirectory();
    char temp[platform::kMaxPath];
    platform::DWORD n = platform::GetTempPathA(sizeof temp, temp);
    ASSERT_GT(n, 0u);
    static int counter = 0;
    work = std::string(temp, n) + "zv_classes_" + std::to_string(platform::GetCurrentProcessId()) +
           "_" + std::to_string(++counter);
    removeTree(work);
    ASSERT_TRUE(platform::CreateDirectoryA(work.c_str(), nullptr)) << work;
  }
  void TearDown() override {
    platform::SetCurrentDirectoryA(startDirectory.c_str());
    removeTree(work);
  }

  std::string at(const std::string& relative) const { return work + "\\" + relative; }
  void addFile(const std::string& relative, const std::string& content = "x") {
    std::string path = at(relative);
    for (std::size_t i = work.size() + 1; i < path.size(); ++i) {
      if (path[i] == '\\') platform::CreateDirectoryA(path.substr(0, i).c_str(), nullptr);
    }
    writeFile(path, content);
  }
  void addFolder(const std::string& relative) {
    std::string path = at(relative) + "\\";
    for (std::size_t i = work.size() + 1; i < path.size(); ++i) {
      if (path[i] == '\\') platform::CreateDirectoryA(path.substr(0, i).c_str(), nullptr);
    }
  }

  quenda::ValueRef object(const char* className, const std::string& path) {
    quenda::Result made = runtime.newObject(className, path);
    EXPECT_TRUE(made.ok()) << made.error.value_or("");
    return made.value;
  }
  quenda::ValueRef call(const quenda::ValueRef& self, std::string_view member,
                        std::vector<quenda::ValueRef> args = {}) {
    quenda::Result result = runtime.callMethod(self, member, std::move(args));
    EXPECT_TRUE(result.ok()) << member << ": " << result.error.value_or("");
    return result.value;
  }

  quenda::Runtime runtime;
  std::vector<std::string> lines;
  std::deque<std::string> answers;
  std::string startDirectory;
  std::string work;  // no closing backslash
};

}  // namespace wine
