// The native quenda program, started as a user starts it: arguments, standard input, output,
// errors and exit codes. The native program runs the linked library over the simulated Windows.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct Outcome {
  std::string out;
  std::string err;
  int code = -1;
};

std::string binDir() {
  char path[4096];
  ssize_t n = ::readlink("/proc/self/exe", path, sizeof path - 1);
  if (n <= 0) return ".";
  std::string exe(path, static_cast<std::size_t>(n));
  return exe.substr(0, exe.find_last_of('/'));
}

std::string shellQuoted(const std::string& arg) {
  std::string out = "'";
  for (char c : arg) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return out + "'";
}

std::string slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream buffer;
  buffer << in.rdbuf();
  return buffer.str();
}

class QuendaCli : public ::testing::Test {
 protected:
  void SetUp() override {
    program_ = binDir() + "/quenda";
    if (::access(program_.c_str(), X_OK) != 0) GTEST_FAIL() << "no program at " << program_;
    char dir[] = "/tmp/quenda_cli_XXXXXX";
    ASSERT_TRUE(::mkdtemp(dir));
    dir_ = dir;
  }
  void TearDown() override { std::system(("rm -rf " + shellQuoted(dir_)).c_str()); }

  std::string file(const std::string& name, const std::string& content) {
    std::string path = dir_ + "/" + name;
    std::ofstream(path, std::ios::binary) << content;
    return path;
  }

  // Runs quenda with the arguments; standard input from `input` (a pipe, so not a console).
  Outcome start(const std::vector<std::string>& args, const std::string& input = "",
                const std::string& wrapper = "") {
    std::string in = file("stdin.txt", input);
    std::string command = shellQuoted(program_);
    for (const std::string& arg : args) command += " " + shellQuoted(arg);
    // script(1) writes a copy of the session to a file: /dev/null. timeout stays outside it:
    // inside, it would put quenda in a process group of its own, in the background of the
    // terminal, where reading stops it.
    if (!wrapper.empty()) command = wrapper + " " + shellQuoted(command) + " /dev/null";
    // A hang fails the test instead of stalling the run.
    command = "timeout 120 " + command;
    command += " <" + shellQuoted(in) + " >" + shellQuoted(dir_ + "/out.txt") + " 2>" +
               shellQuoted(dir_ + "/err.txt");
    int status = std::system(command.c_str());
    Outcome result;
    result.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.out = slurp(dir_ + "/out.txt");
    result.err = slurp(dir_ + "/err.txt");
    return result;
  }

  std::string program_;
  std::string dir_;
};

TEST_F(QuendaCli, StatementsFromTheCommandLine) {
  Outcome r = start({"-e", "1 + 2", "-e", "print(\"two\", \"words\")"});
  EXPECT_EQ(r.out, "3\ntwo words\n");
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(r.code, 0);
}

TEST_F(QuendaCli, StandardInputThatIsNotAConsoleIsTheScript) {
  Outcome r = start({}, "dir.get\nfolder d = dir.get\nd + \"notes.txt\"\n");
  EXPECT_EQ(r.out, "C:\\\nC:\\notes.txt\n");
  EXPECT_EQ(r.code, 0);
}

TEST_F(QuendaCli, ScriptFilesRunInOrderAndAnErrorEndsTheRun) {
  std::string first = file("first.qs", "print(\"first\")\r\nmain\\shout(){ print(\"shout\") }\r\n");
  std::string broken = file("broken.qs", "shout\nnosuch\nprint(\"not reached\")\n");
  std::string never = file("never.qs", "print(\"never\")\n");
  Outcome r = start({first, "-e", "shout", broken, never});
  EXPECT_EQ(r.out, "first\nshout\nshout\n");
  EXPECT_EQ(r.err, "error: " + broken +
                       ", line 2, column 1: unknown name 'nosuch' (help lists the names)\n");
  EXPECT_EQ(r.code, 1);
}

TEST_F(QuendaCli, ScriptEncodings) {
  // A UTF-8 file as some editors save it: the byte-order mark is not part of the script.
  std::string marked = file("marked.qs", "\xEF\xBB\xBFprint(\"marked\")\n");
  Outcome r = start({marked});
  EXPECT_EQ(r.out, "marked\n");
  EXPECT_EQ(r.code, 0);
  EXPECT_EQ(start({},
                  "\xEF\xBB\xBF"
                  "1 + 1\n")
                .out,
            "2\n");
  // UTF-16 can't be read: said so, nothing runs.
  std::string wide = file("wide.qs", std::string("\xFF\xFEp\0r\0i\0n\0t\0", 12));
  Outcome refused = start({wide});
  EXPECT_EQ(refused.code, 2);
  EXPECT_EQ(refused.err,
            "quenda: the script " + wide + " is UTF-16 text; save it as UTF-8 or ANSI\n");
  EXPECT_EQ(refused.out, "");
}

TEST_F(QuendaCli, AFolderIsNoScript) {
  Outcome r = start({dir_});
  EXPECT_EQ(r.code, 2);
  EXPECT_EQ(r.err, "quenda: cannot read the script " + dir_ + "\n");
}

TEST_F(QuendaCli, EchoedTextsKeepTheirMarkup) {
  // The echo shows a text as it is; print renders (here: removes) the markup.
  Outcome r = start({"-e", "text t = \"a$n$b\"", "-e", "t", "-e", "print(t)"});
  EXPECT_EQ(r.out, "a$n$b\nab\n");
  EXPECT_EQ(start({"--color=always", "-e", "\"$cyan$x\""}).out, "$cyan$x\n");
}

