#include "lang/evaluator.h"

#include <iostream>

#include "lang/defined_function.h"

namespace quenda::lang {

namespace {

// Keeps a frame on the evaluator's stack for as long as it runs, whatever way it ends.
class FrameScope {
 public:
  FrameScope(std::vector<Frame*>& frames, Frame& frame) : frames_(frames) {
    frames_.push_back(&frame);
  }
  ~FrameScope() { frames_.pop_back(); }
  FrameScope(const FrameScope&) = delete;
  FrameScope& operator=(const FrameScope&) = delete;

 private:
  std::vector<Frame*>& frames_;
};

const char* operatorText(Operator op) {
  switch (op) {
    case Operator::kAdd:
      return "+";
    case Operator::kSubtract:
      return "-";
    case Operator::kMultiply:
      return "*";
    case Operator::kDivide:
      return "/";
    case Operator::kRemainder:
      return "%";
    case Operator::kEqual:
      return "==";
    case Operator::kNotEqual:
      return "!=";
    case Operator::kLess:
      return "<";
    case Operator::kLessEqual:
      return "<=";
    case Operator::kGreater:
      return ">";
    case Operator::kGreaterEqual:
      return ">=";
    case Operator::kAnd:
      return "&&";
    case Operator::kOr:
      return "||";
    case Operator::kNegate:
      return "-";
    case Operator::kNot:
      return "!";
  }
  return "?";
}

bool isLibraryKind(const ValueRef& value) {
  return value.is(Kind::Routine) || value.is(Kind::Group) || value.is(Kind::Class);
}

std::string joined(const std::vector<std::string>& parts) {
  std::string path;
  for (const std::string& part : parts) {
    if (!path.empty()) path += '\\';
    path += part;
  }
  return path;
}

}  // namespace

// Counts the nesting of statements, expressions and calls while they run.
class Depth {
 public:
  Depth(Evaluator& evaluator, const Expr& at) : evaluator_(evaluator) {
    if (evaluator_.interruptDue()) throw InterruptSignal{};
    if (++evaluator_.depth_ > kMaxEvaluationDepth || evaluator_.countStep()) {
      tooDeep(at.line, at.column);
    }
  }
  Depth(Evaluator& evaluator, const Stmt& at) : evaluator_(evaluator) {
    if (evaluator_.interruptDue()) throw InterruptSignal{};
    if (++evaluator_.depth_ > kMaxEvaluationDepth || evaluator_.countStep()) {
      tooDeep(at.line, at.column);
    }
  }
  ~Depth() { --evaluator_.depth_; }
  Depth(const Depth&) = delete;
  Depth& operator=(const Depth&) = delete;

