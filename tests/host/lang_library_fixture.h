// The language on a runtime bound to the library itself (or to another that a test gives), over
// a fresh simulated machine.
#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "lang/interpreter.h"
#include "platform/sim/sim.h"
#include "runtime/linked.h"
#include "runtime/runtime.h"

namespace langtest {

class LibraryLangTest : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::sim::reset();
    runtime = std::make_unique<quenda::Runtime>();
    runtime->hooks().printLine = [this](std::string_view line) { lines.emplace_back(line); };
    runtime->hooks().askText = [this](std::string_view) -> std::optional<std::string> {
      if (answers.empty()) return std::nullopt;
      std::string answer = answers.front();
      answers.pop_front();
      return answer;
    };
    runtime->hooks().reportError = [this](std::string_view message) {
      lines.push_back("error: " + std::string(message));
    };
    quenda::Result bound = runtime->bind(library());
    ASSERT_TRUE(bound.ok()) << *bound.error;
    lang = std::make_unique<quenda::lang::Interpreter>(*runtime);
  }

  virtual quenda::LibraryExports library() { return quenda::linkedLibrary(); }

  quenda::lang::Outcome run(std::string_view source, const std::string& name = "test.qs") {
    lines.clear();
    return lang->run(source, {name, true});
  }

  std::unique_ptr<quenda::Runtime> runtime;
  std::unique_ptr<quenda::lang::Interpreter> lang;  // declared after the runtime: ends first
  std::vector<std::string> lines;
  std::deque<std::string> answers;
};

}  // namespace langtest
