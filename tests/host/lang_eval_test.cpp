// What scripts cannot show of the language: echo, exit and its handler, the bounds on runs the
// library keeps calling back, answers read as numbers, help, and the language ending first.
// On the tests' fake library, whose "jobs" walks the job group as the scheduler does.
#include <gtest/gtest.h>

#include <atomic>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "lang/interpreter.h"
#include "runtime_fake_library.h"

namespace {

using fake::slot;
using fake::state;

// jobs: one pass over the job group: prints "job <name>" and calls its action.
abi::word ZV_STDCALL jobs() {
  abi::word group = slot<abi::FindNamespaceFn>(abi::kFindNamespace)("job", -1);
  auto first = slot<abi::FirstMemberFn>(abi::kFirstMember);
  auto next = slot<abi::NextMemberFn>(abi::kNextMember);
  for (abi::MemberRecord* job = first(group); job; job = next(job)) {
    abi::MemberRecord* action = nullptr;
    for (abi::MemberRecord* m = first(fake::word(job)); m; m = next(m))
      if (std::string(m->name) == "action") action = m;
    std::string line = std::string("job ") + job->name;
    slot<abi::PrintLineFn>(abi::kPrintLine)(0, line.c_str(), 0);
    slot<abi::CallMemberFn>(abi::kCallMember)(action, -1, 0);
  }
  return 0;
}

// pick: asks for "id" and gives evalNumber of the answer, as the listings do.
abi::word ZV_STDCALL pick() {
  const char* answer = slot<abi::AskTextFn>(abi::kAskText)("id", 0);
  std::string copy = answer ? answer : "";
  int n = slot<abi::EvalNumberFn>(abi::kEvalNumber)(copy.c_str());
  return fake::word(slot<abi::ResultNumberFn>(abi::kResultNumber)(n));
}

class Lang : public ::testing::Test {
 protected:
  void SetUp() override {
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
    quenda::Result bound = runtime->bind(fake::library(
        fake::TableBuilder().fn("jobs", jobs).fn("pick", pick).group("job").end().end().bytes()));
    ASSERT_TRUE(bound.ok()) << *bound.error;
    lang = std::make_unique<quenda::lang::Interpreter>(*runtime);
  }
  void TearDown() override {
    lang.reset();
    runtime.reset();
    EXPECT_EQ(state.liveBlocks, 0) << "objects left without _del";
  }

  quenda::lang::Outcome outcome(std::string_view source) {
    lines.clear();
    return lang->run(source, {"test.qs", true});
  }
  // Runs source that must succeed; the printed lines, joined by "\n".
  std::string run(std::string_view source) {
    quenda::lang::Outcome result = outcome(source);
    EXPECT_TRUE(result.ok) << quenda::lang::describe(result.error) << "\nin:\n" << source;
    std::string out;
    for (const std::string& line : lines) out += (out.empty() ? "" : "\n") + line;
    return out;
  }
  static bool contains(const std::string& text, std::string_view part) {
    return text.find(part) != std::string::npos;
  }

