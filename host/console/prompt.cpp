#include "console/prompt.h"

#include "console/interrupt.h"
#include "console/line_editor.h"

namespace quenda::console {
namespace {

constexpr const char* kPrompt = "$cyan$quenda>$n$ ";
constexpr const char* kMore = "$gray$   ...>$n$ ";

}  // namespace

std::vector<std::string> namesIn(Runtime& runtime, const std::string& group) {
  std::vector<std::string> names;
  ValueRef holder = group.empty() ? runtime.root() : runtime.lookup(group);
  if (!holder.is(Kind::Group) && !holder.is(Kind::Class)) return names;
  if (group.empty()) names = {"print", "help", "exit"};
  for (const auto& member : runtime.members(holder)) {
    if (!member.first.empty() && member.first[0] != '_') names.push_back(member.first);
  }
  return names;
}

int runPrompt(lang::Interpreter& interpreter, Terminal& terminal, Runtime& runtime) {
  terminal.printLine("quenda: type $cyan$help$n$ for the names, $cyan$exit$n$ to leave");
  LineEditor editor;
  editor.setNames([&runtime](const std::u32string& group) {
    std::vector<std::u32string> names;
    std::string path;
    for (char32_t c : group) {
      if (c >= 0x80) return names;  // names of the tables are plain ASCII
      path += static_cast<char>(c);
    }
    for (const std::string& name : namesIn(runtime, path)) names.push_back(fromAnsi(name));
    return names;
  });
  std::string pending;
  int lines = 0;
  while (true) {
    Terminal::Typed typed = terminal.editLine(pending.empty() ? kPrompt : kMore, editor);
    if (typed.status != Terminal::Typed::Status::kLine) {
      if (typed.status == Terminal::Typed::Status::kEnded) {
        terminal.printLine("");
        if (pending.empty()) return 0;
      }
      // Ctrl+C, or the end of input inside a statement: what was typed of it is dropped.
      pending.clear();
      lines = 0;
      continue;
    }
    pending += typed.text;
    ++lines;
    interruptFlag() = false;
    lang::Outcome outcome = interpreter.run(pending, {"", true});
    if (!outcome.ok && outcome.error.incomplete) {
      pending += '\n';
      continue;
    }
    if (outcome.exitRequested) return outcome.exitCode;
    if (outcome.interrupted) {
      terminal.errorLine("interrupted");
    } else if (!outcome.ok) {
      lang::Error error = outcome.error;
      // One line typed: its column says enough.
      std::string where = error.source.empty() && lines == 1 && error.line == 1
                              ? "column " + std::to_string(error.column) + ": "
                              : "";
      terminal.errorLine("error: " +
                         (where.empty() ? lang::describe(error) : where + error.message));
    }
    interruptFlag() = false;
    pending.clear();
    lines = 0;
  }
}

}  // namespace quenda::console
