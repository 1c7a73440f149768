#include "console/prompt.h"

namespace quenda::console {
namespace {

constexpr const char* kPrompt = "$cyan$quenda>$n$ ";
constexpr const char* kMore = "$gray$   ...>$n$ ";

}  // namespace

int runPrompt(lang::Interpreter& interpreter, Terminal& terminal) {
  terminal.printLine("quenda: type $cyan$help$n$ for the names, $cyan$exit$n$ to leave");
  std::string pending;
  int lines = 0;
  while (true) {
    terminal.prompt(pending.empty() ? kPrompt : kMore);
    std::optional<std::string> line = terminal.readLine();
    if (!line) {
      terminal.printLine("");
      return 0;
    }
    pending += *line;
    ++lines;
    lang::Outcome outcome = interpreter.run(pending, {"", true});
    if (!outcome.ok && outcome.error.incomplete) {
      pending += '\n';
      continue;
    }
    if (outcome.exitRequested) return outcome.exitCode;
    if (!outcome.ok) {
      lang::Error error = outcome.error;
      // One line typed: its column says enough.
      std::string where = error.source.empty() && lines == 1 && error.line == 1
                              ? "column " + std::to_string(error.column) + ": "
                              : "";
      terminal.errorLine("error: " +
                         (where.empty() ? lang::describe(error) : where + error.message));
    }
    pending.clear();
    lines = 0;
  }
}

}  // namespace quenda::console
