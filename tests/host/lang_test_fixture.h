// A runtime bound to the test library, with the language attached and its output captured.
#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "lang/interpreter.h"
#include "lang_fake_library.h"
#include "runtime/runtime.h"

namespace langtest {

class LangTest : public ::testing::Test {
 protected:
  void SetUp() override {
    protocolLog().clear();
    runtime = std::make_unique<quenda::Runtime>();
    runtime->hooks().printLine = [this](std::string_view line) { lines.emplace_back(line); };
    runtime->hooks().askText = [this](std::string_view label) -> std::optional<std::string> {
      asked.emplace_back(label);
      if (answers.empty()) return std::nullopt;
      std::string answer = answers.front();
      answers.pop_front();
      return answer;
    };
    runtime->hooks().reportError = [this](std::string_view message) {
      lines.push_back("error: " + std::string(message));
    };
    quenda::Result bound = runtime->bind(fakeLibrary());
    ASSERT_TRUE(bound.ok()) << *bound.error;
    lang = std::make_unique<quenda::lang::Interpreter>(*runtime);
  }

  void TearDown() override {
    lang.reset();
    runtime.reset();
    EXPECT_EQ(liveThings(), 0) << "objects left without _del";
  }

  // Runs source that must succeed; the printed lines, joined by "\n".
  std::string run(std::string_view source) {
    lines.clear();
    quenda::lang::Outcome outcome = lang->run(source, {"test.qs", true});
    EXPECT_TRUE(outcome.ok) << quenda::lang::describe(outcome.error) << "\nin:\n" << source;
    EXPECT_FALSE(outcome.exitRequested);
    return output();
  }

  // Runs source that must fail; its error.
  quenda::lang::Error fails(std::string_view source) {
    lines.clear();
    quenda::lang::Outcome outcome = lang->run(source, {"test.qs", true});
    EXPECT_FALSE(outcome.ok) << "no error in:\n" << source << "\noutput:\n" << output();
    return outcome.error;
  }

  std::string output() const {
    std::string out;
    for (const std::string& line : lines) out += (out.empty() ? "" : "\n") + line;
    return out;
  }

  std::unique_ptr<quenda::Runtime> runtime;
  std::unique_ptr<quenda::lang::Interpreter> lang;
  std::vector<std::string> lines;
  std::vector<std::string> asked;
  std::deque<std::string> answers;
};

inline bool contains(const std::string& text, std::string_view part) {
  return text.find(part) != std::string::npos;
}

}  // namespace langtest
