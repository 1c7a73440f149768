// The host in long runs and short of memory, with the library over the simulated machine.
#include <gtest/gtest.h>

#include "failing_new.h"
#include "lang_library_fixture.h"
#include "platform/files.h"
#include "platform/keyboard.h"

namespace langtest {
namespace {

namespace sim = platform::sim;

// A job that lists a folder into a global and defines a launcher in every pass: the values it
// replaces and the host's own records must not pile up while standby runs.
TEST_F(LibraryLangTest, StandbyPassesLeaveTheHostAsTheyFoundIt) {
  for (int i = 0; i < 40; ++i) sim::addFile("C:\\big\\entry" + std::to_string(i) + ".txt");
  std::size_t afterTwo = 0, afterForty = 0;
  sim::onKeyQuery([&](int key, int query) {
    if (key != platform::kVkReturn) return;
    if (query == 3) afterTwo = runtime->liveValueCount();  // queries: priming, then one a pass
    if (query == 41) {
      afterForty = runtime->liveValueCount();
      sim::setKeyDown(platform::kVkControl, true);
      sim::setKeyDown(platform::kVkReturn, true);
    }
  });
  quenda::lang::Outcome outcome =
      run("folder big(\"C:\\big\\\")\nlast = big.files\njob\\scan\\refresh = 0\n"
          "job\\scan\\action(){\n  last = big.files\n  link(\"np\", \"C:\\np.exe\")\n}\nstandby");
  ASSERT_TRUE(outcome.ok) << quenda::lang::describe(outcome.error);
  EXPECT_GT(afterTwo, 40u);
  EXPECT_EQ(afterForty, afterTwo);  // the function that link replaces in every pass went
  EXPECT_EQ(runtime->lookup("last").elements().size(), 40u);
  EXPECT_TRUE(runtime->slotCalls().empty()) << "the host logs its calls when no test asks";
}

// Memory running out at each allocation in turn while the library works: the script gets an
// error, the library's scan is closed, and the same script then runs as before.
TEST_F(LibraryLangTest, MemoryRunningOutInsideTheLibraryIsAScriptError) {
  struct Case {
    const char* what;
    const char* script;
    std::vector<std::string> answers;
  };
  const Case cases[] = {
      {"folder.files", "folder d(\"C:\\work\\\")\nd.files", {}},
      {"dir.sel's question", "dir.sel", {"1"}},
      {"link", "link(\"np\", \"C:\\tools\\np.exe\")", {}},
  };
  sim::addFile("C:\\work\\notes.txt");
  sim::addFolder("C:\\work\\src");
  for (const Case& c : cases) {
    int failed = 0;
    for (long n = 1;; ++n) {
      ASSERT_TRUE(platform::SetCurrentDirectoryA("C:\\work")) << c.what;
      answers.assign(c.answers.begin(), c.answers.end());
      // The simulated Windows allocates too, but Windows itself throws nothing at the library.
      failing_new::failNth(n, [] {
        quenda::Runtime* runtime = quenda::Runtime::active();
        return !runtime || !runtime->libraryRunning();
      });
      quenda::lang::Outcome outcome = run(c.script);
      if (!failing_new::disarm()) break;
      EXPECT_EQ(sim::openHandles(), "") << c.what << ", allocation " << n;
      failed += !outcome.ok;
    }
    EXPECT_GT(failed, 0) << c.what;
    answers.assign(c.answers.begin(), c.answers.end());
    quenda::lang::Outcome again = run(c.script);
    EXPECT_TRUE(again.ok) << c.what << ": " << quenda::lang::describe(again.error);
  }
}

}  // namespace
}  // namespace langtest
