// What scripts cannot show of the language: exit and interrupts, the bounds on runs the library
// keeps calling back, answers read as numbers, and the language ending first.
// On the tests' fake library, whose "jobs" walks the job group as the scheduler does.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <atomic>

#include "lang_library_fixture.h"
#include "runtime_fake_library.h"

namespace {

using fake::slot;
using ::testing::HasSubstr;

// jobs: one pass over the job group as the scheduler makes it: prints "job <name>", calls its
// action, and then prints the refresh number whose block it read before the action.
abi::word ZV_STDCALL jobs() {
  abi::word group = slot<abi::FindNamespaceFn>(abi::kFindNamespace)("job", -1);
  auto first = slot<abi::FirstMemberFn>(abi::kFirstMember);
  auto next = slot<abi::NextMemberFn>(abi::kNextMember);
  auto print = slot<abi::PrintLineFn>(abi::kPrintLine);
  for (abi::MemberRecord* job = first(group); job; job = next(job)) {
    abi::MemberRecord* action = nullptr;
    const std::int32_t* refresh = nullptr;
    for (abi::MemberRecord* m = first(fake::word(job)); m; m = next(m)) {
      if (std::string(m->name) == "action") action = m;
      if (std::string(m->name) == "refresh") {
        refresh = static_cast<const std::int32_t*>((*m->valueCell)->data);
      }
    }
    print(0, (std::string("job ") + job->name).c_str(), 0);
    slot<abi::CallMemberFn>(abi::kCallMember)(action, -1, 0);
    if (refresh) print(0, ("refresh " + std::to_string(*refresh)).c_str(), 0);
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

class Lang : public langtest::LibraryLangTest {
 protected:
  quenda::LibraryExports library() override {
    return fake::library(
        fake::TableBuilder().fn("jobs", jobs).fn("pick", pick).group("job").end().end().bytes());
  }
  // Runs source that must succeed; the printed lines, joined by "\n".
  std::string printed(std::string_view source) {
    quenda::lang::Outcome result = run(source);
    EXPECT_TRUE(result.ok) << quenda::lang::describe(result.error) << "\nin:\n" << source;
    std::string out;
    for (const std::string& line : lines) out += (out.empty() ? "" : "\n") + line;
    return out;
  }
};

TEST_F(Lang, RunsThatTheLibraryKeepsCallingBackEndInAnError) {
  // Recursion through the library: the action's error is reported, the walk goes on.
  EXPECT_THAT(printed("job\\loop\\action(){ jobs }\njobs"), HasSubstr("nest deeper than"));
  // Each action runs the walk twice: without a bound on steps this doubles to the depth limit.
  lang->setStepLimit(5000);
  EXPECT_THAT(printed("job\\loop\\action(){ jobs; jobs }\njobs"),
              HasSubstr("past its limit of 5000 steps"));
  EXPECT_EQ(printed("1 + 1"), "2");  // the next run counts afresh
}

// The action replaces the number whose block the walk holds: the old block lives on until the
// walk has returned (AddressSanitizer sees a read after its end).
TEST_F(Lang, ANumberBlockHeldByTheLibraryOutlivesItsReplacement) {
  printed("job\\a\\refresh = 9\njob\\a\\action(){ job\\a\\refresh(){ } }");
  std::size_t before = runtime->liveValueCount();
  EXPECT_EQ(printed("jobs"), "job a\nrefresh 9");
  EXPECT_TRUE(runtime->lookup("job.a.refresh").is(quenda::Kind::Function));
  EXPECT_EQ(runtime->liveValueCount(), before);  // the function took the old number's place
}

// Exit, or Ctrl+C (`pick` sets the flag while it asks), below a library routine waits for it:
// the routine and what it calls back finish (after an exit, no later job action), then the run
// ends. The program's exit handler, ending the process at once, is the command-line test's.
TEST_F(Lang, ExitAndInterruptsEndTheRunOnceTheLibraryCallHasReturned) {
  std::atomic<bool> interrupt{false};
  lang->setInterruptFlag(&interrupt);
  runtime->hooks().askText = [&](std::string_view) -> std::optional<std::string> {
    interrupt = true;
    return "4";
  };
  struct Case {
    const char* source;
    std::vector<std::string> printed;
    int exitCode = -1;  // -1: interrupted
  };
  for (const Case& c : {
           Case{"job\\a\\action(){ print(\"a\"); exit(4) }\njob\\b\\action(){ print(\"b\") }\n"
                "jobs\nprint(\"after\")",
                {"job a", "a", "job b"},
                4},
           Case{"leave(){ if(1){ exit(2) } }\nleave\nprint(\"c\")", {}, 2},
           // The statement that called it still ends as usual: its value is printed.
           Case{"print(\"a\")\npick\nprint(\"b\")", {"a", "4"}},
           Case{"job\\a\\action(){ pick; print(\"in a\") }\njob\\b\\action(){ print(\"in b\") }\n"
                "jobs\nprint(\"after\")",
                {"job a", "in a", "job b", "in b"}},
           Case{"f(){ pick; print(\"in f\") }\nf\nprint(\"after\")", {}},
       }) {
    quenda::lang::Outcome result = run(c.source);
    EXPECT_EQ(result.interrupted, c.exitCode < 0) << c.source;
    EXPECT_EQ(result.exitRequested ? result.exitCode : -1, c.exitCode) << c.source;
    EXPECT_EQ(result.ok, !result.interrupted);  // an exit is no failure
    EXPECT_EQ(lines, c.printed) << c.source;
    interrupt = false;
    EXPECT_EQ(printed("1 + 1"), "2");  // the next run starts afresh
  }
  lang->setInterruptFlag(nullptr);
}

// An answer is evaluated as an expression of numbers and variables; it never calls anything.
TEST_F(Lang, AnswersAreReadAsNumbersWithoutCallingAnything) {
  printed("int n = 4\nmain\\f(){ print(\"called\"); return 1 }");
  answers = {" 12 ", "n + 1", "print(\"x\")", "f", "abc", "", "99999999999"};
  EXPECT_EQ(printed("pick\npick\npick\npick\npick\npick\npick"), "12\n5\n0\n0\n0\n0\n0");
}

// The library may hold a function of the script, or a text to run, after the language has ended.
TEST_F(Lang, NothingOfTheScriptRunsAfterTheLanguageEnded) {
  printed("main\\late(){ print(\"late\") }");
  lang.reset();
  EXPECT_THAT(runtime->call("late").error.value_or("ran"), HasSubstr("has ended"));
  EXPECT_FALSE(runtime->runScript("x = 1").ok());
}

}  // namespace
