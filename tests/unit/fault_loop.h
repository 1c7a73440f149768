// The fault loop: the code under test run once cleanly, then with call n = 1, 2, ... of each named
// operation failing, until a run in which nothing was injected.
#pragma once

#include <gtest/gtest.h>

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "platform/sim/sim.h"
#include "platform/types.h"

struct Fault {
  std::string operation;  // "" for the clean run
  int n = 0;
  platform::DWORD error = 0;

  // Arms the fault. The body calls it after its own setup, right before the code under test.
  void arm() const {
    if (n) platform::sim::failCall(operation, n, error);
  }
  // Whether the armed call came (known once the code under test has run).
  bool injected() const { return n && platform::sim::faultsFired() > 0; }
};

// After every run nothing may stay open (unless the refused call was the closing one, which
// leaves the handle open as Windows does) and, when `held` is given, it may count no more than
// after the clean run (a cache dropped under a fault is no leak). An operation that the code
// never calls is a fault of the test.
inline void forEachFault(const std::vector<std::string>& operations,
                         const std::function<void(const Fault&)>& body,
                         platform::DWORD error = platform::kErrorNotEnoughMemory,
                         const std::function<std::size_t()>& held = {}) {
  namespace sim = platform::sim;
  sim::clearFaults();
  body(Fault{"", 0, error});
  EXPECT_EQ(sim::openHandles(), "") << "clean run";
  const std::size_t baseline = held ? held() : 0;
  for (const std::string& operation : operations) {
    const bool closing = operation == "CloseHandle" || operation == "FindClose" ||
                         operation == "RegCloseKey" || operation == "CloseClipboard";
    for (int n = 1;; ++n) {
      SCOPED_TRACE(operation + " #" + std::to_string(n));
      sim::clearFaults();
      body(Fault{operation, n, error});
      const bool fired = sim::faultsFired() > 0;
      sim::clearFaults();
      EXPECT_EQ(closing && fired ? "" : sim::openHandles(), "");
      EXPECT_LE(held ? held() : 0, baseline) << "kept";
      if (!fired) {
        EXPECT_GT(n, 1) << operation << " was never called";
        break;
      }
      ASSERT_LT(n, 1000);
    }
  }
}
