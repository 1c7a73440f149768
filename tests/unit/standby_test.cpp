// standby: the jobs' counts pass by pass, their output, and the stop keys, with scripted key
// states and the simulated clock.
#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "classes_fixture.h"
#include "platform/keyboard.h"

namespace {

namespace sim = platform::sim;
using platform::kVkControl;
using platform::kVkReturn;

// A job action written in C++: records the pass it ran in, then does what the test says.
class Action : public quenda::ScriptFunction {
 public:
  explicit Action(std::function<void()> body) : body_(std::move(body)) {}
  quenda::Result call(quenda::Runtime&, const std::vector<quenda::ValueRef>&) override {
    if (body_) body_();
    return quenda::Result::of({});
  }

 private:
  std::function<void()> body_;
};

class StandbyTest : public LibraryTest {
 protected:
  // The pass now running: the stop keys were queried once before the first pass and once
  // after each pass.
  static int currentPass() { return sim::keyQueries(kVkReturn); }
  // Sleep calls since the machine was reset, and the milliseconds they asked for.
  static std::size_t sleeps() { return sim::callsOf("Sleep").size(); }
  static unsigned long sleptMs() {
    unsigned long ms = 0;
    for (const auto& call : sim::callsOf("Sleep")) ms += std::stoul(call.args.at(0));
    return ms;
  }

  void define(const std::string& path, const quenda::ValueRef& value) {
    quenda::Result defined = runtime.define(path, value);
    ASSERT_TRUE(defined.ok()) << path << ": " << defined.error.value_or("");
  }
  void number(const std::string& path, int n) { define(path, runtime.number(n)); }
  // A job whose action records the passes it ran in under the job's name.
  void job(const std::string& name, std::function<void()> also = {}) {
    define("job\\" + name + "\\action",
           runtime.function(std::make_shared<Action>([this, name, also] {
                              runs[name].push_back(currentPass());
                              order.push_back(name);
                              if (also) also();
                            }),
                            "action"));
  }

  // Runs standby until Ctrl+Enter is pressed after pass `passes`; `between(pass)` runs after
  // each pass, before the stop keys are looked at. Fails the test if standby went on.
  void runPasses(int passes, std::function<void(int pass)> between = {}) {
    sim::onKeyQuery([=](int key, int query) {
      if (key != kVkReturn || query == 1) return;
      const int pass = query - 1;
      if (between) between(pass);
      if (pass >= passes) {
        sim::setKeyDown(kVkControl, true);
        sim::setKeyDown(kVkReturn, true);
      }
    });
    quenda::Result result = runtime.call("standby");
    ASSERT_TRUE(result.ok()) << result.error.value_or("");
    EXPECT_FALSE(result.value);
    EXPECT_EQ(sim::keyQueries(kVkReturn), passes + 1) << "stopped after another pass";
  }

