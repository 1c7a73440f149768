#include "lang/interpreter.h"

#include <exception>

#include "lang/evaluator.h"
#include "lang/parser.h"

namespace quenda::lang {

Interpreter::Interpreter(Runtime& runtime)
    : runtime_(runtime), evaluator_(std::make_unique<Evaluator>(runtime)) {
  runtime_.hooks().runScript = [this](std::string_view source) { return runScript(source); };
  runtime_.hooks().evalNumber = [this](std::string_view text) { return evalNumber(text); };
}

Interpreter::~Interpreter() {
  runtime_.hooks().runScript = nullptr;
  runtime_.hooks().evalNumber = nullptr;
}

Outcome Interpreter::run(std::string_view source, const RunOptions& options) {
  Outcome outcome;
  ParseResult parsed;
  try {
    parsed = parse(source);
  } catch (const std::exception& error) {  // memory, for a text too large to take in
    outcome.ok = false;
    outcome.error.message = std::string("internal error: ") + error.what();
    outcome.error.source = options.source;
    return outcome;
  }
  if (!parsed.script) {
    outcome.ok = false;
    outcome.error = parsed.error;
    outcome.error.source = options.source;
    return outcome;
  }
  if (!evaluator_->running()) evaluator_->startRun();
  try {
    evaluator_->runTopLevel(parsed.script->statements, options.source, options.echo);
  } catch (const Failure& failure) {
    outcome.ok = false;
    outcome.error = failure.error;
  } catch (const ExitSignal& exit) {
    outcome.exitRequested = true;
    outcome.exitCode = exit.code;
  } catch (const InterruptSignal&) {
    outcome.ok = false;
    outcome.interrupted = true;
    outcome.error.message = "interrupted";
    outcome.error.source = options.source;
  } catch (const std::exception& error) {
    outcome.ok = false;
    outcome.error.message = std::string("internal error: ") + error.what();
    outcome.error.source = options.source;
  }
  return outcome;
}

void Interpreter::setExitHandler(std::function<void(int)> handler) {
  evaluator_->setExitHandler(std::move(handler));
}

void Interpreter::setStepLimit(std::uint64_t limit) {
  evaluator_->setStepLimit(limit);
}

void Interpreter::setInterruptFlag(const std::atomic<bool>* flag) {
  evaluator_->setInterruptFlag(flag);
}

Result Interpreter::runScript(std::string_view source) {
  // Called by the library: nothing may be thrown back at it, the parse's memory included.
  try {
    ParseResult parsed = parse(source);
    if (!parsed.script) {
      return Result::fail("the script text handed over does not parse: " + describe(parsed.error));
    }
    evaluator_->runTopLevel(parsed.script->statements, "script text", false);
  } catch (const Failure& failure) {
    return Result::fail(describe(failure.error));
  } catch (const ExitSignal& exit) {
    evaluator_->requestExit(exit.code);
  } catch (const std::exception& error) {
    return Result::fail(std::string("internal error: ") + error.what());
  }
  return Result::of({});
}

std::int32_t Interpreter::evalNumber(std::string_view text) {
  try {
    ParseResult parsed = parse(text);
    if (!parsed.script || parsed.script->statements.size() != 1 ||
        parsed.script->statements[0]->kind != StmtKind::kExpression) {
      return 0;
    }
    ValueRef value = evaluator_->evaluateReadOnly(*parsed.script->statements[0]->value);
    if (value.is(Kind::Number)) return value.number();
    if (value.is(Kind::Text)) return decimalValue(value.text());
  } catch (...) {
    // Anything that is not a plain number counts as 0, as the hook promises.
  }
  return 0;
}

}  // namespace quenda::lang
