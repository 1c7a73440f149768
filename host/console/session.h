// One run of quenda: the command line, the library, then scripts or the prompt.
#pragma once

#include <string>
#include <vector>

namespace quenda::console {

// Exit codes besides a script's own exit(n).
constexpr int kExitOk = 0;
constexpr int kExitScriptError = 1;
constexpr int kExitUsage = 2;  // a bad command line, or a script file that cannot be read
constexpr int kExitLibrary = 3;
constexpr int kExitInterrupted = 130;  // Ctrl+C ended a script

// Runs quenda with its arguments (without the program name); the process's exit code.
int runQuenda(const std::vector<std::string>& args);

}  // namespace quenda::console
