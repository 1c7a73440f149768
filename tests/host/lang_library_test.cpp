// The language with the library itself: the functions that link hands over start the program
// (scripts in scripts/ show the rest).
#include <gtest/gtest.h>

#include "lang_library_fixture.h"

namespace langtest {
namespace {

namespace sim = platform::sim;

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

}  // namespace
}  // namespace langtest