  std::unique_ptr<quenda::Runtime> runtime;
  std::unique_ptr<quenda::lang::Interpreter> lang;
  std::vector<std::string> lines;
  std::vector<std::string> asked;
  std::deque<std::string> answers;
};

TEST_F(Lang, WithoutEchoNothingIsPrintedAndObjectsEndWithTheirNames) {
  ASSERT_TRUE(lang->run("1\n\"x\"\nthing f(\"1\")", {"quiet.qs", false}).ok);
  EXPECT_TRUE(lines.empty());
  run("thing f(\"2\")");  // declared again: the first object goes
  EXPECT_EQ(state.liveBlocks, 1);
  run("main\\make(){ thing local(\"3\") }\nmake\nthing d(\"C:\\\\\")\nd + \"x\"");
  EXPECT_EQ(state.liveBlocks, 2);  // a local object ends with its function, a sum once printed
}

TEST_F(Lang, RunsThatTheLibraryKeepsCallingBackEndInAnError) {
  // Recursion through the library: the action's error is reported, the walk goes on.
  EXPECT_TRUE(contains(run("job\\loop\\action(){ jobs }\njobs"), "nest deeper than"));
  EXPECT_EQ(run("2 + 2"), "4");
  // Each action runs the walk twice: without a bound on steps this doubles to the depth limit.
  lang->setStepLimit(5000);
  std::string out = run("job\\loop\\action(){ jobs; jobs }\njobs");
  EXPECT_TRUE(contains(out, "past its limit of 5000 steps")) << out.substr(0, 300);
  EXPECT_EQ(run("1 + 1"), "2");  // the next run counts afresh
}

// Size is no nesting: a long else-if chain picks the right arm, and many definitions each keep
// their own body (a name index that lost or mixed entries would show here).
TEST_F(Lang, LongChainsAndManyDefinitionsRun) {
  std::string chain = "if(n == 0){ print(\"arm 0\") }";
  for (int i = 1; i < 2000; ++i) {
    chain +=
        "\nelse if(n == " + std::to_string(i) + "){ print(\"arm " + std::to_string(i) + "\") }";
  }
  chain += "\nelse { print(\"none\") }";
  EXPECT_EQ(run("n = 1999\n" + chain), "arm 1999");
  EXPECT_EQ(run("n = 17\n" + chain), "arm 17");
  EXPECT_EQ(run("n = -1\n" + chain), "none");

  std::string definitions;
  for (int i = 0; i < 2000; ++i) {
    definitions += "f" + std::to_string(i) + "(){ return " + std::to_string(i) + " }\n";
  }
  run(definitions);
  EXPECT_EQ(run("f0 + f1000 + f1999"), "2999");
  EXPECT_EQ(run("f1000(){ return -1 }\nf999 + f1000 + f1001"), "1999");
}

TEST_F(Lang, ExitEndsTheRunWithItsCode) {
  quenda::lang::Outcome result = outcome("print(\"a\")\nexit(3)\nprint(\"b\")");
  EXPECT_TRUE(result.exitRequested);
  EXPECT_EQ(result.exitCode, 3);
  EXPECT_EQ(lines, std::vector<std::string>{"a"});
  result = outcome("leave(){ if(1){ exit } }\nleave\nprint(\"c\")");
  EXPECT_TRUE(result.exitRequested);
  EXPECT_EQ(result.exitCode, 0);
  EXPECT_TRUE(lines.empty());
}

TEST_F(Lang, ExitBelowALibraryRoutineGoesToTheHandlerOrWaitsForTheRoutine) {
  // Without a handler the routine finishes (later actions no longer run), then the run ends.
  quenda::lang::Outcome result = outcome(
      "job\\a\\action(){ print(\"a\"); exit(4) }\njob\\b\\action(){ print(\"b\") }\n"
      "jobs\nprint(\"after\")");
  EXPECT_TRUE(result.exitRequested);
  EXPECT_EQ(result.exitCode, 4);
  EXPECT_EQ(lines, (std::vector<std::string>{"job a", "a", "job b"}));
  EXPECT_EQ(run("print(\"again\")"), "again");  // the next run starts afresh

  std::vector<int> codes;
  lang->setExitHandler([&codes](int code) { codes.push_back(code); });
  outcome("job\\a\\action(){ exit(6) }\njobs");
  EXPECT_EQ(codes, std::vector<int>{6});
  // Called directly, a function's exit needs no handler.
  codes.clear();
  EXPECT_EQ(outcome("leave(){ exit(2) }\nleave").exitCode, 2);
  EXPECT_TRUE(codes.empty());
}

// Ctrl+C sets the flag while `pick` asks its question (a library routine running): the routine
// and everything it calls back finish, and the run ends before its next step.
TEST_F(Lang, AnInterruptEndsTheRunOnceTheLibraryCallHasReturned) {
  std::atomic<bool> interrupt{false};
  lang->setInterruptFlag(&interrupt);
  runtime->hooks().askText = [&](std::string_view) -> std::optional<std::string> {
    interrupt = true;
    return "4";
  };
  struct Case {
    const char* source;
    std::vector<std::string> printed;
  };
  for (const Case& c : {
           // The statement that called it still ends as usual: its value is printed.
           Case{"print(\"a\")\npick\nprint(\"b\")", {"a", "4"}},
           // Inside a job's action the walk goes on: the interrupt waits for jobs to return.
           Case{"job\\a\\action(){ pick; print(\"in a\") }\njob\\b\\action(){ print(\"in b\") }\n"
                "jobs\nprint(\"after\")",
                {"job a", "in a", "job b", "in b"}},
           // A function of the script stops at once, and so does its caller.
           Case{"f(){ pick; print(\"in f\") }\nf\nprint(\"after\")", {}},
       }) {
    interrupt = false;
    quenda::lang::Outcome result = outcome(c.source);
    EXPECT_TRUE(result.interrupted) << c.source;
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(lines, c.printed) << c.source;
  }
  interrupt = false;
  EXPECT_EQ(run("1 + 1"), "2");
  lang->setInterruptFlag(nullptr);
}

TEST_F(Lang, AnswersAreReadAsNumbersWithoutCallingAnything) {
  run("int n = 4");
  answers = {"3", " 12 ", "n + 1", "print(\"x\")", "abc", "", "-2147483648", "99999999999"};
  EXPECT_EQ(run("pick\npick\npick\npick\npick\npick\npick\npick\npick"),
            "3\n12\n5\n0\n0\n0\n-2147483648\n0\n0");
  EXPECT_EQ(asked, std::vector<std::string>(9, "id"));
}

TEST_F(Lang, HelpListsGroupsClassesAndFunctions) {
  run("main\\hello(){ }\nint n = 3");
  std::string out = run("help");
  EXPECT_TRUE(contains(out, "$cyan$builtins $n$  print, help, exit")) << out;
  EXPECT_TRUE(contains(out, "$cyan$thing    $n$  class: name")) << out;
  EXPECT_FALSE(contains(out, "_new"));
  EXPECT_TRUE(contains(out, "hello"));
  EXPECT_TRUE(contains(out, "$cyan$variables$n$  n"));
  EXPECT_TRUE(contains(run("help(\"thing\")"), "_new"));
}

TEST_F(Lang, TheLanguageEndingBeforeItsFunctionsIsSafe) {
  run("main\\late(){ print(\"late\") }");
  lang.reset();
  quenda::Result result = runtime->call("late");
  ASSERT_FALSE(result.ok());
  EXPECT_TRUE(contains(*result.error, "has ended"));
  EXPECT_FALSE(runtime->runScript("x = 1").ok());
}

}  // namespace
