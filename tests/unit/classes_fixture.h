// A host runtime bound to the linked library over a fresh simulated machine, with the console
// captured and the answers to the listing's question scripted.
#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/calls.h"
#include "common/heap_bytes.h"
#include "fault_loop.h"
#include "platform/sim/sim.h"
#include "plugin/memory.h"
#include "plugin/module_state.h"
#include "plugin/text.h"
#include "runtime/linked.h"
#include "runtime/runtime.h"

namespace sim = platform::sim;

class LibraryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    sim::reset();
    ASSERT_TRUE(runtime.bind(quenda::linkedLibrary()).ok());
    runtime.hooks().printLine = [this](std::string_view line) { lines.emplace_back(line); };
    runtime.hooks().askText = [this](std::string_view label) -> std::optional<std::string> {
      labels.emplace_back(label);
      if (answers.empty()) return std::nullopt;
      std::string answer = answers.front();
      answers.pop_front();
      return answer;
    };
  }

  // Nothing the library opened is left open. A fault armed for a call that never came must not
  // reach the next test.
  void TearDown() override {
    EXPECT_EQ(sim::openHandles(), "");
    sim::clearFaults();
  }

  quenda::ValueRef file(const std::string& path) { return runtime.newObject("file", path).value; }
  quenda::ValueRef folder(const std::string& path) {
    return runtime.newObject("folder", path).value;
  }
  quenda::ValueRef text(const std::string& s) { return runtime.text(s); }

  // Calls a member and expects it to succeed.
  quenda::ValueRef call(const quenda::ValueRef& self, std::string_view member,
                        std::vector<quenda::ValueRef> args = {}) {
    quenda::Result result = runtime.callMethod(self, member, std::move(args));
    EXPECT_TRUE(result.ok()) << member << ": " << result.error.value_or("");
    return result.value;
  }
  // Calls a routine by its path with texts as its arguments.
  std::string routine(const std::string& path, const std::vector<std::string>& args = {}) {
    return calls::describe(calls::callWithTexts(runtime, path, args));
  }
  // The same with the answer to "id" scripted; the printed lines and labels start afresh.
  std::string pick(const std::string& path, const std::string& answer) {
    lines.clear();
    labels.clear();
    answers = {answer};
    return routine(path);
  }

  // Bytes held in the library's three heaps.
  std::size_t libraryBytes() {
    return heapBytesInUse(zorvel::textHeap()) + heapBytesInUse(zorvel::memoryHeap()) +
           heapBytesInUse(zorvel::module.moduleHeap);
  }

  quenda::Runtime runtime;
  std::vector<std::string> lines;
  std::vector<std::string> labels;
  std::deque<std::string> answers;
};
