#include "lang/parser.h"

#include <algorithm>
#include <utility>

#include "lang/lexer.h"

namespace quenda::lang {
namespace {

// Thrown by Parser::fail and caught in parse(); it never leaves this file.
struct ParseFailure {
  Error error;
};

bool isReserved(const std::string& name) {
  return name == "if" || name == "else" || name == "return" || name == "pop" || name == "args";
}

class Parser {
 public:
  explicit Parser(std::vector<Token> tokens) : tokens_(std::move(tokens)) {}

  // script := { [ statement ] ( newline | ";" ) } end
  std::unique_ptr<Script> parseScript() {
    auto script = std::make_unique<Script>();
    parseStatementsUntil(TokenKind::kEnd, script->statements);
    return script;
  }

 private:
  // The one error function: every syntax error carries the line, the column and the token met
  // there (by default the current token).
  [[noreturn]] void fail(const std::string& message) { fail(message, current()); }
  [[noreturn]] void fail(const std::string& message, const Token& token) {
    ParseFailure failure;
    failure.error.message = message + " at " + describe(token);
    failure.error.line = token.line;
    failure.error.column = token.column;
    failure.error.incomplete = token.kind == TokenKind::kEnd && !openBrackets_.empty();
    if (failure.error.incomplete) {
      const Token& open = openBrackets_.back();
      failure.error.message += " (the '" + open.text + "' at line " + std::to_string(open.line) +
                               ", column " + std::to_string(open.column) + " is not closed)";
    }
    throw failure;
  }

  // The token an expression began with, for errors about an expression already parsed.
  static Token tokenOf(const Expr& expression) {
    Token token;
    token.line = expression.line;
    token.column = expression.column;
    switch (expression.kind) {
      case ExprKind::kName:
        token.kind = TokenKind::kName;
        token.text = expression.text;
        break;
      case ExprKind::kNumber:
        token.kind = TokenKind::kNumber;
        token.text = std::to_string(expression.number);
        break;
      case ExprKind::kText:
        token.kind = TokenKind::kText;
        token.text = expression.text;
        break;
      default:
        token.kind = TokenKind::kName;
        token.text = expression.kind == ExprKind::kMember ? expression.text : "(expression)";
        break;
    }
    return token;
  }

  // Counts the nesting of recursive rules; deeper input is refused instead of overflowing the
  // stack.
  class Nesting {
   public:
    explicit Nesting(Parser& parser) : parser_(parser) {
      if (++parser_.nesting_ > kMaxNesting) {
        parser_.fail("nesting deeper than " + std::to_string(kMaxNesting) + " levels");
      }
    }
    ~Nesting() { --parser_.nesting_; }
    Nesting(const Nesting&) = delete;
    Nesting& operator=(const Nesting&) = delete;

   private:
    Parser& parser_;
  };

  const Token& current() const { return tokens_[at_]; }
  const Token& lookAhead(std::size_t ahead) const {
    return tokens_[std::min(at_ + ahead, tokens_.size() - 1)];
  }
  bool check(TokenKind kind) const { return current().kind == kind; }
  bool checkName(const char* name) const {
    return check(TokenKind::kName) && current().text == name;
  }

  Token take() {
    Token token = current();
    if (token.kind == TokenKind::kLeftParen || token.kind == TokenKind::kLeftBrace) {
      openBrackets_.push_back(token);
    } else if ((token.kind == TokenKind::kRightParen || token.kind == TokenKind::kRightBrace) &&
               !openBrackets_.empty()) {
      openBrackets_.pop_back();
    }
    if (at_ + 1 < tokens_.size()) ++at_;
    return token;
  }

  bool accept(TokenKind kind) {
    if (!check(kind)) return false;
    take();
    return true;
  }

  Token expect(TokenKind kind, const char* what) {
    if (!check(kind)) fail(std::string("expected ") + what);
    return take();
  }

  void skipNewlines() {
    while (check(TokenKind::kNewline)) take();
  }

  void parseStatementsUntil(TokenKind closing, Block& statements) {
    while (true) {
      while (check(TokenKind::kNewline) || check(TokenKind::kSemicolon)) take();
      if (check(closing)) return;
      if (check(TokenKind::kEnd)) fail("expected '}'");
      statements.push_back(parseStatement());
      if (check(TokenKind::kNewline) || check(TokenKind::kSemicolon) || check(closing) ||
          check(TokenKind::kEnd)) {
        continue;
      }
      fail("expected the end of the statement");
    }
  }

  // block := "{" { [ statement ] ( newline | ";" ) } "}"
  Block parseBlock() {
    Nesting nesting(*this);
    expect(TokenKind::kLeftBrace, "'{'");
    Block statements;
    parseStatementsUntil(TokenKind::kRightBrace, statements);
    expect(TokenKind::kRightBrace, "'}'");
    return statements;
  }

