// A function defined in the language, as the runtime stores and calls it.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "lang/ast.h"
#include "runtime/runtime.h"

namespace quenda::lang {

class Evaluator;

class DefinedFunction : public ScriptFunction {
 public:
  DefinedFunction(std::shared_ptr<Evaluator*> evaluator, std::shared_ptr<const Function> function,
                  std::string source);
  // Runs the body. Errors come back as the result's error; nothing is thrown to the runtime.
  Result call(Runtime& runtime, const std::vector<ValueRef>& args) override;

 private:
  std::shared_ptr<Evaluator*> evaluator_;  // null inside once the evaluator has ended
  std::shared_ptr<const Function> function_;
  std::string source_;
};

}  // namespace quenda::lang
