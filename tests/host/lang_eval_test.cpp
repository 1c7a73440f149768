// The evaluator on a runtime bound to the test library: the class protocol, functions, groups,
// arguments, errors and their places, and the hooks the runtime calls back.
#include <gtest/gtest.h>

#include <atomic>

#include "lang/evaluator.h"
#include "lang_test_fixture.h"

namespace langtest {
namespace {

using quenda::Kind;
using quenda::ValueRef;
using quenda::lang::Error;
using Log = std::vector<std::string>;

// The text `link` hands over, built exactly as the library builds it.
std::string launcherText(const std::string& name, const std::string& program) {
  return "main\\" + name + "(){\r\n" + "  if(args:count){run(\"" + program + "\",pop)}else{run(\"" +
         program + "\")}\r\n" + "}";
}

TEST_F(LangTest, ExpressionValuesArePrintedByKind) {
  EXPECT_EQ(run("\"C:\\work\\\"\n42\n-7 + 2\ntool.pair(\"a\", \"b\")\nsay(\"said\")\n"),
            "C:\\work\\\n42\n-5\n[a, b]\nsaid");
  // Nothing is printed for a statement without a result, or without echo.
  lines.clear();
  ASSERT_TRUE(lang->run("1\n\"x\"", {"quiet.qs", false}).ok);
  EXPECT_TRUE(lines.empty());
}

TEST_F(LangTest, DeclaringAnObjectRunsNewThenDef) {
  run("thing f(\"C:\\a.txt\")");
  EXPECT_EQ(protocolLog(), (Log{"_new", "_def C:\\a.txt"}));
  EXPECT_EQ(runtime->lookup("f").objectPath(), "C:\\a.txt");
  protocolLog().clear();
  run("thing g");
  EXPECT_EQ(protocolLog(), (Log{"_new"}));
}

TEST_F(LangTest, DeclaringWithAValueRunsNewThenSet) {
  run("thing d = \"C:\\b\\\"");
  EXPECT_EQ(protocolLog(), (Log{"_new", "_set C:\\b\\"}));
  protocolLog().clear();
  run("thing e = d");  // another object of the class: _set with the object
  EXPECT_EQ(protocolLog(), (Log{"_new", "_set C:\\b\\"}));
  EXPECT_FALSE(runtime->lookup("e").same(runtime->lookup("d")));
}

TEST_F(LangTest, AssigningIntoAnObjectRunsSet) {
  run("thing f(\"one\")");
  protocolLog().clear();
  run("f = \"two\"");
  EXPECT_EQ(protocolLog(), (Log{"_set two"}));
  EXPECT_EQ(runtime->lookup("f").objectPath(), "two");
}

TEST_F(LangTest, AnObjectIntoATextRunsFSet) {
  run("thing f(\"C:\\x.txt\")\ntext t = \"old\"");
  protocolLog().clear();
  run("t = f");
  EXPECT_EQ(protocolLog(), (Log{"_fSet"}));
  EXPECT_EQ(runtime->lookup("t").text(), "C:\\x.txt");
  protocolLog().clear();
  run("text u = f");
  EXPECT_EQ(protocolLog(), (Log{"_fSet"}));
  EXPECT_EQ(runtime->lookup("u").text(), "C:\\x.txt");
}

TEST_F(LangTest, ObjectPlusValueRunsAddAndPrintingRunsForm) {
  run("thing d(\"C:\\src\\\")");
  protocolLog().clear();
  EXPECT_EQ(run("d + \"main.c\""), "C:\\src\\main.c");
  EXPECT_EQ(protocolLog(), (Log{"_add main.c", "_new", "_form", "_del"}));
  protocolLog().clear();
  EXPECT_EQ(run("print(d, 3)"), "C:\\src\\ 3");
  EXPECT_EQ(protocolLog(), (Log{"_form"}));
  // _add that gives no result: the statement has no value and prints nothing.
  EXPECT_EQ(run("d + 5"), "");
}

TEST_F(LangTest, ReplacedAndEndedObjectsRunDel) {
  run("thing f(\"1\")");
  EXPECT_EQ(liveThings(), 1);
  run("thing f(\"2\")");  // declared again: the first object goes
  EXPECT_EQ(liveThings(), 1);
  run("main\\make(){ thing local(\"3\") }\nmake");
  EXPECT_EQ(liveThings(), 1);  // a local object ends with its function
}

TEST_F(LangTest, TextAndIntVariablesKeepTheirKind) {
  EXPECT_EQ(run("int n = 5\nn = \"7\"\nn\ntext t = 12\nt\nt = t + \"!\"\nt"), "7\n12\n12!");
  Error error = fails("n = \"seven\"");
  EXPECT_TRUE(contains(error.message, "not a number")) << error.message;
  EXPECT_EQ(run("int m\nm\ntext e\ne == \"\""), "0\n1");
  EXPECT_TRUE(contains(fails("n = tool").message, "group"));
}

TEST_F(LangTest, UnknownTypeIsAnError) {
  Error error = fails("widget w(\"x\")");
  EXPECT_TRUE(contains(error.message, "unknown type 'widget'")) << error.message;
  EXPECT_EQ(error.line, 1);
  // Two names in a row read as a declaration; a function first is a call written without
  // parentheses.
  EXPECT_TRUE(contains(fails("help tool").message, "write help(tool)"));
  EXPECT_TRUE(contains(fails("need tool").message, "write need(tool)"));
}

TEST_F(LangTest, FunctionsAtPathsAreCalledWithAndWithoutParentheses) {
  EXPECT_EQ(run("main\\hello(){ print(\"hi\") }\nhello\nhello()\nmain\\hello"), "hi\nhi\nhi");
  EXPECT_TRUE(runtime->lookup("hello").is(Kind::Function));
  EXPECT_EQ(run("tools\\deep\\greet(){ print(\"deep\") }\ntools\\deep\\greet\ntools.deep.greet()"),
            "deep\ndeep");
  EXPECT_TRUE(runtime->lookup("tools").is(Kind::Group));
  // A definition again replaces the function.
  EXPECT_EQ(run("main\\hello(){ print(\"hello again\") }\nhello"), "hello again");
}

TEST_F(LangTest, ArgsCountPopAndParameters) {
  EXPECT_EQ(run("f(){ print(args:count); if(args:count){ print(pop, pop) } }\nf\nf(\"a\", 2)"),
            "0\n2\na 2");
  EXPECT_EQ(run("g(who){ print(\"hello\", who, args:count) }\ng(\"you\", \"extra\")"),
            "hello you 2");
  EXPECT_EQ(run("sq(n){ return n * n }\nsq(7)\nnothing(){ return }\nnothing"), "49");
  // A parameter is the function's own copy: assigning to it leaves the caller's variable.
  EXPECT_EQ(run("int k = 1\nbump(x){ x = x + 1; return x }\nbump(k)\nk"), "2\n1");
}

TEST_F(LangTest, PopBeyondTheArgumentsIsAnError) {
  Error error = fails("f(){\n  pop\n  pop\n}\nf(\"only\")");
  EXPECT_TRUE(contains(error.message, "pop: no argument left ('f' was given 1)")) << error.message;
  EXPECT_EQ(error.line, 3);
  EXPECT_EQ(error.column, 3);
  EXPECT_EQ(error.source, "test.qs");
  EXPECT_TRUE(contains(fails("pop").message, "the script was given 0"));
}

TEST_F(LangTest, MissingParametersAreAnErrorAtTheCall) {
  Error error = fails("g(a, b){ }\n\ng(1)");
  EXPECT_TRUE(contains(error.message, "'g' takes 2 argument(s) (a, b) and was given 1"))
      << error.message;
  EXPECT_EQ(error.line, 3);
}

TEST_F(LangTest, LocalsStayInTheirFunctionAndGlobalsAreShared) {
  EXPECT_EQ(run("int total = 0\nadd(n){ total = total + n; scratch = n }\nadd(2)\nadd(3)\ntotal"),
            "5");
  EXPECT_FALSE(runtime->lookup("scratch"));
  EXPECT_TRUE(contains(fails("scratch").message, "unknown name 'scratch'"));
}

TEST_F(LangTest, NumberMembersInGroupsKeepTheirDataBlock) {
  run("job\\backup\\refresh = 100");
  ValueRef refresh = runtime->lookup("job\\backup\\refresh");
  ASSERT_TRUE(refresh.is(Kind::Number));
  void* block = refresh.record()->data;
  run("job\\backup\\refresh = 5\njob.backup.refresh = job.backup.refresh + 1");
  EXPECT_EQ(runtime->lookup("job\\backup\\refresh").record()->data, block);
  EXPECT_EQ(*static_cast<std::int32_t*>(block), 6);
}

TEST_F(LangTest, JobActionsRunThroughCallMember) {
  EXPECT_EQ(run("job\\backup\\refresh = 100\n"
                "job\\backup\\action(){ say(\"backing up\"); job\\backup\\refresh = 7 }\n"
                "job\\clean\\action(){ say(\"cleaning\") }\n"
                "jobs\njobs"),
            "job backup refresh 100\nbacking up\njob clean\ncleaning\n"
            "job backup refresh 7\nbacking up\njob clean\ncleaning");
}

TEST_F(LangTest, AFailingJobActionIsReportedWithItsPlaceAndTheWalkGoesOn) {
  std::string out =
      run("job\\a\\action(){\n  nosuch\n}\n"
          "job\\b\\action(){ say(\"b ran\") }\n"
          "jobs");
  EXPECT_EQ(out,
            "job a\nerror: test.qs, line 2, column 3: unknown name 'nosuch' (help lists the "
            "names)\njob b\nb ran");
}

TEST_F(LangTest, TheLauncherTextDefinesACallableFunction) {
  std::string text = launcherText("np", "C:\\Windows\\notepad.exe");
  quenda::Result handed = runtime->runScript(text);
  ASSERT_TRUE(handed.ok()) << *handed.error;
  EXPECT_TRUE(runtime->lookup("main\\np").is(Kind::Function));
  EXPECT_EQ(run("np\nnp(\"C:\\notes.txt\")\nthing f(\"C:\\f.txt\")\nnp(f)"),
            "run C:\\Windows\\notepad.exe\nrun C:\\Windows\\notepad.exe C:\\notes.txt\n"
            "run C:\\Windows\\notepad.exe C:\\f.txt");
  // A number is a type run refuses: its error comes back from inside the function.
  Error error = fails("np(5)");
  EXPECT_EQ(error.message, "Invalid arguments specified.");
  EXPECT_EQ(error.source, "script text");
  EXPECT_EQ(error.line, 2);
}

TEST_F(LangTest, TheLibraryHandsOverTextThroughRunScript) {
  // `hand` passes its argument to runScript as link does; the text defines, it prints nothing.
  EXPECT_EQ(run("hand(\"main\\gen(){ say(args:count) }\")"), "");
  EXPECT_EQ(run("gen(1, 2)"), "2");
}

TEST_F(LangTest, ErrorsInHandedTextFailTheCallingStatement) {
  Error error = fails("hand(\"main\\bad name(){ }\")\nsay(\"not reached\")");
  EXPECT_TRUE(contains(error.message, "does not parse")) << error.message;
  EXPECT_EQ(error.line, 1);
  EXPECT_TRUE(lines.empty());
}

TEST_F(LangTest, LibraryErrorsCarryThePlaceOfTheCall) {
  Error error = fails("say(\"first\")\n  x = need()\nsay(\"never\")");
  EXPECT_EQ(error.message, "The minimal argument count is 1!");
  EXPECT_EQ(error.line, 2);
  EXPECT_EQ(error.column, 7);
  EXPECT_EQ(output(), "first");
  EXPECT_EQ(run("need(\"ok\")"), "ok");
}

TEST_F(LangTest, MembersOfNonObjectsAreErrors) {
  EXPECT_TRUE(contains(fails("int n = 5\nn.name").message,
                       "'n' is a number, not an object or a group: it has no member 'name'"));
  EXPECT_TRUE(contains(fails("\"abc\".name").message, "is a text"));
  EXPECT_TRUE(contains(fails("say(\"x\").name").message, "gave no value"));
  EXPECT_TRUE(contains(fails("thing.name").message, "needs an object"));
  EXPECT_TRUE(
      contains(fails("thing f(\"p\")\nf.nosuch").message, "a thing object has no member 'nosuch'"));
  EXPECT_TRUE(contains(fails("tool.nosuch").message, "unknown name 'nosuch' in the group 'tool'"));
  EXPECT_TRUE(contains(fails("int n = 1\nn(2)").message, "'n' is a number and cannot be called"));
  EXPECT_TRUE(contains(fails("thing f(\"p\")\nf.x = 1").message, "an object's members"));
}

TEST_F(LangTest, LibraryNamesAndBuiltinsCannotBeReplaced) {
  EXPECT_TRUE(contains(fails("tool = 5").message, "'tool' is a group and cannot be assigned to"));
  // A group the script made is no more assignable, and not the library's.
  EXPECT_EQ(fails("x\\y = 1\nx = 5").message, "'x' is a group and cannot be assigned to");
  EXPECT_TRUE(contains(fails("x\\y = 1\nint x").message, "'x' is a group: choose"));
  EXPECT_TRUE(contains(fails("need(){ }").message, "cannot be redefined"));
  EXPECT_TRUE(contains(fails("text thing").message, "is a class of the library: choose"));
  EXPECT_TRUE(contains(fails("print = 1").message, "builtin"));
  EXPECT_TRUE(contains(fails("help(){ }").message, "builtin"));
  EXPECT_TRUE(contains(fails("f(){ }\nf = 1").message, "is a function"));
  EXPECT_TRUE(runtime->lookup("tool").is(Kind::Group));
}

TEST_F(LangTest, AnErrorEndsTheScriptButKeepsWhatRanBefore) {
  Error error = fails("int a = 1\nsay(\"one\")\nunknown\nsay(\"two\")");
  EXPECT_EQ(error.line, 3);
  EXPECT_EQ(output(), "one");
  EXPECT_EQ(runtime->lookup("a").number(), 1);
}

TEST_F(LangTest, SyntaxErrorsRunNothing) {
  Error error = fails("say(\"one\")\nsay(\"two)\n");
  EXPECT_TRUE(contains(error.message, "unterminated text"));
  EXPECT_EQ(error.line, 2);
  EXPECT_EQ(error.source, "test.qs");
  EXPECT_TRUE(lines.empty());
  Error braces = fails("f(){\n say(\"x\")\n");
  EXPECT_TRUE(braces.incomplete);
  EXPECT_TRUE(lines.empty());
}

TEST_F(LangTest, EndlessRecursionEndsInAnError) {
  Error error = fails("down(n){ return down(n + 1) }\ndown(0)");
  EXPECT_TRUE(contains(error.message, "nest deeper than")) << error.message;
  // The language goes on working afterwards.
  EXPECT_EQ(run("1 + 1"), "2");
  // Deep expressions inside each call reach the evaluation bound before the call bound.
  std::string deep = "deep(n){ return deep(n + 1)";
  for (int i = 0; i < 250; ++i) deep += " + 0";
  deep += " }\ndeep(0)";
  Error deepError = fails(deep);
  EXPECT_TRUE(contains(deepError.message, "nest deeper than")) << deepError.message;
  // Recursion through the library: the job action's error is reported, the walk goes on.
  std::string out = run("job\\loop\\action(){ jobs }\njobs");
  EXPECT_TRUE(contains(out, "nest deeper than")) << out;
  EXPECT_EQ(run("2 + 2"), "4");
}

// Size is no nesting: a long else-if chain picks the right arm, and many definitions each keep
// their own body (a name index that lost or mixed entries would show here).
TEST_F(LangTest, LongChainsAndManyDefinitionsRun) {
  std::string chain = "n = 1999\nif(n == 0){ say(\"arm 0\") }";
  for (int i = 1; i < 2000; ++i) {
    chain += "\nelse if(n == " + std::to_string(i) + "){ say(\"arm " + std::to_string(i) + "\") }";
  }
  chain += "\nelse { say(\"none\") }";
  EXPECT_EQ(run(chain), "arm 1999");
  EXPECT_EQ(run("n = 17\n" + chain.substr(chain.find('\n') + 1)), "arm 17");
  EXPECT_EQ(run("n = -1\n" + chain.substr(chain.find('\n') + 1)), "none");

  std::string definitions;
  for (int i = 0; i < 2000; ++i) {
    definitions += "f" + std::to_string(i) + "(){ return " + std::to_string(i) + " }\n";
  }
  run(definitions);
  EXPECT_EQ(run("f0 + f1000 + f1999"), "2999");
  EXPECT_EQ(run("f1000(){ return -1 }\nf999 + f1000 + f1001"), "1999");
}

TEST_F(LangTest, ExitEndsTheRunWithItsCode) {
  lines.clear();
  quenda::lang::Outcome outcome = lang->run("say(\"a\")\nexit(3)\nsay(\"b\")");
  EXPECT_TRUE(outcome.exitRequested);
  EXPECT_EQ(outcome.exitCode, 3);
  EXPECT_EQ(output(), "a");
  outcome = lang->run("leave(){ if(1){ exit } }\nleave\nsay(\"c\")");
  EXPECT_TRUE(outcome.exitRequested);
  EXPECT_EQ(outcome.exitCode, 0);
  EXPECT_TRUE(contains(fails("exit(\"soon\")").message, "exit takes a number"));
}

TEST_F(LangTest, ExitBelowALibraryRoutineGoesToTheHandlerOrWaitsForTheRoutine) {
  // Without a handler the routine finishes (later actions no longer run), then the run ends.
  lines.clear();
  quenda::lang::Outcome outcome = lang->run(
      "job\\a\\action(){ say(\"a\"); exit(4) }\njob\\b\\action(){ say(\"b\") }\n"
      "jobs\nsay(\"after\")");
  EXPECT_TRUE(outcome.exitRequested);
  EXPECT_EQ(outcome.exitCode, 4);
  EXPECT_EQ(output(), "job a\na\njob b");
  // The next run starts afresh.
  EXPECT_EQ(run("say(\"again\")"), "again");

  std::vector<int> codes;
  lang->setExitHandler([&codes](int code) { codes.push_back(code); });
  lang->run("job\\a\\action(){ exit(6) }\njobs");
  EXPECT_EQ(codes, std::vector<int>{6});
  // Called directly, a function's exit needs no handler.
  codes.clear();
  outcome = lang->run("leave(){ exit(2) }\nleave");
  EXPECT_EQ(outcome.exitCode, 2);
  EXPECT_TRUE(codes.empty());
}

TEST_F(LangTest, AStepLimitEndsRunsThatTheLibraryKeepsCallingBack) {
  lang->setStepLimit(5000);
  // Each action runs the job walk twice: without a bound this doubles to the depth limit.
  std::string out = run("job\\x\\action(){ jobs; jobs }\njobs");
  EXPECT_TRUE(contains(out, "past its limit of 5000 steps")) << out.substr(0, 300);
  EXPECT_EQ(run("1 + 1"), "2");  // the next run counts afresh
}

// Ctrl+C sets the flag while `pick` asks its question (a library routine running): the routine
// and everything it calls back finish, and the run ends before its next step.
TEST_F(LangTest, AnInterruptEndsTheRunOnceTheLibraryCallHasReturned) {
  std::atomic<bool> interrupt{false};
  lang->setInterruptFlag(&interrupt);
  runtime->hooks().askText = [&](std::string_view) -> std::optional<std::string> {
    interrupt = true;
    return "4";
  };
  struct Case {
    const char* source;
    const char* printed;
  };
  for (const Case& c : {
           // The statement that called it still ends as usual: its value is printed.
           Case{"say(\"a\")\npick\nsay(\"b\")", "a\n4"},
           // Inside a job's action the walk goes on: the interrupt waits for jobs to return.
           Case{"job\\a\\action(){ pick; say(\"in a\") }\njob\\b\\action(){ say(\"in b\") }\n"
                "jobs\nsay(\"after\")",
                "job a\nin a\njob b\nin b"},
           // A function of the script stops at once, and so does its caller.
           Case{"f(){ pick; say(\"in f\") }\nf\nsay(\"after\")", ""},
       }) {
    interrupt = false;
    lines.clear();
    quenda::lang::Outcome outcome = lang->run(c.source, {"test.qs", true});
    EXPECT_TRUE(outcome.interrupted) << c.source;
    EXPECT_FALSE(outcome.ok);
    EXPECT_EQ(output(), c.printed) << c.source;
  }
  interrupt = false;
  EXPECT_EQ(run("1 + 1"), "2");
  lang->setInterruptFlag(nullptr);
}

TEST_F(LangTest, EvalNumberReadsAnswersWithoutCallingAnything) {
  run("int n = 4");
  answers = {"3", " 12 ", "n + 1", "say(\"x\")", "abc", "", "-2147483648", "99999999999"};
  EXPECT_EQ(run("pick\npick\npick\npick\npick\npick\npick\npick\npick"),
            "3\n12\n5\n0\n0\n0\n-2147483648\n0\n0");
  EXPECT_EQ(asked, std::vector<std::string>(9, "id"));
}

TEST_F(LangTest, HelpListsGroupsClassesAndFunctions) {
  run("main\\hello(){ }\nint n = 3");
  std::string out = run("help");
  EXPECT_TRUE(contains(out, "$cyan$builtins $n$  print, help, exit")) << out;
  EXPECT_TRUE(contains(out, "$cyan$tool     $n$  count, pair")) << out;
  EXPECT_TRUE(contains(out, "$cyan$thing    $n$  class: name")) << out;
  EXPECT_FALSE(contains(out, "_new"));
  EXPECT_TRUE(contains(out, "hello"));
  EXPECT_TRUE(contains(out, "$cyan$variables$n$  n"));
  std::string group = run("job\\x\\refresh = 9\nhelp(job.x)");
  EXPECT_TRUE(contains(group, "refresh  $gray$number$n$ 9")) << group;
  EXPECT_TRUE(contains(run("help(\"thing\")"), "_new"));
  EXPECT_TRUE(contains(fails("help(3)").message, "has no members"));
}

TEST_F(LangTest, TheLanguageEndingBeforeItsFunctionsIsSafe) {
  run("main\\late(){ print(\"late\") }");
  lang.reset();
  quenda::Result result = runtime->call("late");
  ASSERT_FALSE(result.ok());
  EXPECT_TRUE(contains(*result.error, "has ended"));
  EXPECT_FALSE(runtime->runScript("x = 1").ok());
}

}  // namespace
}  // namespace langtest