  std::map<std::string, std::vector<int>> runs;
  std::vector<std::string> order;
};

std::vector<int> every(int first, int step, int last) {
  std::vector<int> passes;
  for (int p = first; p <= last; p += step) passes.push_back(p);
  return passes;
}

TEST_F(StandbyTest, WithoutRefreshAJobRunsInEvery501stPass) {
  job("backup");
  runPasses(1002);
  EXPECT_EQ(runs["backup"], (std::vector<int>{501, 1002}));
  EXPECT_EQ(lines, (std::vector<std::string>{"running \"backup\" ...", "finished.",
                                             "running \"backup\" ...", "finished."}));
  EXPECT_EQ(sleeps(), 1002u);  // one millisecond per job and pass
  EXPECT_EQ(sleptMs(), 1002u);
}

TEST_F(StandbyTest, RefreshNRunsEveryNPlusOnePassesAndZeroEveryPass) {
  number("job\\three\\refresh", 3);
  job("three");
  number("job\\zero\\refresh", 0);
  job("zero");
  runPasses(12);
  EXPECT_EQ(runs["three"], every(4, 4, 12));
  EXPECT_EQ(runs["zero"], every(1, 1, 12));
  EXPECT_EQ(sleeps(), 24u);
}

TEST_F(StandbyTest, ADisabledJobKeepsItsCount) {
  number("job\\b\\refresh", 4);
  number("job\\b\\disabled", 0);
  job("b");
  // Enabled in passes 1 and 2 (count 4 -> 2), disabled in 3 to 6, enabled again from 7.
  runPasses(14, [this](int pass) {
    if (pass == 2) number("job\\b\\disabled", 1);
    if (pass == 6) number("job\\b\\disabled", -7);  // any nonzero number disables
    if (pass == 7) number("job\\b\\disabled", 0);
  });
  EXPECT_EQ(runs["b"], (std::vector<int>{10}));
  EXPECT_EQ(sleeps(), 14u);  // disabled passes sleep too
}

TEST_F(StandbyTest, ARefreshChangedByTheJobsOwnActionCountsForTheReloadThatFollows) {
  number("job\\grow\\refresh", 2);
  job("grow", [this] { number("job\\grow\\refresh", 5); });
  runPasses(15);
  EXPECT_EQ(runs["grow"], (std::vector<int>{3, 9, 15}));
}

TEST_F(StandbyTest, ANegativeRefreshWrapsAsA32BitCount) {
  number("job\\low\\refresh", INT_MIN);  // the first decrement wraps to INT_MAX
  job("low");
  number("job\\minus\\refresh", -1);
  job("minus");
  runPasses(40);
  EXPECT_TRUE(runs["low"].empty());
  EXPECT_TRUE(runs["minus"].empty());
}

TEST_F(StandbyTest, OnlyTheExactMemberNamesCount) {
  number("job\\a\\Refresh", 0);
  number("job\\a\\DISABLED", 1);
  int called = 0;
  define("job\\a\\Action",
         runtime.function(std::make_shared<Action>([&called] { ++called; }), "Action"));
  runtime.clearSlotCalls();
  runPasses(501);
  EXPECT_EQ(called, 0);
  // No action: both lines, and no call with a null member.
  EXPECT_EQ(lines, (std::vector<std::string>{"running \"a\" ...", "finished."}));
  for (int slot : runtime.slotCalls()) EXPECT_NE(slot, abi::kCallMember);
}

TEST_F(StandbyTest, JobsDueInOnePassRunInListOrder) {
  number("job\\zeta\\refresh", 1);
  job("zeta");
  number("job\\alpha\\refresh", 1);
  job("alpha");
  runPasses(2);
  EXPECT_EQ(order, (std::vector<std::string>{"zeta", "alpha"}));
  EXPECT_EQ(lines, (std::vector<std::string>{"running \"zeta\" ...", "finished.",
                                             "running \"alpha\" ...", "finished."}));
}

TEST_F(StandbyTest, JobsAddedWhileRunningAreNotSeen) {
  number("job\\a\\refresh", 0);
  job("a", [this] {
    if (runs["a"].size() == 1) {
      number("job\\late\\refresh", 0);
      job("late");
    }
  });
  runPasses(3);
  EXPECT_EQ(runs["a"], (std::vector<int>{1, 2, 3}));
  EXPECT_TRUE(runs["late"].empty());
}

TEST_F(StandbyTest, AnEmptyJobGroupWaitsAMillisecondAPassAndPrintsNothing) {
  runPasses(300);
  EXPECT_EQ(sleeps(), 300u);
  EXPECT_EQ(sleptMs(), 300u);
  EXPECT_TRUE(lines.empty());
}

TEST_F(StandbyTest, EnterWithoutCtrlOrCtrlWithoutEnterGoesOn) {
  sim::onKeyQuery([](int key, int query) {
    if (key != kVkReturn) return;
    if (query == 3) sim::setKeyDown(kVkReturn, true);  // after pass 2: Enter alone
    if (query == 4) sim::setKeyDown(kVkReturn, false);
    if (query == 5) sim::setKeyDown(kVkControl, true);  // after pass 4: Ctrl alone
    if (query == 7) sim::setKeyDown(kVkReturn, true);   // after pass 6: Enter with Ctrl
  });
  ASSERT_TRUE(runtime.call("standby").ok());
  EXPECT_EQ(sim::keyQueries(kVkReturn), 7);
  // Ctrl is asked about once to clear it, then only when Enter was freshly down.
  EXPECT_EQ(sim::keyQueries(kVkControl), 3);
}

TEST_F(StandbyTest, EnterHeldDownSinceBeforeDoesNotStop) {
  // Ctrl+Enter held when standby starts: the first queries clear the pressed-since state.
  sim::setKeyDown(kVkControl, true);
  sim::setKeyDown(kVkReturn, true);
  sim::onKeyQuery([](int key, int query) {
    if (key != kVkReturn) return;
    if (query == 5) sim::setKeyDown(kVkReturn, false);
    if (query == 6) sim::setKeyDown(kVkReturn, true);  // pressed afresh after pass 5
  });
  ASSERT_TRUE(runtime.call("standby").ok());
  EXPECT_EQ(sim::keyQueries(kVkReturn), 6);
}

TEST_F(StandbyTest, CtrlEnterPressedAndReleasedDuringALongActionDoesNotStop) {
  number("job\\long\\refresh", 0);
  job("long", [this] {
    if (runs["long"].size() == 2) {
      sim::setKeyDown(kVkControl, true);
      sim::setKeyDown(kVkReturn, true);
      sim::setKeyDown(kVkReturn, false);
      sim::setKeyDown(kVkControl, false);
    }
  });
  runPasses(5);
  EXPECT_EQ(runs["long"], every(1, 1, 5));
}

TEST_F(StandbyTest, ArgumentsAreNotFetchedAndNothingIsLeftBehind) {
  number("job\\a\\refresh", 0);
  job("a");
  runPasses(1);
  const std::size_t before = libraryBytes();
  sim::reset();
  runtime.clearSlotCalls();
  sim::onKeyQuery([](int key, int query) {
    if (key == kVkReturn && query == 3) {
      sim::setKeyDown(kVkControl, true);
      sim::setKeyDown(kVkReturn, true);
    }
  });
  ASSERT_TRUE(runtime.call("standby", {text("ignored"), runtime.number(3)}).ok());
  for (int slot : runtime.slotCalls()) {
    EXPECT_NE(slot, abi::kNextArgText);
    EXPECT_NE(slot, abi::kNextArgValue);
  }
  EXPECT_EQ(libraryBytes(), before);
}

// Memory for the job records refused at each allocation in turn: standby either runs as it
// should or returns at once, and keeps nothing.
TEST_F(StandbyTest, NoMemoryForTheJobsMeansNoLoopAndNoLeak) {
  job("a");
  job("b");
  job("c");
  runPasses(1);
  const std::size_t before = libraryBytes();
  for (int n = 1;; ++n) {
    sim::reset();
    sim::failCall("HeapAlloc", n, platform::kErrorNotEnoughMemory);
    sim::onKeyQuery([](int key, int query) {
      if (key == kVkReturn && query == 2) {
        sim::setKeyDown(kVkControl, true);
        sim::setKeyDown(kVkReturn, true);
      }
    });
    ASSERT_TRUE(runtime.call("standby").ok());
    const bool injected = sim::faultsFired() > 0;
    EXPECT_EQ(sim::keyQueries(kVkReturn), injected ? 0 : 2) << n;
    EXPECT_EQ(libraryBytes(), before) << n;
    if (!injected) break;
  }
  EXPECT_TRUE(lines.empty());
}

}  // namespace
