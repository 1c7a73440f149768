// The parser: the shape of the tree for every construct, and every syntax error with its place.
#include <gtest/gtest.h>

#include "lang/parser.h"

namespace quenda::lang {
namespace {

std::unique_ptr<Script> parsed(std::string_view source) {
  ParseResult result = parse(source);
  EXPECT_TRUE(result.script) << describe(result.error) << "\nin: " << source;
  return std::move(result.script);
}

Error syntaxError(std::string_view source) {
  ParseResult result = parse(source);
  EXPECT_FALSE(result.script) << "no error for: " << source;
  EXPECT_FALSE(result.error.message.empty());
  EXPECT_GT(result.error.line, 0);
  EXPECT_GT(result.error.column, 0);
  return result.error;
}

bool mentions(const Error& error, std::string_view part) {
  return error.message.find(part) != std::string::npos;
}

// The link launcher text exactly as the library builds it.
std::string launcherText(const std::string& name, const std::string& program) {
  return "main\\" + name + "(){\r\n" + "  if(args:count){run(\"" + program + "\",pop)}else{run(\"" +
         program + "\")}\r\n" + "}";
}

TEST(LangParser, DeclarationsOfEveryForm) {
  auto script = parsed(
      "text t = \"C:\\work\\notes.txt\"\nint n = 5\nfile f(\"C:\\a.txt\")\n"
      "folder d = dir.get\nfile g");
  ASSERT_EQ(script->statements.size(), 5u);
  const Stmt& text = *script->statements[0];
  EXPECT_EQ(text.kind, StmtKind::kDeclare);
  EXPECT_EQ(text.typeName, "text");
  EXPECT_EQ(text.name, "t");
  EXPECT_EQ(text.initializer, Initializer::kAssign);
  EXPECT_EQ(text.value->text, "C:\\work\\notes.txt");

  const Stmt& object = *script->statements[2];
  EXPECT_EQ(object.initializer, Initializer::kArguments);
  ASSERT_EQ(object.arguments.size(), 1u);
  EXPECT_EQ(object.line, 3);

  const Stmt& assigned = *script->statements[3];
  EXPECT_EQ(assigned.value->kind, ExprKind::kMember);
  EXPECT_EQ(assigned.value->text, "get");
  EXPECT_FALSE(assigned.value->backslash);

  EXPECT_EQ(script->statements[4]->initializer, Initializer::kNone);
}

TEST(LangParser, AssignmentsToNamesAndPaths) {
  auto script = parsed("f = \"C:\\other.txt\"; job\\backup\\refresh = 100");
  ASSERT_EQ(script->statements.size(), 2u);
  const Stmt& member = *script->statements[1];
  EXPECT_EQ(member.kind, StmtKind::kAssign);
  EXPECT_EQ(member.target->kind, ExprKind::kMember);
  EXPECT_TRUE(member.target->backslash);
  EXPECT_EQ(member.target->text, "refresh");
  EXPECT_EQ(member.target->base->text, "backup");
  EXPECT_EQ(member.value->number, 100);
}

TEST(LangParser, DefinitionsAtPathsWithAndWithoutParameters) {
  auto script = parsed(
      "main\\hello(){ print(\"hi\") }\njob\\backup\\action(){\n d.copy(\"D:\\backup\\\")\n}\n"
      "greet(who, how){ print(who) }");
  ASSERT_EQ(script->statements.size(), 3u);
  const Stmt& hello = *script->statements[0];
  EXPECT_EQ(hello.kind, StmtKind::kDefine);
  EXPECT_EQ(hello.path, (std::vector<std::string>{"main", "hello"}));
  EXPECT_EQ(hello.function->name, "main\\hello");
  EXPECT_EQ(hello.function->body.size(), 1u);

  const Stmt& action = *script->statements[1];
  EXPECT_EQ(action.path, (std::vector<std::string>{"job", "backup", "action"}));
  EXPECT_EQ(action.function->body.size(), 1u);

  const Stmt& greet = *script->statements[2];
  EXPECT_EQ(greet.function->parameters, (std::vector<std::string>{"who", "how"}));
}

TEST(LangParser, TheLauncherTextIsOneDefinition) {
  auto script = parsed(launcherText("np", "C:\\Windows\\notepad.exe"));
  ASSERT_EQ(script->statements.size(), 1u);
  const Stmt& definition = *script->statements[0];
  ASSERT_EQ(definition.kind, StmtKind::kDefine);
  EXPECT_EQ(definition.path, (std::vector<std::string>{"main", "np"}));
  ASSERT_EQ(definition.function->body.size(), 1u);
  const Stmt& branch = *definition.function->body[0];
  ASSERT_EQ(branch.kind, StmtKind::kIf);
  ASSERT_EQ(branch.arms.size(), 1u);
  EXPECT_EQ(branch.arms[0].condition->kind, ExprKind::kArgsCount);
  ASSERT_EQ(branch.arms[0].body.size(), 1u);
  const Expr& call = *branch.arms[0].body[0]->value;
  ASSERT_EQ(call.kind, ExprKind::kCall);
  ASSERT_EQ(call.arguments.size(), 2u);
  EXPECT_EQ(call.arguments[0]->text, "C:\\Windows\\notepad.exe");
  EXPECT_EQ(call.arguments[1]->kind, ExprKind::kPop);
  ASSERT_EQ(branch.elseBlock.size(), 1u);
  EXPECT_EQ(branch.elseBlock[0]->value->arguments.size(), 1u);
}

TEST(LangParser, IfElseChainsAndElseOnTheNextLine) {
  auto script = parsed("if(a){x}\nelse if(b) y\nelse\nif(c){}\nelse {z; w}\nv");
  ASSERT_EQ(script->statements.size(), 2u);
  const Stmt& chain = *script->statements[0];
  ASSERT_EQ(chain.arms.size(), 3u);
  EXPECT_EQ(chain.arms[1].condition->text, "b");
  EXPECT_EQ(chain.arms[1].body.size(), 1u);
  EXPECT_EQ(chain.arms[2].body.size(), 0u);
  EXPECT_EQ(chain.elseBlock.size(), 2u);
}

TEST(LangParser, PrecedenceAndNegativeLiterals) {
  auto script = parsed("1 + 2 * 3 == 7 && !x || -2147483648 < - 5");
  const Expr& top = *script->statements[0]->value;
  ASSERT_EQ(top.op, Operator::kOr);
  const Expr& conjunction = *top.base;
  EXPECT_EQ(conjunction.op, Operator::kAnd);
  const Expr& equality = *conjunction.base;
  EXPECT_EQ(equality.op, Operator::kEqual);
  EXPECT_EQ(equality.base->op, Operator::kAdd);
  EXPECT_EQ(equality.base->right->op, Operator::kMultiply);
  EXPECT_EQ(conjunction.right->kind, ExprKind::kUnary);
  const Expr& less = *top.right;
  EXPECT_EQ(less.base->kind, ExprKind::kNumber);
  EXPECT_EQ(less.base->number, -2147483647 - 1);
  EXPECT_EQ(less.right->number, -5);

  // "a -1" is a subtraction, not two values.
  auto subtraction = parsed("a -1");
  EXPECT_EQ(subtraction->statements[0]->value->op, Operator::kSubtract);
}

TEST(LangParser, CallsAndMembersChain) {
  auto script = parsed("dir.get.name\nf.rename(\"x\", 2)\nmain\\dir\\sel()");
  const Expr& chain = *script->statements[0]->value;
  EXPECT_EQ(chain.kind, ExprKind::kMember);
  EXPECT_EQ(chain.text, "name");
  EXPECT_EQ(chain.base->text, "get");
  const Expr& call = *script->statements[1]->value;
  EXPECT_EQ(call.kind, ExprKind::kCall);
  EXPECT_EQ(call.arguments.size(), 2u);
  EXPECT_EQ(call.base->kind, ExprKind::kMember);
}

TEST(LangParser, ArgumentsMaySpanLines) {
  auto script = parsed("print(\n  \"a\",\n  \"b\"\n)\nx");
  EXPECT_EQ(script->statements.size(), 2u);
  EXPECT_EQ(script->statements[0]->value->arguments.size(), 2u);
}

TEST(LangParser, EmptyInputAndBlankStatements) {
  EXPECT_TRUE(parsed("")->statements.empty());
  EXPECT_TRUE(parsed(";;\n\n  // only a comment\n;")->statements.empty());
  EXPECT_EQ(parsed("main\\f(){}")->statements[0]->function->body.size(), 0u);
}

TEST(LangParser, UnbalancedBracesAndParentheses) {
  Error open = syntaxError("main\\f(){\n  print(1)\n");
  EXPECT_TRUE(open.incomplete);
  EXPECT_TRUE(mentions(open, "expected '}' at end of input"));
  EXPECT_EQ(open.line, 3);

  Error close = syntaxError("print(1)\n}");
  EXPECT_FALSE(close.incomplete);
  EXPECT_EQ(close.line, 2);
  EXPECT_TRUE(mentions(close, "'}'"));

  Error paren = syntaxError("print(1, 2");
  EXPECT_TRUE(paren.incomplete);
  Error extra = syntaxError("print(1))");
  EXPECT_FALSE(extra.incomplete);
  EXPECT_EQ(extra.column, 9);
  EXPECT_TRUE(mentions(extra, "')'"));
}

TEST(LangParser, MisplacedTokensNameWhatWasFound) {
  EXPECT_TRUE(mentions(syntaxError("else { x }"), "'else' must follow"));
  EXPECT_TRUE(mentions(syntaxError("x = "), "expected a value at end of input"));
  EXPECT_TRUE(mentions(syntaxError("1 + 2 = 3"), "expected a name or a path before '='"));
  EXPECT_TRUE(mentions(syntaxError("f(1){ }"), "plain name as a parameter"));
  EXPECT_TRUE(mentions(syntaxError("f(a, a){ }"), "named twice"));
  EXPECT_TRUE(mentions(syntaxError("x + y { }"), "'{' starts a function only"));
  EXPECT_TRUE(mentions(syntaxError("a b c"), "expected the end of the statement at name 'c'"));
  EXPECT_TRUE(mentions(syntaxError("args"), "':count'"));
  EXPECT_TRUE(mentions(syntaxError("args:size"), "'count'"));
  EXPECT_TRUE(mentions(syntaxError("dir."), "name after '.'"));
  EXPECT_TRUE(mentions(syntaxError("if x { }"), "'(' after 'if'"));
  EXPECT_TRUE(mentions(syntaxError("text if = 1"), "variable name"));
  EXPECT_TRUE(mentions(syntaxError("x = 2147483648"), "32-bit"));
  EXPECT_TRUE(mentions(syntaxError("x = pop pop"), "end of the statement"));

  Error placed = syntaxError("x = 1\n  y = )");
  EXPECT_EQ(placed.line, 2);
  EXPECT_EQ(placed.column, 7);
}

TEST(LangParser, DeepNestingIsRefusedNotOverflowed) {
  const std::pair<std::string, std::string> nestings[] = {
      {"x = ", "("}, {"x = ", "-"}, {"x = ", "!"}, {"", "if(1){"}, {"", "f(a){"}, {"x = ", "f("}};
  for (const auto& [prefix, opening] : nestings) {
    std::string source = prefix;
    for (int i = 0; i < 20000; ++i) source += opening;
    Error error = syntaxError(source);
    EXPECT_TRUE(mentions(error, "nesting deeper than")) << opening << ": " << error.message;
  }
  // Long chains are flat in the source but tall as trees.
  std::string sum = "x = 1";
  for (int i = 0; i < 20000; ++i) sum += "+1";
  EXPECT_TRUE(mentions(syntaxError(sum), "expression nested deeper than"));
  std::string members = "x = a";
  for (int i = 0; i < 20000; ++i) members += ".b";
  EXPECT_TRUE(mentions(syntaxError(members), "expression nested deeper than"));
  std::string calls = "x = f";
  for (int i = 0; i < 20000; ++i) calls += "()";
  EXPECT_TRUE(mentions(syntaxError(calls), "expression nested deeper than"));

  // Within the bounds, nesting works.
  std::string fine = "x = ";
  for (int i = 0; i < 50; ++i) fine += "(";
  fine += "1";
  for (int i = 0; i < 50; ++i) fine += ")";
  parsed(fine);
}

TEST(LangParser, ManyStatementsAreFlat) {
  std::string source;
  for (int i = 0; i < 20000; ++i) source += "x = 1\n";
  EXPECT_EQ(parsed(source)->statements.size(), 20000u);
}

}  // namespace
}  // namespace quenda::lang
