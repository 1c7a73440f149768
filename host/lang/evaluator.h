// The evaluator: runs statements and computes expressions on the host runtime. Used by the
// interpreter (interpreter.h); script errors travel inside it as exceptions that never leave the
// language (every entry from the runtime catches them).
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "lang/ast.h"
#include "lang/error.h"
#include "runtime/runtime.h"

namespace quenda::lang {

// How deep statements, expressions and calls may nest while running, so that runaway recursion
// ends in an error rather than a stack overflow.
constexpr int kMaxEvaluationDepth = 2000;

struct Failure {
  Error error;
};
struct ExitSignal {
  int code = 0;
};
// The person asked to stop (Ctrl+C): the run ends between two steps.
struct InterruptSignal {};

// One running function (or the top level of a script): its arguments and local variables.
struct Frame {
  std::string function;  // "" at the top level
  std::string source;    // where the running code was read from, for messages
  std::vector<ValueRef> args;
  std::size_t nextArg = 0;
  std::vector<std::pair<std::string, ValueRef>> locals;
  bool echo = false;  // print the values of expression statements (top level only)
  ValueRef result;

  ValueRef* local(const std::string& name);
  bool topLevel() const { return function.empty(); }
};

class Evaluator {
 public:
  explicit Evaluator(Runtime& runtime);
  ~Evaluator();
  Evaluator(const Evaluator&) = delete;
  Evaluator& operator=(const Evaluator&) = delete;

  Runtime& runtime() { return runtime_; }

  // Runs the statements of a script in a top-level frame. Throws Failure or ExitSignal.
  void runTopLevel(const Block& statements, const std::string& source, bool echo);
  // Runs a defined function with its arguments; its result or no value. Throws as above.
  ValueRef invoke(const Function& function, const std::string& source,
                  const std::vector<ValueRef>& args);
  // An expression whose names may only be read: calls of any kind are refused.
  ValueRef evaluateReadOnly(const Expr& expression);

  // Set by a script function that failed inside a runtime call, so the caller can report the
  // error at its own place rather than at the call.
  void noteFailure(const Error& error, const std::string& message);
  // exit ran inside a function that the runtime called. Below a library routine (a job's action
  // under standby) the exit handler ends the program at once, because the routine would go on;
  // otherwise the exit is noted, and the caller's check() goes on with it.
  void requestExit(int code);
  // After an exit was noted, functions called back do not run any more.
  bool exiting() const { return pendingExit_.has_value(); }
  void setExitHandler(std::function<void(int)> handler) { exitHandler_ = std::move(handler); }

  // Output through the runtime's printLine hook (or stdout when none is set).
  void printLine(const std::string& line);
  // A value's text as it is, markup shown as written (printText, else printLine, else stdout).
  void printText(const std::string& line);

  // Hands out the token that script functions use to find this evaluator while it lives.
  std::shared_ptr<Evaluator*> aliveToken() const { return alive_; }

  bool running() const { return !frames_.empty(); }

  // A bound on the statements and expressions one run may evaluate (0: none). Once past it,
  // everything fails at once until the next run starts, so even a run that the library keeps
  // calling back (a job's action) comes to an end. For harnesses that must finish.
  void setStepLimit(std::uint64_t limit) { stepLimit_ = limit; }
  // A new run from the outside: no steps counted, no exit or error left over.
  void startRun() {
    steps_ = 0;
    pendingExit_.reset();
    pendingError_.reset();
  }
  bool countStep() { return stepLimit_ != 0 && ++steps_ > stepLimit_; }

  // A flag that another thread sets to stop the run. It is looked at before every statement and
  // expression, but never while a library routine runs below the evaluator (its callbacks go on),
  // so a routine is never cut off halfway: the run ends once the routine has returned.
  void setInterruptFlag(const std::atomic<bool>* flag) { interrupt_ = flag; }
  bool interruptDue() const {
    return interrupt_ && libraryCalls_ == 0 && interrupt_->load(std::memory_order_relaxed);
  }
  bool pastStepLimit() const { return stepLimit_ != 0 && steps_ > stepLimit_; }

 private:
  friend class Depth;
  enum class Flow { kNext, kReturn };

  // What a name or a path leads to.
  struct Target {
    enum Kind { kValue, kMethod, kBuiltin } kind = kValue;
    ValueRef value;    // kValue: the value; kMethod: the object
    std::string name;  // kMethod: the member; kBuiltin: the builtin
  };

