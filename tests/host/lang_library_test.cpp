// The language with the library itself: the functions that link hands over, and the jobs that
// standby runs.
#include <gtest/gtest.h>

#include "lang_library_fixture.h"
#include "platform/keyboard.h"

namespace langtest {
namespace {

namespace sim = platform::sim;

// Ctrl+Enter is down at the stop-key test that follows pass `pass`.
void stopAfterPass(int pass) {
  sim::onKeyQuery([pass](int key, int query) {
    if (key == platform::kVkReturn && query == pass + 1) {
      sim::setKeyDown(platform::kVkControl, true);
      sim::setKeyDown(platform::kVkReturn, true);
    }
  });
}

TEST_F(LibraryLangTest, LinkDefinesAFunctionThatRunsTheProgram) {
  sim::addFile("C:\\Windows\\notepad.exe");
  sim::addFile("C:\\work\\notes.txt");
  ASSERT_TRUE(run("link(\"np\", \"C:\\Windows\\notepad.exe\")").ok);
  EXPECT_TRUE(lines.empty());
  EXPECT_TRUE(runtime->lookup("main\\np").is(quenda::Kind::Function));
  EXPECT_TRUE(sim::processes().empty());  // link starts nothing

  quenda::lang::Outcome outcome =
      run("np\nnp(\"C:\\work\\notes.txt\")\nfile f(\"C:\\work\\notes.txt\")\nnp(f)");
  ASSERT_TRUE(outcome.ok) << quenda::lang::describe(outcome.error);
  ASSERT_EQ(sim::processes().size(), 3u);
  for (const sim::Process& process : sim::processes()) {
    EXPECT_EQ(process.program, "C:\\Windows\\notepad.exe");
  }
  EXPECT_EQ(sim::processes()[0].commandLine.find("notes.txt"), std::string::npos);
  EXPECT_NE(sim::processes()[1].commandLine.find("C:\\work\\notes.txt"), std::string::npos);
  EXPECT_NE(sim::processes()[2].commandLine.find("\"C:\\work\\notes.txt\""), std::string::npos);
}

TEST_F(LibraryLangTest, LinkNamesMayBePathsAndLaterLinksReplaceEarlierOnes) {
  sim::addFile("C:\\tools\\a.exe");
  sim::addFile("C:\\tools\\b.exe");
  ASSERT_TRUE(run("link(\"tools\\edit\", \"C:\\tools\\a.exe\")\n"
                  "link(\"tools\\edit\", \"C:\\tools\\b.exe\")\ntools\\edit")
                  .ok);
  ASSERT_EQ(sim::processes().size(), 1u);
  EXPECT_EQ(sim::processes()[0].program, "C:\\tools\\b.exe");
}

TEST_F(LibraryLangTest, LinkErrorsReachTheScript) {
  quenda::lang::Outcome outcome = run("\nlink(\"np\")");
  ASSERT_FALSE(outcome.ok);
  EXPECT_EQ(outcome.error.message, "The minimal argument count is 2!");
  EXPECT_EQ(outcome.error.line, 2);
}

TEST_F(LibraryLangTest, WebLinkDefinesAFunction) {
  ASSERT_TRUE(run("webLink(\"news\", \"http://example.org/\")").ok);
  EXPECT_TRUE(runtime->lookup("news").is(quenda::Kind::Function));
}

TEST_F(LibraryLangTest, StandbyRunsTheJobsTheScriptDefines) {
  stopAfterPass(7);
  quenda::lang::Outcome outcome =
      run("int runs = 0\n"
          "job\\tick\\refresh = 2\n"
          "job\\tick\\action(){\n"
          "  runs = runs + 1\n"
          "  if(runs == 2){ job\\tick\\refresh = 0 }\n"
          "}\n"
          "job\\idle\\disabled = 1\n"
          "job\\idle\\action(){ print(\"never\") }\n"
          "standby\n"
          "runs");
  ASSERT_TRUE(outcome.ok) << quenda::lang::describe(outcome.error);
  // refresh 2: runs in passes 3 and 6; the second run sets refresh to 0, so pass 7 runs too.
  EXPECT_EQ(lines,
            (std::vector<std::string>{"running \"tick\" ...", "finished.", "running \"tick\" ...",
                                      "finished.", "running \"tick\" ...", "finished.", "3"}));
}

TEST_F(LibraryLangTest, AFailingJobIsReportedAndStandbyGoesOn) {
  stopAfterPass(2);
  quenda::lang::Outcome outcome =
      run("job\\bad\\refresh = 0\n"
          "job\\bad\\action(){ nosuch }\n"
          "standby\n"
          "print(\"after\")");
  ASSERT_TRUE(outcome.ok) << quenda::lang::describe(outcome.error);
  EXPECT_EQ(lines, (std::vector<std::string>{
                       "running \"bad\" ...",
                       "error: test.qs, line 2, column 19: unknown name 'nosuch' (help lists the "
                       "names)",
                       "finished.", "running \"bad\" ...",
                       "error: test.qs, line 2, column 19: unknown name 'nosuch' (help lists the "
                       "names)",
                       "finished.", "after"}));
}

}  // namespace
}  // namespace langtest
