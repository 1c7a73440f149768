// standby of the real zorvel.dll under Wine: two jobs run on their counts until a second thread
// presses Ctrl+Enter through the system's keyboard input.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>

#include "work_folder.h"
// After the seam headers.
#include "desktop.h"

namespace {

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

class RealStandby : public ::testing::Test {
 protected:
  void SetUp() override {
    quenda::Result loaded = runtime.load("zorvel.dll");
    ASSERT_TRUE(loaded.ok()) << *loaded.error;
    runtime.hooks().printLine = [this](std::string_view line) { lines.emplace_back(line); };
  }
  void job(const std::string& name, int refresh, std::atomic<int>& runs) {
    ASSERT_TRUE(runtime.define("job\\" + name + "\\refresh", runtime.number(refresh)).ok());
    auto action = std::make_shared<Action>([&runs] { ++runs; });
    ASSERT_TRUE(
        runtime.define("job\\" + name + "\\action", runtime.function(action, "action")).ok());
  }
  quenda::Runtime runtime;
  std::vector<std::string> lines;
};

TEST_F(RealStandby, TwoJobsRunUntilCtrlEnter) {
  std::atomic<int> every{0}, third{0};
  job("every", 0, every);
  job("third", 2, third);
  std::atomic<bool> returned{false};

  // Keys held until standby has returned, whenever that is.
  std::thread presser([&] {
    wine::waitUntil([&] { return every >= 30; }, 600);
    wine::key(VK_CONTROL, true);
    wine::key(VK_RETURN, true);
    wine::waitUntil([&] { return returned.load(); }, 600);
    wine::key(VK_RETURN, false);
    wine::key(VK_CONTROL, false);
  });
  // Should the keys never arrive, end the test program rather than hang the test run.
  std::thread watchdog([&] {
    if (!wine::waitUntil([&] { return returned.load(); }, 600)) {
      std::fprintf(stderr, "standby did not stop on Ctrl+Enter\n");
      std::_Exit(1);
    }
  });

  quenda::Result result = runtime.call("standby");
  returned = true;
  presser.join();
  watchdog.join();
  ASSERT_TRUE(result.ok()) << result.error.value_or("");
  EXPECT_FALSE(result.value);

  // "every" ran in every pass, "third" in every third; the stop came between passes.
  EXPECT_GE(every.load(), 30);
  EXPECT_EQ(third.load(), every.load() / 3);
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines.size(), 2u * (every + third));
  EXPECT_EQ(lines[0], "running \"every\" ...");
  EXPECT_EQ(lines[1], "finished.");
}

}  // namespace