  // body := block | statement
  Block parseBody() {
    if (check(TokenKind::kLeftBrace)) return parseBlock();
    if (check(TokenKind::kNewline) || check(TokenKind::kSemicolon) || check(TokenKind::kEnd) ||
        check(TokenKind::kRightBrace)) {
      fail("expected '{' or a statement");
    }
    Block statements;
    statements.push_back(parseStatement());
    return statements;
  }

  StmtPtr newStatement(StmtKind kind, const Token& at) {
    auto statement = std::make_unique<Stmt>();
    statement->kind = kind;
    statement->line = at.line;
    statement->column = at.column;
    return statement;
  }

  // statement := ifStatement | returnStatement | declaration | definition | assignment
  //            | expression
  StmtPtr parseStatement() {
    Nesting nesting(*this);
    if (checkName("if")) return parseIfStatement();
    if (checkName("return")) return parseReturnStatement();
    if (checkName("else")) fail("expected a statement ('else' must follow the block of an 'if')");
    if (check(TokenKind::kName) && lookAhead(1).kind == TokenKind::kName &&
        !isReserved(current().text)) {
      return parseDeclaration();
    }

    const Token start = current();
    ExprPtr expression = parseExpression();
    if (check(TokenKind::kAssign)) return parseAssignment(start, std::move(expression));
    if (check(TokenKind::kLeftBrace)) return parseDefinition(start, std::move(expression));

    StmtPtr statement = newStatement(StmtKind::kExpression, start);
    statement->value = std::move(expression);
    return statement;
  }

  // ifStatement := "if" "(" expression ")" body { "else" "if" "(" expression ")" body }
  //                [ "else" body ]
  // The arms of a chain are gathered in a loop: a chain of any length nests nothing.
  StmtPtr parseIfStatement() {
    StmtPtr statement = newStatement(StmtKind::kIf, take());
    while (true) {
      Arm arm;
      expect(TokenKind::kLeftParen, "'(' after 'if'");
      arm.condition = parseExpression();
      expect(TokenKind::kRightParen, "')'");
      skipNewlines();
      arm.body = parseBody();
      statement->arms.push_back(std::move(arm));

      // "else" may stand on the next line.
      std::size_t after = 0;
      while (lookAhead(after).kind == TokenKind::kNewline) ++after;
      const Token& next = lookAhead(after);
      if (next.kind != TokenKind::kName || next.text != "else") return statement;
      skipNewlines();
      take();
      skipNewlines();
      if (!checkName("if")) {
        statement->elseBlock = parseBody();
        return statement;
      }
      take();
    }
  }

  // returnStatement := "return" [ expression ]
  StmtPtr parseReturnStatement() {
    StmtPtr statement = newStatement(StmtKind::kReturn, take());
    if (!check(TokenKind::kNewline) && !check(TokenKind::kSemicolon) &&
        !check(TokenKind::kRightBrace) && !check(TokenKind::kEnd)) {
      statement->value = parseExpression();
    }
    return statement;
  }

  // declaration := name name [ "=" expression | "(" [ arguments ] ")" ]
  StmtPtr parseDeclaration() {
    Token type = take();
    StmtPtr statement = newStatement(StmtKind::kDeclare, type);
    statement->typeName = type.text;
    Token name = take();
    if (isReserved(name.text)) fail("expected a variable name", name);
    statement->name = name.text;
    if (accept(TokenKind::kAssign)) {
      statement->initializer = Initializer::kAssign;
      statement->value = parseExpression();
    } else if (check(TokenKind::kLeftParen)) {
      take();
      statement->initializer = Initializer::kArguments;
      statement->arguments = parseArgumentsUntilParen();
    }
    return statement;
  }

  // assignment := postfix "=" expression
  StmtPtr parseAssignment(const Token& start, ExprPtr target) {
    if (!isPath(*target)) fail("expected a name or a path before '='");
    take();
    StmtPtr statement = newStatement(StmtKind::kAssign, start);
    statement->target = std::move(target);
    statement->value = parseExpression();
    return statement;
  }

  // definition := path "(" [ name { "," name } ] ")" block
  StmtPtr parseDefinition(const Token& start, ExprPtr head) {
    if (head->kind != ExprKind::kCall || !isPath(*head->base)) {
      fail("expected the end of the statement ('{' starts a function only after name(...))");
    }
    auto function = std::make_shared<Function>();
    StmtPtr statement = newStatement(StmtKind::kDefine, start);
    collectPath(*head->base, statement->path);
    for (std::size_t i = 0; i < statement->path.size(); ++i) {
      if (i) function->name += '\\';
      function->name += statement->path[i];
    }
    for (const ExprPtr& argument : head->arguments) {
      if (argument->kind != ExprKind::kName) {
        fail("expected a plain name as a parameter", tokenOf(*argument));
      }
      if (std::find(function->parameters.begin(), function->parameters.end(), argument->text) !=
          function->parameters.end()) {
        fail("a parameter named twice", tokenOf(*argument));
      }
      function->parameters.push_back(argument->text);
    }
    function->body = parseBlock();
    statement->function = std::move(function);
    return statement;
  }