  Frame& frame() { return *frames_.back(); }
  [[noreturn]] void fail(const std::string& message, const Expr& at);
  [[noreturn]] void fail(const std::string& message, const Stmt& at);
  [[noreturn]] void failAt(const std::string& message, int line, int column);
  // Checks a runtime result: an error becomes a Failure at `at`, or the script function's own.
  ValueRef check(Result result, int line, int column);
  ValueRef check(Result result, const Expr& at) {
    return check(std::move(result), at.line, at.column);
  }

  Flow executeBlock(const Block& block);
  Flow execute(const Stmt& statement);
  void executeDeclare(const Stmt& statement);
  void executeAssign(const Stmt& statement);
  void executeDefine(const Stmt& statement);
  void executeExpression(const Stmt& statement);
  void bindNew(const std::string& name, const ValueRef& value, const Stmt& at);
  void assignExisting(const ValueRef& target, const ValueRef& value, const std::string& name,
                      const Stmt& at);

  ValueRef evaluate(const Expr& expression);
  ValueRef evaluatePresent(const Expr& expression, const char* what);
  Target resolve(const Expr& expression);
  Target resolveMember(const Expr& expression);
  // Error paths, kept out of the recursive functions' frames.
  [[noreturn]] __attribute__((noinline, cold)) void failMissing(const Expr& expression,
                                                                const std::string& what);
  [[noreturn]] __attribute__((noinline, cold)) void failMissingOperand(const Expr& expression,
                                                                       const char* side);
  [[noreturn]] __attribute__((noinline, cold)) void failInvoke(const Function& function,
                                                               std::size_t given);
  [[noreturn]] __attribute__((noinline, cold)) void failUnknownType(const Stmt& statement,
                                                                    const ValueRef& type);
  [[noreturn]] __attribute__((noinline, cold)) void failUnknownName(const Expr& expression);
  [[noreturn]] __attribute__((noinline, cold)) void failNoMember(const Expr& expression,
                                                                 const ValueRef& base);
  [[noreturn]] __attribute__((noinline, cold)) void failNotCallable(const ValueRef& callee,
                                                                    const Expr& at);
  [[noreturn]] __attribute__((noinline, cold)) void failNotNumber(const ValueRef& operand,
                                                                  const Expr& at);
  ValueRef call(const Target& target, std::vector<ValueRef> args, const Expr& at);
  ValueRef evaluateCall(const Expr& expression);
  ValueRef evaluatePop(const Expr& expression);
  ValueRef evaluateUnary(const Expr& expression);
  ValueRef evaluateBinary(const Expr& expression);
  ValueRef arithmetic(Operator op, const ValueRef& left, const ValueRef& right, const Expr& at);
  ValueRef add(const ValueRef& left, const ValueRef& right, const Expr& at);
  ValueRef compare(Operator op, const ValueRef& left, const ValueRef& right, const Expr& at);
  std::string textForm(const ValueRef& value, const Expr& at);

  // Builtins of the host (builtins.cpp).
  static bool isBuiltin(const std::string& name);
  ValueRef callBuiltin(const std::string& name, const std::vector<ValueRef>& args, const Expr& at);
  void printHelp(const std::vector<ValueRef>& args, const Expr& at);

  Runtime& runtime_;
  std::vector<Frame*> frames_;
  int depth_ = 0;
  std::uint64_t stepLimit_ = 0;
  std::uint64_t steps_ = 0;
  bool readOnly_ = false;
  std::optional<Error> pendingError_;
  std::string pendingMessage_;
  std::optional<int> pendingExit_;
  std::function<void(int)> exitHandler_;
  int libraryCalls_ = 0;  // library routines running below the evaluator now
  const std::atomic<bool>* interrupt_ = nullptr;
  std::shared_ptr<Evaluator*> alive_;
};

// A value as a condition: a nonzero number, a non-empty text or list, or any object, function,
// group or class is true; no value is false.
bool isTrue(const ValueRef& value);
// "a number", "a text", "no value": for messages.
std::string aKindName(const ValueRef& value);
// The path an expression names ("dir.get", "main\hello"), or "" when it is not a path.
std::string pathOf(const Expr& expression);

}  // namespace quenda::lang