 private:
  [[noreturn]] void tooDeep(int line, int column) {
    --evaluator_.depth_;
    Error error;
    if (evaluator_.pastStepLimit()) {
      error.message =
          "the run went past its limit of " + std::to_string(evaluator_.stepLimit_) + " steps";
    } else {
      error.message = "calls and expressions nest deeper than " +
                      std::to_string(kMaxEvaluationDepth) + " levels (endless recursion?)";
    }
    error.source = evaluator_.frames_.empty() ? "" : evaluator_.frames_.back()->source;
    error.line = line;
    error.column = column;
    throw Failure{error};
  }
  Evaluator& evaluator_;
};

ValueRef* Frame::local(const std::string& name) {
  for (auto& [localName, value] : locals) {
    if (localName == name) return &value;
  }
  return nullptr;
}

bool isTrue(const ValueRef& value) {
  if (!value) return false;
  switch (value.kind()) {
    case Kind::Number:
      return value.number() != 0;
    case Kind::Text:
      return !value.text().empty();
    case Kind::List:
      return !value.elements().empty();
    default:
      return true;
  }
}

std::string aKindName(const ValueRef& value) {
  if (!value) return "no value";
  std::string name = kindName(value.kind());
  if (value.is(Kind::Object)) return "a " + value.name() + " object";
  return "a " + name;
}

// "a group", or "a routine of the library": scripts make groups too.
std::string whatItIs(const ValueRef& value) {
  return aKindName(value) + (value.is(Kind::Group) ? "" : " of the library");
}

std::string pathOf(const Expr& expression) {
  if (expression.kind == ExprKind::kName) return expression.text;
  if (expression.kind != ExprKind::kMember) return "";
  std::string base = pathOf(*expression.base);
  if (base.empty()) return "";
  return base + (expression.backslash ? "\\" : ".") + expression.text;
}

Evaluator::Evaluator(Runtime& runtime)
    : runtime_(runtime), alive_(std::make_shared<Evaluator*>(this)) {}

Evaluator::~Evaluator() {
  *alive_ = nullptr;
}

void Evaluator::failAt(const std::string& message, int line, int column) {
  Error error;
  error.message = message;
  error.source = frames_.empty() ? "" : frame().source;
  error.line = line;
  error.column = column;
  throw Failure{error};
}

void Evaluator::fail(const std::string& message, const Expr& at) {
  failAt(message, at.line, at.column);
}

void Evaluator::fail(const std::string& message, const Stmt& at) {
  failAt(message, at.line, at.column);
}

void Evaluator::requestExit(int code) {
  if (libraryCalls_ > 0 && exitHandler_) exitHandler_(code);
  pendingExit_ = code;
}

void Evaluator::noteFailure(const Error& error, const std::string& message) {
  pendingError_ = error;
  pendingMessage_ = message;
}

ValueRef Evaluator::check(Result result, int line, int column) {
  if (pendingExit_) {
    int code = *pendingExit_;
    pendingExit_.reset();
    pendingError_.reset();
    throw ExitSignal{code};
  }
  if (result.ok()) {
    pendingError_.reset();
    return std::move(result.value);
  }
  if (interruptDue()) {  // a script function called through the runtime was interrupted
    pendingError_.reset();
    throw InterruptSignal{};
  }
  Error error;
  if (pendingError_ && pendingMessage_ == *result.error) {
    // A script function failed: report the place in its body, not the call.
    error = *pendingError_;
  } else {
    error.message = *result.error;
  }
  pendingError_.reset();
  if (error.line == 0) {
    error.source = frames_.empty() ? "" : frame().source;
    error.line = line;
    error.column = column;
  }
  throw Failure{error};
}

void Evaluator::printLine(const std::string& line) {
  if (runtime_.hooks().printLine) {
    runtime_.hooks().printLine(line);
  } else {
    std::cout << stripMarkup(line) << std::endl;
  }
}

void Evaluator::printText(const std::string& line) {
  if (runtime_.hooks().printText) {
    runtime_.hooks().printText(line);
  } else if (runtime_.hooks().printLine) {
    runtime_.hooks().printLine(line);
  } else {
    std::cout << line << std::endl;
  }
}

void Evaluator::runTopLevel(const Block& statements, const std::string& source, bool echo) {
  Frame top;
  top.source = source;
  top.echo = echo;
  FrameScope scope(frames_, top);
  executeBlock(statements);
}

ValueRef Evaluator::invoke(const Function& function, const std::string& source,
                           const std::vector<ValueRef>& args) {
  if (depth_ >= kMaxEvaluationDepth || args.size() < function.parameters.size()) {
    failInvoke(function, args.size());
  }
  Frame frame;
  frame.function = function.name;
  frame.source = source;
  frame.args = args;
  for (std::size_t i = 0; i < function.parameters.size(); ++i) {
    // A parameter is the function's own copy of a text or number.
    const ValueRef& arg = args[i];
    ValueRef own = arg.is(Kind::Text)     ? runtime_.text(arg.text())
                   : arg.is(Kind::Number) ? runtime_.number(arg.number())
                                          : arg;
    frame.locals.emplace_back(function.parameters[i], std::move(own));
  }
  FrameScope scope(frames_, frame);
  executeBlock(function.body);
  return frame.result;
}

// Thrown without a place: the caller's check() puts the error at the call.
void Evaluator::failInvoke(const Function& function, std::size_t given) {
  Error error;
  if (depth_ >= kMaxEvaluationDepth) {
    error.message = "calls and expressions nest deeper than " +
                    std::to_string(kMaxEvaluationDepth) + " levels (endless recursion?)";
    throw Failure{error};
  }
  std::string names;
  for (const std::string& parameter : function.parameters) {
    names += (names.empty() ? "" : ", ") + parameter;
  }
  error.message = "'" + function.name + "' takes " + std::to_string(function.parameters.size()) +
                  " argument(s) (" + names + ") and was given " + std::to_string(given);
  throw Failure{error};
}

ValueRef Evaluator::evaluateReadOnly(const Expr& expression) {
  Frame scratch;
  FrameScope scope(frames_, scratch);
  bool wasReadOnly = readOnly_;
  readOnly_ = true;
  try {
    ValueRef value = evaluate(expression);
    readOnly_ = wasReadOnly;
    return value;
  } catch (...) {
    readOnly_ = wasReadOnly;
    throw;
  }
}

Evaluator::Flow Evaluator::executeBlock(const Block& block) {
  for (const StmtPtr& statement : block) {
    if (execute(*statement) == Flow::kReturn) return Flow::kReturn;
  }
  return Flow::kNext;
}

Evaluator::Flow Evaluator::execute(const Stmt& statement) {
  Depth depth(*this, statement);
  switch (statement.kind) {
    case StmtKind::kExpression:
      executeExpression(statement);
      return Flow::kNext;
    case StmtKind::kDeclare:
      executeDeclare(statement);
      return Flow::kNext;
    case StmtKind::kAssign:
      executeAssign(statement);
      return Flow::kNext;
    case StmtKind::kDefine:
      executeDefine(statement);
      return Flow::kNext;
    case StmtKind::kIf:
      for (const Arm& arm : statement.arms) {
        if (isTrue(evaluate(*arm.condition))) return executeBlock(arm.body);
      }
      return executeBlock(statement.elseBlock);
    case StmtKind::kReturn:
      frame().result = statement.value ? evaluate(*statement.value) : ValueRef();
      return Flow::kReturn;
  }
  return Flow::kNext;
}

void Evaluator::executeExpression(const Stmt& statement) {
  ValueRef value = evaluate(*statement.value);
  if (frame().echo && value) printText(textForm(value, *statement.value));
}

// type name [ = value | ( arguments ) ]: text and int make a text or number; any other type
// names a class, whose object is made by _new, then _def with the arguments or _set with the
// value.
void Evaluator::executeDeclare(const Stmt& statement) {
  std::vector<ValueRef> args;
  for (const ExprPtr& argument : statement.arguments) {
    args.push_back(evaluatePresent(*argument, "the initial value"));
  }
  ValueRef variable;
  if (statement.typeName == "text" || statement.typeName == "int") {
    variable = statement.typeName == "text" ? runtime_.text("") : runtime_.number(0);
    if (args.size() > 1) {
      fail("a " + statement.typeName + " variable takes one initial value", statement);
    }
    if (args.size() == 1)
      check(runtime_.assign(variable, args[0]), statement.line, statement.column);
  } else {
    ValueRef type = runtime_.lookup(statement.typeName);
    if (!type.is(Kind::Class)) failUnknownType(statement, type);
    variable = check(runtime_.callValue(type, args), statement.line, statement.column);
    if (!variable) fail("making a " + statement.typeName + " object gave no object", statement);
  }
  if (statement.initializer == Initializer::kAssign) {
    ValueRef value = evaluatePresent(*statement.value, "the value to assign");
    check(runtime_.assign(variable, value), statement.line, statement.column);
  }
  bindNew(statement.name, variable, statement);
}

void Evaluator::failUnknownType(const Stmt& statement, const ValueRef& type) {
  const std::string& name = statement.typeName;
  if (isBuiltin(name) || type.is(Kind::Function) || type.is(Kind::Routine)) {
    fail("'" + name + "' is not a type: to call it with " + statement.name + ", write " + name +
             "(" + statement.name + ")",
         statement);
  }
  fail("unknown type '" + name +
           "': declare a text, an int, or an object of a class (help lists the classes)",
       statement);
}

void Evaluator::bindNew(const std::string& name, const ValueRef& value, const Stmt& at) {
  if (isBuiltin(name)) fail("'" + name + "' is a builtin of the host: choose another name", at);
  if (!frame().topLevel()) {
    if (ValueRef* local = frame().local(name)) {
      *local = value;
    } else {
      frame().locals.emplace_back(name, value);
    }
    return;
  }
  ValueRef existing = runtime_.member(runtime_.root(), name);
  if (isLibraryKind(existing)) {
    fail("'" + name + "' is " + whatItIs(existing) + ": choose another name", at);
  }
  check(runtime_.define(name, value), at.line, at.column);
}

void Evaluator::assignExisting(const ValueRef& target, const ValueRef& value,
                               const std::string& name, const Stmt& at) {
  if (target.is(Kind::Function)) {
    fail("'" + name + "' is a function: define it again with " + name + "(){ ... }", at);
  }
  if (isLibraryKind(target)) {
    fail("'" + name + "' is " + whatItIs(target) + " and cannot be assigned to", at);
  }
  check(runtime_.assign(target, value), at.line, at.column);
}

// target = value. A variable or member that exists takes the value in place (an object through
// its _set, a text from an object through the object's _fSet); a new name is made where it is
// written: a local inside a function, a member of the root at the top level, a member of a group
// (groups made as needed) for a path.
void Evaluator::executeAssign(const Stmt& statement) {
  ValueRef value = evaluatePresent(*statement.value, "the value to assign");
  // A new variable gets its own copy of a text or number, so later writes stay its own.
  auto fresh = [&]() -> ValueRef {
    if (value.is(Kind::Text)) return runtime_.text(value.text());
    if (value.is(Kind::Number)) return runtime_.number(value.number());
    return value;
  };
  const Expr& target = *statement.target;

  if (target.kind == ExprKind::kName) {
    const std::string& name = target.text;
    if (ValueRef* local = frame().local(name)) {
      assignExisting(*local, value, name, statement);
      return;
    }
    if (isBuiltin(name)) {
      fail("'" + name + "' is a builtin of the host and cannot be assigned to", statement);
    }
    ValueRef existing = runtime_.member(runtime_.root(), name);
    if (existing) {
      assignExisting(existing, value, name, statement);
    } else if (!frame().topLevel()) {
      frame().locals.emplace_back(name, fresh());
    } else {
      check(runtime_.define(name, fresh()), statement.line, statement.column);
    }
    return;
  }

  const Expr* leftmost = &target;
  while (leftmost->kind == ExprKind::kMember) leftmost = leftmost->base.get();
  if (frame().local(leftmost->text)) {
    fail("'" + pathOf(target) + "' is not a member of a group: only groups hold members to assign",
         statement);
  }
  std::string path = pathOf(target);
  ValueRef existing = runtime_.lookup(path);
  if (existing) {
    assignExisting(existing, value, path, statement);
  } else {
    ValueRef holder = runtime_.lookup(pathOf(*target.base));
    if (holder.is(Kind::Object) || holder.is(Kind::Class)) {
      fail("'" + path + "' cannot be assigned: an object's members are called, not assigned",
           statement);
    }
    check(runtime_.define(path, fresh()), statement.line, statement.column);
  }
}

// path(parameters){ body }: the function becomes a member at the path, groups made as needed.
// Defining a name again replaces the function; the library's own names stay.
void Evaluator::executeDefine(const Stmt& statement) {
  std::string path = joined(statement.path);
  if (statement.path.size() == 1 && isBuiltin(path)) {
    fail("'" + path + "' is a builtin of the host: choose another name", statement);
  }
  ValueRef existing = runtime_.lookup(path);
  if (isLibraryKind(existing)) {
    fail("'" + path + "' is " + whatItIs(existing) + " and cannot be redefined", statement);
  }
  auto body = std::make_shared<DefinedFunction>(alive_, statement.function, frame().source);
  ValueRef function = runtime_.function(std::move(body), statement.function->name);
  check(runtime_.define(path, function), statement.line, statement.column);
}

ValueRef Evaluator::evaluate(const Expr& expression) {
  Depth depth(*this, expression);
  switch (expression.kind) {
    case ExprKind::kNumber:
      return runtime_.number(expression.number);
    case ExprKind::kText:
      return runtime_.text(expression.text);
    case ExprKind::kName:
    case ExprKind::kMember: {
      // A function named without parentheses is called with no arguments.
      Target target = resolve(expression);
      if (target.kind == Target::kValue && !target.value.is(Kind::Function) &&
          !target.value.is(Kind::Routine)) {
        return target.value;
      }
      return call(target, {}, expression);
    }
    case ExprKind::kCall:
      return evaluateCall(expression);
    case ExprKind::kArgsCount:
      return runtime_.number(static_cast<std::int32_t>(frame().args.size()));
    case ExprKind::kPop:
      return evaluatePop(expression);
    case ExprKind::kUnary:
      return evaluateUnary(expression);
    case ExprKind::kBinary:
      return evaluateBinary(expression);
  }
  return {};
}

ValueRef Evaluator::evaluatePresent(const Expr& expression, const char* what) {
  ValueRef value = evaluate(expression);
  if (!value) failMissing(expression, what);
  return value;
}

void Evaluator::failMissing(const Expr& expression, const std::string& what) {
  std::string path = pathOf(expression);
  fail(what + " is missing: " + (path.empty() ? "the expression" : "'" + path + "'") +
           " gave no value",
       expression);
}

// Names are looked up among the running function's locals, then the host's builtins, then the
// members of the root ("main" itself is the root).
Evaluator::Target Evaluator::resolve(const Expr& expression) {
  Target target;
  if (expression.kind == ExprKind::kMember) return resolveMember(expression);
  if (expression.kind != ExprKind::kName) {
    target.value = evaluate(expression);
    return target;
  }
  const std::string& name = expression.text;
  if (ValueRef* local = frame().local(name)) {
    target.value = *local;
  } else if (isBuiltin(name)) {
    target.kind = Target::kBuiltin;
    target.name = name;
  } else if (ValueRef member = runtime_.member(runtime_.root(), name)) {
    target.value = member;
  } else if (name == "main") {
    target.value = runtime_.root();
  } else {
    failUnknownName(expression);
  }
  return target;
}

Evaluator::Target Evaluator::resolveMember(const Expr& expression) {
  ValueRef base = evaluate(*expression.base);
  Target target;
  if (base.is(Kind::Group)) {
    target.value = runtime_.member(base, expression.text);
    if (!target.value) failNoMember(expression, base);
    return target;
  }
  if (base.is(Kind::Object)) {
    target.kind = Target::kMethod;
    target.value = std::move(base);
    target.name = expression.text;
    return target;
  }
  failNoMember(expression, base);
}

void Evaluator::failUnknownName(const Expr& expression) {
  fail("unknown name '" + expression.text + "' (help lists the names)", expression);
}

void Evaluator::failNoMember(const Expr& expression, const ValueRef& base) {
  const std::string& name = expression.text;
  std::string where = pathOf(*expression.base);
  if (where.empty()) where = "the value";
  if (!base) fail("'" + where + "' gave no value, so it has no member '" + name + "'", expression);
  if (base.is(Kind::Group)) {
    fail("unknown name '" + name + "' in the group '" + where + "'", expression);
  }
  if (base.is(Kind::Class)) {
    fail("'" + where + "." + name + "' needs an object: declare one first, as in " + where +
             " x(\"...\")",
         expression);
  }
  fail("'" + where + "' is " + aKindName(base) + ", not an object or a group: it has no member '" +
           name + "'",
       expression);
}

ValueRef Evaluator::call(const Target& target, std::vector<ValueRef> args, const Expr& at) {
  if (target.kind == Target::kBuiltin) return callBuiltin(target.name, args, at);
  if (readOnly_) fail("calls are not allowed here", at);
  const ValueRef& callee = target.value;
  if (target.kind != Target::kMethod && !callee.is(Kind::Function) && !callee.is(Kind::Routine) &&
      !callee.is(Kind::Class)) {
    failNotCallable(callee, at);
  }
  // Whether a library routine runs below, for exit (see requestExit).
  bool library = !callee.is(Kind::Function);
  libraryCalls_ += library;
  Result result = target.kind == Target::kMethod
                      ? runtime_.callMethod(callee, target.name, std::move(args))
                      : runtime_.callValue(callee, std::move(args));
  libraryCalls_ -= library;
  return check(std::move(result), at);
}

void Evaluator::failNotCallable(const ValueRef& callee, const Expr& at) {
  std::string path = pathOf(at);
  fail((path.empty() ? std::string("the value") : "'" + path + "'") + " is " + aKindName(callee) +
           " and cannot be called",
       at);
}

ValueRef Evaluator::evaluateCall(const Expr& expression) {
  const Expr& callee = *expression.base;
  Target target = resolve(callee);
  std::vector<ValueRef> args;
  for (const ExprPtr& argument : expression.arguments) {
    args.push_back(evaluatePresent(*argument, "an argument"));
  }
  return call(target, std::move(args), callee);
}

ValueRef Evaluator::evaluatePop(const Expr& expression) {
  Frame& current = frame();
  if (current.nextArg >= current.args.size()) {
    std::string who = current.topLevel() ? "the script" : "'" + current.function + "'";
    fail(
        "pop: no argument left (" + who + " was given " + std::to_string(current.args.size()) + ")",
        expression);
  }
  return current.args[current.nextArg++];
}

ValueRef Evaluator::evaluateUnary(const Expr& expression) {
  if (expression.op == Operator::kNot) {
    return runtime_.number(isTrue(evaluate(*expression.base)) ? 0 : 1);
  }
  ValueRef operand = evaluatePresent(*expression.base, "the operand of '-'");
  if (!operand.is(Kind::Number)) failNotNumber(operand, expression);
  // 32-bit two's complement, as everywhere in the language.
  return runtime_.number(
      static_cast<std::int32_t>(0u - static_cast<std::uint32_t>(operand.number())));
}

void Evaluator::failNotNumber(const ValueRef& operand, const Expr& at) {
  fail("'-' needs a number, not " + aKindName(operand), at);
}

ValueRef Evaluator::evaluateBinary(const Expr& expression) {
  const Operator op = expression.op;
  if (op == Operator::kAnd || op == Operator::kOr) {
    bool left = isTrue(evaluate(*expression.base));
    if (op == Operator::kAnd && !left) return runtime_.number(0);
    if (op == Operator::kOr && left) return runtime_.number(1);
    return runtime_.number(isTrue(evaluate(*expression.right)) ? 1 : 0);
  }
  ValueRef left = evaluate(*expression.base);
  if (!left) failMissingOperand(expression, "left");
  ValueRef right = evaluate(*expression.right);
  if (!right) failMissingOperand(expression, "right");
  switch (op) {
    case Operator::kAdd:
      return add(left, right, expression);
    case Operator::kSubtract:
    case Operator::kMultiply:
    case Operator::kDivide:
    case Operator::kRemainder:
      return arithmetic(op, left, right, expression);
    default:
      return compare(op, left, right, expression);
  }
}

void Evaluator::failMissingOperand(const Expr& expression, const char* side) {
  const Expr& operand = side[0] == 'l' ? *expression.base : *expression.right;
  failMissing(operand,
              std::string("the ") + side + " side of '" + operatorText(expression.op) + "'");
}

ValueRef Evaluator::arithmetic(Operator op, const ValueRef& left, const ValueRef& right,
                               const Expr& at) {
  if (!left.is(Kind::Number) || !right.is(Kind::Number)) {
    fail(std::string("'") + operatorText(op) + "' needs two numbers, not " + aKindName(left) +
             " and " + aKindName(right),
         at);
  }
  const std::int64_t a = left.number();
  const std::int64_t b = right.number();
  std::int64_t result = 0;
  if (op == Operator::kSubtract) result = a - b;
  if (op == Operator::kMultiply) result = a * b;
  if (op == Operator::kDivide || op == Operator::kRemainder) {
    if (b == 0) fail("division by zero", at);
    result = op == Operator::kDivide ? a / b : a % b;
  }
  // Wraps to 32 bits; the conversion of an out-of-range value is modular since C++20.
  return runtime_.number(static_cast<std::int32_t>(static_cast<std::uint32_t>(result)));
}

// Object + value: the object's _add. Text joins with anything's text form; numbers add; lists
// join.
ValueRef Evaluator::add(const ValueRef& left, const ValueRef& right, const Expr& at) {
  if (left.is(Kind::Object)) return check(runtime_.add(left, right), at);
  if (left.is(Kind::Text) || right.is(Kind::Text)) {
    return runtime_.text(textForm(left, at) + textForm(right, at));
  }
  if (left.is(Kind::Number) && right.is(Kind::Number)) {
    std::uint32_t sum =
        static_cast<std::uint32_t>(left.number()) + static_cast<std::uint32_t>(right.number());
    return runtime_.number(static_cast<std::int32_t>(sum));
  }
  if (left.is(Kind::List) && right.is(Kind::List)) {
    std::vector<ValueRef> elements = left.elements();
    elements.insert(elements.end(), right.elements().begin(), right.elements().end());
    return runtime_.list(std::move(elements));
  }
  fail("'+' cannot add " + aKindName(right) + " to " + aKindName(left), at);
}

ValueRef Evaluator::compare(Operator op, const ValueRef& left, const ValueRef& right,
                            const Expr& at) {
  int order = 0;
  bool ordered = true;
  if (left.is(Kind::Number) && right.is(Kind::Number)) {
    order = left.number() < right.number() ? -1 : left.number() > right.number() ? 1 : 0;
  } else if (left.is(Kind::Text) && right.is(Kind::Text)) {
    int c = left.text().compare(right.text());
    order = c < 0 ? -1 : c > 0 ? 1 : 0;
  } else if ((left.is(Kind::Object) || right.is(Kind::Object)) &&
             (left.is(Kind::Object) || left.is(Kind::Text)) &&
             (right.is(Kind::Object) || right.is(Kind::Text))) {
    // An object compares by its text form: its path.
    order = textForm(left, at) == textForm(right, at) ? 0 : 1;
    ordered = false;
  } else {
    order = left.same(right) ? 0 : 1;
    ordered = false;
  }
  bool result = false;
  switch (op) {
    case Operator::kEqual:
      result = order == 0;
      break;
    case Operator::kNotEqual:
      result = order != 0;
      break;
    default:
      if (!ordered) {
        fail(std::string("'") + operatorText(op) + "' compares two numbers or two texts, not " +
                 aKindName(left) + " and " + aKindName(right),
             at);
      }
      if (op == Operator::kLess) result = order < 0;
      if (op == Operator::kLessEqual) result = order <= 0;
      if (op == Operator::kGreater) result = order > 0;
      if (op == Operator::kGreaterEqual) result = order >= 0;
  }
  return runtime_.number(result ? 1 : 0);
}

std::string Evaluator::textForm(const ValueRef& value, const Expr& at) {
  return check(runtime_.form(value), at).text();
}

}  // namespace quenda::lang