  static bool isPath(const Expr& expression) {
    if (expression.kind == ExprKind::kName) return true;
    return expression.kind == ExprKind::kMember && isPath(*expression.base);
  }

  static void collectPath(const Expr& expression, std::vector<std::string>& parts) {
    if (expression.kind == ExprKind::kMember) collectPath(*expression.base, parts);
    parts.push_back(expression.text);
  }

  ExprPtr newExpression(ExprKind kind, const Token& at) {
    auto expression = std::make_unique<Expr>();
    expression->kind = kind;
    expression->line = at.line;
    expression->column = at.column;
    return expression;
  }

  // Chains of operators and postfix parts grow the tree without recursion in the parser, so
  // their height is bounded separately: evaluating and freeing the tree recurse along it.
  void setDepth(Expr& expression, const Token& at) {
    int depth = 0;
    if (expression.base) depth = std::max(depth, expression.base->depth);
    if (expression.right) depth = std::max(depth, expression.right->depth);
    for (const ExprPtr& argument : expression.arguments) depth = std::max(depth, argument->depth);
    expression.depth = depth + 1;
    if (expression.depth > kMaxExpressionDepth) {
      fail("expression nested deeper than " + std::to_string(kMaxExpressionDepth) + " levels", at);
    }
  }

  // expression := or
  ExprPtr parseExpression() {
    Nesting nesting(*this);
    return parseOr();
  }

  ExprPtr binary(Operator op, const Token& at, ExprPtr left, ExprPtr right) {
    ExprPtr expression = newExpression(ExprKind::kBinary, at);
    expression->op = op;
    expression->base = std::move(left);
    expression->right = std::move(right);
    setDepth(*expression, at);
    return expression;
  }

  // or := and { "||" and }
  ExprPtr parseOr() {
    ExprPtr left = parseAnd();
    while (check(TokenKind::kOr)) {
      Token op = take();
      skipNewlines();
      left = binary(Operator::kOr, op, std::move(left), parseAnd());
    }
    return left;
  }

  // and := equality { "&&" equality }
  ExprPtr parseAnd() {
    ExprPtr left = parseEquality();
    while (check(TokenKind::kAnd)) {
      Token op = take();
      skipNewlines();
      left = binary(Operator::kAnd, op, std::move(left), parseEquality());
    }
    return left;
  }

  // equality := comparison { ( "==" | "!=" ) comparison }
  ExprPtr parseEquality() {
    ExprPtr left = parseComparison();
    while (check(TokenKind::kEqual) || check(TokenKind::kNotEqual)) {
      Token op = take();
      Operator which = op.kind == TokenKind::kEqual ? Operator::kEqual : Operator::kNotEqual;
      left = binary(which, op, std::move(left), parseComparison());
    }
    return left;
  }

  // comparison := additive { ( "<" | "<=" | ">" | ">=" ) additive }
  ExprPtr parseComparison() {
    ExprPtr left = parseAdditive();
    while (true) {
      Operator which;
      if (check(TokenKind::kLess)) {
        which = Operator::kLess;
      } else if (check(TokenKind::kLessEqual)) {
        which = Operator::kLessEqual;
      } else if (check(TokenKind::kGreater)) {
        which = Operator::kGreater;
      } else if (check(TokenKind::kGreaterEqual)) {
        which = Operator::kGreaterEqual;
      } else {
        return left;
      }
      Token op = take();
      left = binary(which, op, std::move(left), parseAdditive());
    }
  }

  // additive := multiplicative { ( "+" | "-" ) multiplicative }
  ExprPtr parseAdditive() {
    ExprPtr left = parseMultiplicative();
    while (check(TokenKind::kPlus) || check(TokenKind::kMinus)) {
      Token op = take();
      Operator which = op.kind == TokenKind::kPlus ? Operator::kAdd : Operator::kSubtract;
      left = binary(which, op, std::move(left), parseMultiplicative());
    }
    return left;
  }

  // multiplicative := unary { ( "*" | "/" | "%" ) unary }
  ExprPtr parseMultiplicative() {
    ExprPtr left = parseUnary();
    while (check(TokenKind::kStar) || check(TokenKind::kSlash) || check(TokenKind::kPercent)) {
      Token op = take();
      Operator which = op.kind == TokenKind::kStar    ? Operator::kMultiply
                       : op.kind == TokenKind::kSlash ? Operator::kDivide
                                                      : Operator::kRemainder;
      left = binary(which, op, std::move(left), parseUnary());
    }
    return left;
  }