TEST_F(QuendaCli, SyntaxErrorsRunNothingOfTheirScript) {
  std::string script = file("syntax.qs", "print(\"a\")\nprint(\"b)\n");
  Outcome r = start({script});
  EXPECT_EQ(r.out, "");
  EXPECT_NE(r.err.find(", line 2, column 7: unterminated text"), std::string::npos) << r.err;
  EXPECT_EQ(r.code, 1);
}

TEST_F(QuendaCli, ControlCharactersInErrorsAreShownEscaped) {
  Outcome r = start({"-e", "int n = 0\nn = \"1\x1b[2J\a\t\\\""});
  EXPECT_EQ(r.code, 1);
  EXPECT_EQ(r.err,
            "error: -e, line 2, column 1: the text \"1\\x1b[2J\\x07\\t\\\" is not a number\n");
}

TEST_F(QuendaCli, ExitGivesItsCode) {
  EXPECT_EQ(start({"-e", "print(1); exit(5); print(2)"}).code, 5);
  Outcome r = start({"-e", "exit"});
  EXPECT_EQ(r.code, 0);
}

TEST_F(QuendaCli, ExitInAJobEndsTheProgramAlthoughStandbyWouldGoOn) {
  // Nobody presses Ctrl+Enter here: only exit can end this run.
  Outcome r = start({"-e", "job\\a\\refresh = 0", "-e",
                     "job\\a\\action(){ print(\"in a\"); exit(4) }", "-e", "standby"});
  EXPECT_EQ(r.code, 4);
  EXPECT_EQ(r.out, "running \"a\" ...\nin a\n");
}

TEST_F(QuendaCli, MarkupIsRemovedFromRedirectedOutputUnlessColourIsAsked) {
  EXPECT_EQ(start({"-e", "print(\"$cyan$a$n$b$gray$c\")"}).out, "abc\n");
  EXPECT_EQ(start({"--color=always", "-e", "print(\"$cyan$a$n$b\")"}).out, "\x1b[36ma\x1b[0mb\n");
}

TEST_F(QuendaCli, QuestionsPrintTheLabelAndReadALine) {
  // The listing asks for "id"; the answer comes from standard input.
  Outcome r = start({"-e", "dir.sel"}, "0\n");
  EXPECT_EQ(r.out, "id: ");
  EXPECT_EQ(r.code, 0);
  // When standard input was the script, a question meets its end: the answer is empty.
  Outcome piped = start({}, "dir.sel\nprint(\"after\")\n");
  EXPECT_EQ(piped.out, "id: \nafter\n");
}

TEST_F(QuendaCli, LibraryErrorsAreClearAndHaveTheirOwnCode) {
  Outcome r = start({"--lib", "C:\\nowhere\\zorvel.dll", "-e", "1"});
  EXPECT_EQ(r.code, 3);
  EXPECT_NE(r.err.find("cannot load the library 'C:\\nowhere\\zorvel.dll'"), std::string::npos)
      << r.err;
  EXPECT_EQ(r.out, "");
  // A relative path names a file in the current directory (C:\ in the simulation).
  Outcome relative = start({"--lib", "nowhere.dll", "-e", "1"});
  EXPECT_EQ(relative.code, 3);
  EXPECT_NE(relative.err.find("cannot load the library 'C:\\nowhere.dll'"), std::string::npos)
      << relative.err;
}

TEST_F(QuendaCli, UsageErrorsAndHelp) {
  Outcome bad = start({"--frobnicate"});
  EXPECT_EQ(bad.code, 2);
  EXPECT_NE(bad.err.find("unknown option '--frobnicate'"), std::string::npos);
  EXPECT_NE(bad.err.find("usage: quenda"), std::string::npos);
  EXPECT_EQ(start({"-e"}).code, 2);
  Outcome missing = start({dir_ + "/missing.qs"});
  EXPECT_EQ(missing.code, 2);
  EXPECT_NE(missing.err.find("cannot read the script"), std::string::npos);
  Outcome help = start({"--help"});
  EXPECT_EQ(help.code, 0);
  EXPECT_EQ(help.out.rfind("usage: quenda", 0), 0u);
}

TEST_F(QuendaCli, ThePromptOnATerminalGoesOnAfterErrorsAndAsksForMoreLines) {
  if (::access("/usr/bin/script", X_OK) != 0) GTEST_SKIP() << "no script(1) for a terminal";
  Outcome r = start({}, "main\\f(){\nprint(\"in f\")\n}\nf\nnosuch\nexit(3)\n", "script -qec");
  EXPECT_EQ(r.code, 3);
  EXPECT_NE(r.out.find("quenda>"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("   ...>"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("in f"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("error: column 1: unknown name 'nosuch'"), std::string::npos) << r.out;
}

TEST_F(QuendaCli, EndOfInputAtAQuestionOnATerminalAnswersOnlyTheQuestion) {
  if (::access("/usr/bin/script", X_OK) != 0) GTEST_SKIP() << "no script(1) for a terminal";
  // Ctrl+D at "id": the listing gets no answer, and the prompt reads on.
  Outcome r = start({}, "dir.sel\n\x04print(\"after\")\nexit(4)\n", "script -qec");
  EXPECT_EQ(r.code, 4) << r.out;
  EXPECT_NE(r.out.find("id: "), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("after"), std::string::npos) << r.out;
}

}  // namespace
