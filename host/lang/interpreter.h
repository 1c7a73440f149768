// The script language on a runtime: runs source text, and answers the runtime's runScript and
// evalNumber hooks while it lives.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "lang/error.h"
#include "runtime/runtime.h"

namespace quenda::lang {

class Evaluator;

struct RunOptions {
  std::string source;  // the file name or other origin, for messages; "" for none
  bool echo = true;    // print the value of every expression statement at the top level
};

struct Outcome {
  bool ok = true;
  Error error;  // when !ok; error.incomplete: the source ended inside an open bracket
  bool exitRequested = false;
  int exitCode = 0;
  bool interrupted = false;  // the interrupt flag ended the run (ok is false then)
};

class Interpreter {
 public:
  explicit Interpreter(Runtime& runtime);
  ~Interpreter();
  Interpreter(const Interpreter&) = delete;
  Interpreter& operator=(const Interpreter&) = delete;

  // Parses the whole source, then runs its statements in order until the first error.
  Outcome run(std::string_view source, const RunOptions& options = {});
  // The runScript hook: runs the source quietly; an error comes back as the result's error.
  Result runScript(std::string_view source);
  // The evalNumber hook: the value of a number expression that calls nothing ("3", "-2", "n + 1"),
  // or 0 for anything else.
  std::int32_t evalNumber(std::string_view text);
  // Called (and not expected to return) when exit runs below a library routine, such as a job's
  // action under standby, which would otherwise go on; without a handler the exit waits until
  // the routine returns.
  void setExitHandler(std::function<void(int)> handler);
  // Bounds every later run to `limit` evaluation steps (0: no bound); see Evaluator.
  void setStepLimit(std::uint64_t limit);
  // Once `flag` is set, a run ends before its next statement or expression with
  // Outcome::interrupted; a library routine running then is let finish first. The flag stays
  // set until its owner clears it.
  void setInterruptFlag(const std::atomic<bool>* flag);

 private:
  Runtime& runtime_;
  std::unique_ptr<Evaluator> evaluator_;
};

}  // namespace quenda::lang
