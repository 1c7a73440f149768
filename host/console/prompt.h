// The interactive prompt.
#pragma once

#include "console/terminal.h"
#include "lang/interpreter.h"

namespace quenda::console {

// Reads statements line by line and runs them, until exit or the end of input. A line that
// leaves a bracket open asks for more. Errors are shown and the prompt goes on. The exit code.
int runPrompt(lang::Interpreter& interpreter, Terminal& terminal);

}  // namespace quenda::console
