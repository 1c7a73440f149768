// standby of the real zorvel.dll under Wine: two jobs run on their counts until a second thread
// presses Ctrl+Enter through the system's keyboard input.
#include <atomic>
#include <cstdio>
#include <cstdlib>

#include "work_folder.h"

namespace {

using RealStandby = wine::WorkFolder;

TEST_F(RealStandby, TwoJobsRunUntilCtrlEnter) {
  std::atomic<int> every{0}, third{0};
  runtime.hooks().printLine = [&](std::string_view line) {
    if (line == "running \"every\" ...") ++every;
    if (line == "running \"third\" ...") ++third;
  };
  ASSERT_TRUE(runtime.define("job\\every\\refresh", runtime.number(0)).ok());
  ASSERT_TRUE(runtime.define("job\\third\\refresh", runtime.number(2)).ok());
  // The keys are held until standby has returned, whenever that is; should they never stop it,
  // the test program ends rather than hang the run.
  std::atomic<bool> returned{false};
  std::thread presser([&] {
    wine::waitUntil([&] { return every >= 30; });
    keybd_event(VK_CONTROL, 0, 0, 0);
    keybd_event(VK_RETURN, 0, 0, 0);
    if (!wine::waitUntil([&] { return returned.load(); })) {
      std::fprintf(stderr, "standby did not stop on Ctrl+Enter\n");
      std::_Exit(1);
    }
    keybd_event(VK_RETURN, 0, KEYEVENTF_KEYUP, 0);
    keybd_event(VK_CONTROL, 0, KEYEVENTF_KEYUP, 0);
  });
  quenda::Result result = runtime.call("standby");
  returned = true;
  presser.join();
  ASSERT_TRUE(result.ok()) << result.error.value_or("");
  // "every" ran in every pass, "third" in every third: the stop came between passes.
  EXPECT_GE(every.load(), 30);
  EXPECT_EQ(third.load(), every.load() / 3);
}

}  // namespace
