// What the dir, env and clip tests share: a fresh simulated machine, the library bound to a
// runtime, printed lines captured and "id" answers scripted.
#pragma once

#include <string>
#include <vector>

#include "classes_fixture.h"
#include "common/calls.h"
#include "common/heap_bytes.h"

class NamespaceTest : public LibraryTest {
 protected:
  void SetUp() override {
    LibraryTest::SetUp();
    platform::sim::clearCalls();
  }

  quenda::Result call(const std::string& path, const std::vector<std::string>& args = {}) {
    return calls::callWithTexts(runtime, path, args);
  }
  // Calls with the answer to "id" scripted; the printed lines and labels start afresh.
  quenda::Result pick(const std::string& path, const std::string& answer) {
    lines.clear();
    labels.clear();
    answers = {answer};
    return call(path);
  }

  static std::string describe(const quenda::Result& result) { return calls::describe(result); }

  // Host slot calls of one kind since the last clearSlotCalls.
  int slotCount(int slot) {
    int n = 0;
    for (int called : runtime.slotCalls()) n += called == slot;
    return n;
  }

  std::size_t textBytes() { return heapBytesInUse(zorvel::textHeap()); }
  std::size_t moduleBytes() { return heapBytesInUse(zorvel::module.moduleHeap); }
};
