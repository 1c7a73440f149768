#include "lang/defined_function.h"

#include <exception>
#include <utility>

#include "lang/evaluator.h"

namespace quenda::lang {

DefinedFunction::DefinedFunction(std::shared_ptr<Evaluator*> evaluator,
                                 std::shared_ptr<const Function> function, std::string source)
    : evaluator_(std::move(evaluator)),
      function_(std::move(function)),
      source_(std::move(source)) {}

Result DefinedFunction::call(Runtime&, const std::vector<ValueRef>& args) {
  Evaluator* evaluator = *evaluator_;
  if (!evaluator) {
    return Result::fail("'" + function_->name +
                        "' cannot run: the language that defined it has ended");
  }
  if (evaluator->exiting()) return Result::of({});
  try {
    return Result::of(evaluator->invoke(*function_, source_, args));
  } catch (const Failure& failure) {
    // The message carries the place, for callers that only see the text (a job's action); the
    // evaluator keeps the error itself for its own callers.
    std::string message = describe(failure.error);
    evaluator->noteFailure(failure.error, message);
    return Result::fail(message);
  } catch (const ExitSignal& exit) {
    evaluator->requestExit(exit.code);
    return Result::of({});
  } catch (const InterruptSignal&) {
    // Never thrown through the runtime: the caller's check() turns this back into the interrupt.
    return Result::fail("interrupted");
  } catch (const std::exception& error) {
    return Result::fail(std::string("'") + function_->name + "' stopped: " + error.what());
  }
}

}  // namespace quenda::lang
