// What the tests of the real library under Wine share: a fresh folder of the real file system,
// removed afterwards, with the library loaded; waiting for what happens on its own (a started
// program, a dialog).
#pragma once

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>

#include "runtime/runtime.h"
// After the library's headers: windows.h defines several of their names as macros.
#include <windows.h>

namespace wine {

inline std::string readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return "<missing>";
  return std::string(std::istreambuf_iterator<char>(in), {});
}

inline bool exists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Waits until `ready()` holds, looking every 50 ms up to one generous deadline (a loaded machine
// may take long to get there); whether it came.
template <class Ready>
bool waitUntil(Ready ready, int seconds = 120) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
  while (!ready()) {
    if (std::chrono::steady_clock::now() >= end) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return true;
}

// A visible dialog of this process; null when none came before `done` was set.
inline HWND waitForDialog(const std::atomic<bool>& done = false) {
  HWND found = nullptr;
  waitUntil([&] {
    for (HWND w = FindWindowA("#32770", nullptr); w && !found;
         w = FindWindowExA(nullptr, w, "#32770", nullptr)) {
      DWORD process = 0;
      GetWindowThreadProcessId(w, &process);
      if (process == GetCurrentProcessId() && IsWindowVisible(w)) found = w;
    }
    return found || done;
  });
  return found;
}

class WorkFolder : public ::testing::Test {
 protected:
  void SetUp() override {
    quenda::Result loaded = runtime.load("zorvel.dll");
    ASSERT_TRUE(loaded.ok()) << *loaded.error;
    startDirectory = std::filesystem::current_path();
    // At the root of drive C:, where the folder browser opens without a walk through the
    // profile's folders.
    static int counter = 0;
    work = "C:\\zv_wine_" + std::to_string(GetCurrentProcessId()) + "_" + std::to_string(++counter);
    ASSERT_TRUE(CreateDirectoryA(work.c_str(), nullptr)) << work;
  }
  void TearDown() override {
    std::error_code ignored;
    std::filesystem::current_path(startDirectory, ignored);
    std::filesystem::remove_all(work, ignored);
  }

  std::string at(const std::string& relative) const { return work + "\\" + relative; }
  // Creates the folders of the path below the work folder, up to its last backslash.
  void addFolders(const std::string& path) {
    for (std::size_t i = work.size() + 1; i < path.size(); ++i)
      if (path[i] == '\\') CreateDirectoryA(path.substr(0, i).c_str(), nullptr);
  }
  void addFile(const std::string& relative, const std::string& content = "x") {
    addFolders(at(relative));
    std::ofstream(at(relative), std::ios::binary) << content;
  }

  quenda::Runtime runtime;
  std::filesystem::path startDirectory;
  std::string work;  // no closing backslash
};

}  // namespace wine
