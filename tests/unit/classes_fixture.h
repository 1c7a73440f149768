// A host runtime bound to the linked library over a fresh simulated machine, with the console
// captured and the answers to the listing's question scripted.
#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/heap_bytes.h"
#include "fault_loop.h"
#include "platform/memory.h"
#include "platform/sim/sim.h"
#include "plugin/memory.h"
#include "plugin/module_state.h"
#include "plugin/text.h"
#include "runtime/linked.h"
#include "runtime/runtime.h"

class LibraryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::sim::reset();
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
    EXPECT_EQ(platform::sim::openHandles(), "");
    platform::sim::clearFaults();
  }

  quenda::ValueRef object(const char* className, const std::string& path) {
    quenda::Result made = runtime.newObject(className, path);
    EXPECT_TRUE(made.ok()) << made.error.value_or("");
    return made.value;
  }
  quenda::ValueRef file(const std::string& path) { return object("file", path); }
  quenda::ValueRef folder(const std::string& path) { return object("folder", path); }
  quenda::ValueRef text(const std::string& s) { return runtime.text(s); }

  // Calls a member and expects it to succeed.
  quenda::ValueRef call(const quenda::ValueRef& self, std::string_view member,
                        std::vector<quenda::ValueRef> args = {}) {
    quenda::Result result = runtime.callMethod(self, member, std::move(args));
    EXPECT_TRUE(result.ok()) << member << ": " << result.error.value_or("");
    return result.value;
  }
  std::string callText(const quenda::ValueRef& self, std::string_view member) {
    return call(self, member).text();
  }
  bool isFileObject(const quenda::ValueRef& v) {
    return v.is(quenda::Kind::Object) && v.classHandle() == zorvel::module.fileClass;
  }
  bool isFolderObject(const quenda::ValueRef& v) {
    return v.is(quenda::Kind::Object) && v.classHandle() == zorvel::module.folderClass;
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
