// The native quenda program, started as a user starts it: arguments, standard input, output,
// errors and exit codes. The native program runs the linked library over the simulated Windows;
// the end-to-end scripts show the same program under Wine, at a prompt included.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

using ::testing::StartsWith;

std::string shellQuoted(const std::string& arg) {
  std::string out = "'";
  for (char c : arg) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return out + "'";
}

std::string slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

struct Case {
  const char* what;
  std::vector<std::string> args;
  ::testing::Matcher<std::string> out, err;
  int code;
  std::string input = "";
};

const Case kCases[] = {
    {"files and statements run in order, and an error ends the run",
     {"first.qs", "-e", "shout", "broken.qs", "never.qs"},
     "first\nshout\nshout\n",
     "error: broken.qs, line 2, column 1: unknown name 'nosuch' (help lists the names)\n",
     1},
    {"a byte-order mark is no part of a file", {"marked.qs"}, "marked\n", "", 0},
    {"UTF-16 is refused and runs nothing",
     {"wide.qs"},
     "",
     "quenda: the script wide.qs is UTF-16 text; save it as UTF-8 or ANSI\n",
     2},
    {"a folder is no script", {"."}, "", "quenda: cannot read the script .\n", 2},
    {"an unknown option, then the usage line by line",
     {"--frobnicate"},
     "",
     StartsWith("quenda: unknown option '--frobnicate'\n"
                "usage: quenda [--lib PATH] [--color=auto|always|never] [-e STATEMENTS | FILE]...\n"
                "  no script "),
     2},
    {"help", {"--help"}, StartsWith("usage: quenda"), "", 0},
    {"the echo shows markup, print renders it",
     {"-e", "text t = \"a$n$b $5 $$n$$\"", "-e", "t", "-e", "print(t)"},
     "a$n$b $5 $$n$$\nab $5 $$\n",
     "",
     0},
    {"colour when asked",
     {"--color=always", "-e", "\"$cyan$x\"", "-e", "print(\"$cyan$a$n$b$gray$c\")"},
     "$cyan$x\n\x1b[36ma\x1b[0mb\x1b[90mc\x1b[0m\n",  // never leaving colour on
     "",
     0},
    {"control characters in errors are shown escaped",
     {"-e", "int n = 0\nn = \"1\x1b[2J\a\t\\\""},
     "",
     "error: -e, line 2, column 1: the text \"1\\x1b[2J\\x07\\t\\\" is not a number\n",
     1},
    {"exit in a job ends the program that standby would keep running",
     {"-e", "job\\a\\refresh = 0", "-e", "job\\a\\action(){ print(\"in a\"); exit(4) }", "-e",
      "standby"},
     "running \"a\" ...\nin a\n",
     "",
     4},
    {"a question reads its answer from standard input", {"-e", "dir.sel"}, "id: ", "", 0, "0\n"},
    {"a question after a script on standard input meets its end",
     {},
     "id: \nafter\n",
     "",
     0,
     "dir.sel\nprint(\"after\")\n"},
};

TEST(QuendaCli, RunsAsAUserStartsIt) {
  std::string program = std::filesystem::read_symlink("/proc/self/exe").parent_path() / "quenda";
  ASSERT_EQ(::access(program.c_str(), X_OK), 0) << "no program at " << program;
  char dirTemplate[] = "/tmp/quenda_cli_XXXXXX";
  ASSERT_TRUE(::mkdtemp(dirTemplate));
  const std::string dir = dirTemplate;
  auto write = [&](const std::string& name, const std::string& content) {
    std::ofstream(dir + "/" + name, std::ios::binary) << content;
  };
  write("first.qs", "print(\"first\")\r\nmain\\shout(){ print(\"shout\") }\r\n");
  write("broken.qs", "shout\nnosuch\nprint(\"not reached\")\n");
  write("never.qs", "print(\"never\")\n");
  write("marked.qs", "\xEF\xBB\xBFprint(\"marked\")\n");
  write("wide.qs", std::string("\xFF\xFEp\0r\0i\0n\0t\0", 12));

  for (const Case& c : kCases) {
    SCOPED_TRACE(c.what);
    write("stdin.txt", c.input);
    std::string command = "cd " + shellQuoted(dir) + " && timeout 120 " + shellQuoted(program);
    for (const std::string& arg : c.args) command += " " + shellQuoted(arg);  // a hang fails
    command += " <" + shellQuoted(dir + "/stdin.txt") + " >" + shellQuoted(dir + "/out.txt") +
               " 2>" + shellQuoted(dir + "/err.txt");
    int status = std::system(command.c_str());
    EXPECT_EQ(WIFEXITED(status) ? WEXITSTATUS(status) : -1, c.code);
    EXPECT_THAT(slurp(dir + "/out.txt"), c.out);
    EXPECT_THAT(slurp(dir + "/err.txt"), c.err);
  }
  std::system(("rm -rf " + shellQuoted(dir)).c_str());
}

}  // namespace
