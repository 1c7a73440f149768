// The contract tests' fixture: the one place that knows which backend runs. Natively the seam is
// the simulation (sim/), under Wine it is Windows (win32/); the tests use only the seam headers
// and what this header offers.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "platform/platform.h"

namespace contract {

#if defined(_WIN32)
constexpr bool kSimulated = false;
#else
constexpr bool kSimulated = true;
#endif

// Files made and read outside the seam, which cannot: made by a path in UTF-8 (so with names the
// code page lacks, under Windows through the wide calls), read by one in the code page,
// "<missing>" when unreadable.
void writeFile(const std::string& utf8Path, const std::string& content = "");
std::string readFile(const std::string& path);

// Registry values under kTestKey of the current user, stored byte for byte, keys made on the way.
constexpr const char* kTestKey = "Software\\ZorvelContract";
void setTestValue(const std::string& subkey, const std::string& name, const std::string& bytes,
                  platform::DWORD type = platform::kRegSz);
void clearTestKey();
// A top-level window of this thread, or null where the backend shows none (Wine, no display).
platform::HWND makeTestWindow(bool visible, bool enabled);
void destroyTestWindow(platform::HWND window);

// A fresh, empty folder as the current directory: C:\work\ in the simulation, a new folder
// under the temporary folder under Windows, removed afterwards.
class Folder : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  std::string base;  // absolute, ending in a backslash
};

constexpr unsigned char kPrime = 0xbd;
constexpr platform::DWORD kPrimeError = 0xbdbdbdbd;
bool primed(const void* p, std::size_t n);

}  // namespace contract

// The call fails with `failure` as its result and `code` as the last error, primed before.
#define EXPECT_FAILS(expr, failure, code)                                \
  do {                                                                   \
    platform::SetLastError(contract::kPrimeError);                       \
    auto result_ = (expr);                                               \
    EXPECT_EQ(result_, (failure)) << #expr;                              \
    EXPECT_EQ(platform::GetLastError(), platform::DWORD{code}) << #expr; \
  } while (0)
