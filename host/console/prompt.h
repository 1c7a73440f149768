// The interactive prompt.
#pragma once

#include <string>
#include <vector>

#include "console/terminal.h"
#include "lang/interpreter.h"
#include "runtime/runtime.h"

namespace quenda::console {

// Reads statements line by line and runs them, until exit or the end of input. A line that
// leaves a bracket open asks for more; the end of input there drops the unfinished statement.
// Ctrl+C drops what is being typed, and ends a running statement with "interrupted". Errors are
// shown and the prompt goes on. The exit code.
int runPrompt(lang::Interpreter& interpreter, Terminal& terminal, Runtime& runtime);

// The names Tab offers in `group` (a path such as "dir" or "job.backup"; "" for the top level,
// where the builtins join them): the members of a group or class that do not start with '_'.
std::vector<std::string> namesIn(Runtime& runtime, const std::string& group);

}  // namespace quenda::console