  // unary := ( "-" | "!" ) unary | postfix
  ExprPtr parseUnary() {
    if (check(TokenKind::kMinus) && lookAhead(1).kind == TokenKind::kNumber) {
      // A negative literal, so that -2147483648 can be written.
      Token minus = take();
      Token digits = take();
      ExprPtr literal = newExpression(ExprKind::kNumber, minus);
      literal->number = static_cast<std::int32_t>(-digits.number);
      return parsePostfixOf(std::move(literal));
    }
    if (check(TokenKind::kMinus) || check(TokenKind::kNot)) {
      Nesting nesting(*this);
      Token op = take();
      ExprPtr expression = newExpression(ExprKind::kUnary, op);
      expression->op = op.kind == TokenKind::kMinus ? Operator::kNegate : Operator::kNot;
      expression->base = parseUnary();
      setDepth(*expression, op);
      return expression;
    }
    return parsePostfix();
  }

  // postfix := primary { ( "." | "\" ) name | "(" [ arguments ] ")" }
  ExprPtr parsePostfix() { return parsePostfixOf(parsePrimary()); }

  ExprPtr parsePostfixOf(ExprPtr expression) {
    while (true) {
      if (check(TokenKind::kDot) || check(TokenKind::kBackslash)) {
        Token separator = take();
        if (!check(TokenKind::kName)) {
          fail(std::string("expected a name after '") + separator.text + "'");
        }
        Token name = take();
        ExprPtr member = newExpression(ExprKind::kMember, name);
        member->text = name.text;
        member->backslash = separator.kind == TokenKind::kBackslash;
        member->base = std::move(expression);
        setDepth(*member, name);
        expression = std::move(member);
      } else if (check(TokenKind::kLeftParen)) {
        Token open = take();
        ExprPtr call = newExpression(ExprKind::kCall, open);
        call->line = expression->line;
        call->column = expression->column;
        call->base = std::move(expression);
        call->arguments = parseArgumentsUntilParen();
        setDepth(*call, open);
        expression = std::move(call);
      } else {
        return expression;
      }
    }
  }

  // arguments := expression { "," expression }, then ")"; line breaks are allowed inside.
  std::vector<ExprPtr> parseArgumentsUntilParen() {
    std::vector<ExprPtr> arguments;
    skipNewlines();
    if (accept(TokenKind::kRightParen)) return arguments;
    while (true) {
      arguments.push_back(parseExpression());
      skipNewlines();
      if (accept(TokenKind::kRightParen)) return arguments;
      expect(TokenKind::kComma, "',' or ')'");
      skipNewlines();
    }
  }

  // primary := number | text | "pop" | "args" ":" "count" | name | "(" expression ")"
  ExprPtr parsePrimary() {
    const Token& token = current();
    switch (token.kind) {
      case TokenKind::kNumber: {
        if (token.number > 2147483647LL) {
          fail("a number between -2147483648 and 2147483647 (32-bit)");
        }
        ExprPtr literal = newExpression(ExprKind::kNumber, token);
        literal->number = static_cast<std::int32_t>(token.number);
        take();
        return literal;
      }
      case TokenKind::kText: {
        ExprPtr literal = newExpression(ExprKind::kText, token);
        literal->text = token.text;
        take();
        return literal;
      }
      case TokenKind::kName:
        return parseNamePrimary();
      case TokenKind::kLeftParen: {
        take();
        skipNewlines();
        ExprPtr inner = parseExpression();
        skipNewlines();
        expect(TokenKind::kRightParen, "')'");
        return inner;
      }
      default:
        fail("expected a value");
    }
  }

  ExprPtr parseNamePrimary() {
    Token name = take();
    if (name.text == "pop") return newExpression(ExprKind::kPop, name);
    if (name.text == "args") {
      if (!check(TokenKind::kColon)) fail("expected ':count' after 'args'");
      take();
      if (!checkName("count")) fail("expected 'count' after 'args:'");
      take();
      return newExpression(ExprKind::kArgsCount, name);
    }
    if (isReserved(name.text)) fail("expected a value", name);
    ExprPtr expression = newExpression(ExprKind::kName, name);
    expression->text = name.text;
    return expression;
  }

  std::vector<Token> tokens_;
  std::size_t at_ = 0;
  int nesting_ = 0;
  std::vector<Token> openBrackets_;  // brackets taken and not yet closed, innermost last
};

}  // namespace

ParseResult parse(std::string_view source) {
  ParseResult result;
  LexResult lexed = tokenize(source);
  if (!lexed.ok) {
    result.error = lexed.error;
    return result;
  }
  Parser parser(std::move(lexed.tokens));
  try {
    result.script = parser.parseScript();
  } catch (const ParseFailure& failure) {
    result.error = failure.error;
    result.script.reset();
  }
  return result;
}

}  // namespace quenda::lang
