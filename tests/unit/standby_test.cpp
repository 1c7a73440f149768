// standby: the jobs' counts pass by pass, their output, and the stop keys.
#include <algorithm>
#include <functional>
#include <map>
#include <memory>

#include "classes_fixture.h"
#include "platform/keyboard.h"

namespace {

using platform::kVkControl;
using platform::kVkReturn;

// A job action written in C++: runs what the test says.
class Action : public quenda::ScriptFunction {
 public:
  explicit Action(std::function<void()> body) : body_(std::move(body)) {}
  quenda::Result call(quenda::Runtime&, const std::vector<quenda::ValueRef>&) override {
    body_();
    return quenda::Result::of({});
  }

 private:
  std::function<void()> body_;
};

class StandbyTest : public LibraryTest {
 protected:
  void define(const std::string& path, const quenda::ValueRef& value) {
    ASSERT_TRUE(runtime.define(path, value).ok()) << path;
  }
  void number(const std::string& path, int n) { define(path, runtime.number(n)); }
  // A job whose action records the passes it ran in under the job's name. The pass now running:
  // the stop keys were queried once before the first pass and once after each pass.
  void job(const std::string& name) {
    auto action = std::make_shared<Action>(
        [this, name] { runs[name].push_back(sim::keyQueries(kVkReturn)); });
    define("job\\" + name + "\\action", runtime.function(action, "action"));
  }

  std::map<std::string, std::vector<int>> runs;
};

std::vector<int> every(int first, int step, int last) {
  std::vector<int> passes;
  for (int p = first; p <= last; p += step) passes.push_back(p);
  return passes;
}

TEST_F(StandbyTest, EachJobRunsEveryRefreshPlusOnePassesWhileEnabled) {
  job("backup");  // no refresh: every 501st pass
  number("job\\three\\refresh", 3);
  job("three");
  number("job\\zero\\refresh", 0);
  job("zero");
  number("job\\minus\\refresh", -1);
  job("minus");
  number("job\\b\\refresh", 4);
  number("job\\b\\disabled", 0);
  job("b");
  // b is enabled in passes 1 and 2 (count 4 -> 2), disabled in 3 to 6, enabled again from 7.
  // Ctrl+Enter is pressed after pass 1002.
  sim::onKeyQuery([this](int key, int query) {
    if (key != kVkReturn || query == 1) return;
    if (query == 3) number("job\\b\\disabled", 1);
    if (query == 7) number("job\\b\\disabled", -7);  // any nonzero number disables
    if (query == 8) number("job\\b\\disabled", 0);
    sim::setKeyDown(kVkControl, query == 1003);
    sim::setKeyDown(kVkReturn, query == 1003);
  });
  quenda::Result result = runtime.call("standby");
  ASSERT_TRUE(result.ok() && !result.value) << result.error.value_or("");
  EXPECT_EQ(sim::keyQueries(kVkReturn), 1003) << "stopped after another pass";
  EXPECT_EQ(runs["backup"], (std::vector<int>{501, 1002}));
  EXPECT_EQ(runs["three"], every(4, 4, 1002));
  EXPECT_EQ(runs["zero"], every(1, 1, 1002));
  EXPECT_EQ(runs["b"], every(10, 5, 1002));
  EXPECT_TRUE(runs["minus"].empty());
  EXPECT_EQ(std::count(lines.begin(), lines.end(), "running \"backup\" ..."), 2);
  EXPECT_EQ(lines.size(), 2 * (2 + 250 + 1002 + 199));
}

TEST_F(StandbyTest, OnlyCtrlWithEnterPressedAfreshStopsAndNoMemoryMeansNoLoop) {
  sim::onKeyQuery([](int key, int query) {
    if (key != kVkReturn) return;
    if (query == 3) sim::setKeyDown(kVkReturn, true);  // after pass 2: Enter alone
    if (query == 4) sim::setKeyDown(kVkReturn, false);
    if (query == 5) sim::setKeyDown(kVkControl, true);  // after pass 4: Ctrl alone
    if (query == 7) sim::setKeyDown(kVkReturn, true);   // after pass 6: Enter with Ctrl
  });
  ASSERT_TRUE(runtime.call("standby").ok());
  EXPECT_EQ(sim::keyQueries(kVkReturn), 7);
  // Without jobs: a millisecond's wait a pass, and nothing printed.
  EXPECT_EQ(sim::callsOf("Sleep").size(), 6u);
  EXPECT_EQ(sim::callsOf("Sleep").back().args, std::vector<std::string>{"1"});
  EXPECT_TRUE(lines.empty());

  // Ctrl+Enter held when standby starts: the first queries clear the pressed-since state.
  sim::reset();
  sim::setKeyDown(kVkControl, true);
  sim::setKeyDown(kVkReturn, true);
  sim::onKeyQuery([](int key, int query) {
    if (key != kVkReturn) return;
    if (query == 5) sim::setKeyDown(kVkReturn, false);
    if (query == 6) sim::setKeyDown(kVkReturn, true);  // pressed afresh after pass 5
  });
  ASSERT_TRUE(runtime.call("standby").ok());
  EXPECT_EQ(sim::keyQueries(kVkReturn), 6);

  // Memory for the job records refused at each allocation in turn: standby either runs as it
  // should or returns at once, and keeps nothing.
  for (const char* name : {"a", "b", "c"}) job(name);
  forEachFault(
      {"HeapAlloc"},
      [&](const Fault& fault) {
        sim::reset();
        sim::onKeyQuery([](int key, int query) {
          if (key == kVkReturn && query == 2) {
            sim::setKeyDown(kVkControl, true);
            sim::setKeyDown(kVkReturn, true);
          }
        });
        fault.arm();
        ASSERT_TRUE(runtime.call("standby").ok());
        EXPECT_EQ(sim::keyQueries(kVkReturn), fault.injected() ? 0 : 2);
      },
      platform::kErrorNotEnoughMemory, [&] { return libraryBytes(); });
  EXPECT_TRUE(lines.empty());
}

}  // namespace
