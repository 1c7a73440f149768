#include "console/session.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>

#include "console/code_page.h"
#include "console/interrupt.h"
#include "console/library.h"
#include "console/options.h"
#include "console/prompt.h"
#include "console/terminal.h"
#include "lang/interpreter.h"
#include "runtime/runtime.h"
#include "zorvel_version.h"

namespace quenda::console {
namespace {

constexpr const char* kVersion = "quenda " ZORVEL_VERSION;

bool readFile(const std::string& name, std::string& content) {
  try {
    std::ifstream in(name, std::ios::binary);
    if (!in) return false;
    content.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
  } catch (const std::exception&) {  // a folder, a read error, no memory
    return false;
  }
}

// Editors may start a UTF-8 file with a byte-order mark: it is dropped. False for UTF-16 text,
// which the language can't read.
bool takeEncoding(std::string& source) {
  if (source.rfind("\xEF\xBB\xBF", 0) == 0) source.erase(0, 3);
  return source.rfind("\xFF\xFE", 0) != 0 && source.rfind("\xFE\xFF", 0) != 0;
}

std::string utf16Message(const std::string& name) {
  return "quenda: the script " + name + " is UTF-16 text; save it as UTF-8 or ANSI";
}

// Runs one script; its exit code when the run should end here, or -1 to go on.
int runScript(lang::Interpreter& interpreter, Terminal& terminal, const std::string& source,
              const std::string& name) {
  lang::Outcome outcome = interpreter.run(source, {name, true});
  if (outcome.exitRequested) return outcome.exitCode;
  if (outcome.interrupted) {
    terminal.errorLine("interrupted");
    return kExitInterrupted;
  }
  if (!outcome.ok) {
    terminal.errorLine("error: " + lang::describe(outcome.error));
    return kExitScriptError;
  }
  return -1;
}

}  // namespace

int runQuenda(const std::vector<std::string>& args) {
  useAnsiCodePageOnConsole();
  Options options = parseOptions(args);
  Terminal terminal(options.colour);
  if (!options.error.empty()) {
    terminal.errorLine("quenda: " + options.error);
    // Line by line: an error line shows a line break inside it escaped.
    std::istringstream usage(usageText());
    for (std::string line; std::getline(usage, line);) terminal.errorLine(line);
    return kExitUsage;
  }
  if (options.help) {
    terminal.printLine(usageText());
    return kExitOk;
  }
  if (options.version) {
    terminal.printLine(kVersion);
    return kExitOk;
  }

  Runtime runtime;
  runtime.hooks().printLine = [&terminal](std::string_view line) { terminal.printLine(line); };
  runtime.hooks().printText = [&terminal](std::string_view line) { terminal.printText(line); };
  runtime.hooks().askText = [&terminal](std::string_view label) -> std::optional<std::string> {
    terminal.prompt(std::string(label) + ": ");
    std::optional<std::string> answer = terminal.readLine();
    if (!answer) terminal.printLine("");  // no answer came: the next output starts a line
    return answer;
  };
  runtime.hooks().reportError = [&terminal](std::string_view message) {
    terminal.errorLine("error: " + std::string(message));
  };

  Result attached = attachLibrary(runtime, options.library);
  if (!attached.ok()) {
    terminal.errorLine("quenda: " + *attached.error);
    return kExitLibrary;
  }
  lang::Interpreter interpreter(runtime);
  // Ctrl+C ends the statement running, not the program.
  catchInterrupts();
  interpreter.setInterruptFlag(&interruptFlag());
  // exit inside a job's action: standby would go on running, so the program ends here.
  interpreter.setExitHandler([](int code) {
    std::cout.flush();
    std::cerr.flush();
    std::fflush(nullptr);
    restoreInputMode();
    restoreCodePages();
    std::_Exit(code);
  });

  if (options.scripts.empty()) {
    // Standard input that is not a console is the script; it is used up then, and questions
    // meet the end of input.
    if (terminal.inputIsConsole()) return runPrompt(interpreter, terminal, runtime);
    std::string source = terminal.readAll();
    if (!takeEncoding(source)) {
      terminal.errorLine(utf16Message("(stdin)"));
      return kExitUsage;
    }
    int code = runScript(interpreter, terminal, source, "(stdin)");
    return code < 0 ? kExitOk : code;
  }
  for (const ScriptSource& script : options.scripts) {
    std::string source;
    std::string name = script.isFile ? script.text : "-e";
    if (!script.isFile) {
      source = script.text;
    } else if (script.text == "-") {
      source = terminal.readAll();
      name = "(stdin)";
    } else if (!readFile(script.text, source)) {
      terminal.errorLine("quenda: cannot read the script " + script.text);
      return kExitUsage;
    }
    if (!takeEncoding(source)) {
      terminal.errorLine(utf16Message(name));
      return kExitUsage;
    }
    int code = runScript(interpreter, terminal, source, name);
    if (code >= 0) return code;
  }
  return kExitOk;
}

}  // namespace quenda::console
