// The contract tests' fixture: the one place that knows which backend runs. Natively the seam is
// the simulation (sim/), under Wine it is Windows (win32/); the tests themselves use only the seam
// headers and what this header offers.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace contract {

// "sim" or "win32".
const char* backendName();

// Files with content, made and read outside the seam (the seam has no CreateFileA). Paths as the
// seam takes them (relative to the current directory, or absolute). readFile gives "<missing>"
// when the file can't be read.
void writeFile(const std::string& path, const std::string& content = "");
std::string readFile(const std::string& path);

// Files whose names the code page may lack: the path in UTF-8, made and looked at outside the
// seam (under Windows through the wide calls).
void writeUnicodeFile(const std::string& utf8Path, const std::string& content = "");
bool unicodeFileExists(const std::string& utf8Path);

// False where a read-only file does not stop CopyFileA from overwriting it: Wine run by root
// (Wine relies on the host's permission checks, which root passes). Everywhere else true.
bool readOnlyStopsOverwrite();

// Every test gets a fresh, empty folder, made the current directory: C:\work\ in the simulation
// (after reset()), a new folder under GetTempPathA under Windows, removed afterwards.
class Folder : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  std::string base;  // the test's folder: absolute, ending in a backslash
};

// ---- Helpers over the seam ----

constexpr unsigned char kPrime = 0xbd;
constexpr platform::DWORD kPrimeError = 0xbdbdbdbd;

// What a whole search gives: the names and attributes in order, or the error of FindFirstFileA.
struct Listing {
  bool found = false;
  platform::DWORD error = 0;  // FindFirstFileA's error, or FindNextFileA's at the end
  std::vector<std::string> names;
  std::vector<platform::DWORD> attributes;
};
Listing list(const std::string& pattern);

// Names of a listing without "." and "..", sorted (the file system's order differs).
std::vector<std::string> sortedNames(const Listing& l);

// The current directory, as GetCurrentDirectoryA gives it.
std::string currentDirectory();

bool primed(const void* p, std::size_t n);

// What GetFileAttributesA says of a path: an existing folder, or an existing file.
inline bool isFolder(platform::DWORD attributes) {
  return attributes != platform::kInvalidFileAttributes &&
         (attributes & platform::kFileAttributeDirectory);
}
inline bool isFile(platform::DWORD attributes) {
  return attributes != platform::kInvalidFileAttributes &&
         !(attributes & platform::kFileAttributeDirectory);
}

}  // namespace contract

// The call fails with `failure` as its result and `code` as the last error, which is primed
// before the call.
#define EXPECT_FAILS(expr, failure, code)                                \
  do {                                                                   \
    platform::SetLastError(contract::kPrimeError);                       \
    auto result_ = (expr);                                               \
    EXPECT_EQ(result_, (failure)) << #expr;                              \
    EXPECT_EQ(platform::GetLastError(), platform::DWORD{code}) << #expr; \
  } while (0)
