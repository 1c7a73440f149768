#include "lang_fuzz.h"

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>

#include "lang/interpreter.h"
#include "lang/parser.h"
#include "platform/keyboard.h"
#include "platform/sim/sim.h"
#include "runtime/linked.h"
#include "runtime/runtime.h"

namespace {

// Enough for any sane script, small enough that exponential recursion ends quickly.
constexpr std::uint64_t kStepLimit = 20000;

[[noreturn]] void broken(const char* what) {
  std::fprintf(stderr, "lang fuzz: %s\n", what);
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string source(reinterpret_cast<const char*>(data), size);

  // The parser alone, on every input.
  quenda::lang::ParseResult parsed = quenda::lang::parse(source);
  if (!parsed.script && parsed.error.message.empty()) broken("a parse failed without a message");
  if (!parsed.script && (parsed.error.line < 1 || parsed.error.column < 1)) {
    broken("a syntax error without its place");
  }

  platform::sim::reset();
  platform::sim::addFile("C:\\work\\notes.txt", "notes");
  platform::sim::addFolder("C:\\work\\src");
  platform::sim::setCurrentDirectoryPath("C:\\work");
  // standby waits for Ctrl+Enter: Ctrl is held and Enter pressed afresh before every look at
  // it, so every pass is the last.
  platform::sim::setKeyDown(platform::kVkControl, true);
  platform::sim::onKeyQuery([](int key, int) {
    if (key != platform::kVkReturn) return;
    platform::sim::setKeyDown(key, false);
    platform::sim::setKeyDown(key, true);
  });

  std::size_t printed = 0;
  std::string last;
  {
    quenda::Runtime runtime;
    runtime.hooks().printLine = [&](std::string_view line) {
      ++printed;
      last.assign(line);
    };
    runtime.hooks().askText = [](std::string_view) -> std::optional<std::string> {
      return std::nullopt;
    };
    runtime.hooks().reportError = [&](std::string_view) { ++printed; };
    if (!runtime.bind(quenda::linkedLibrary()).ok()) broken("the library did not bind");
    quenda::lang::Interpreter interpreter(runtime);
    interpreter.setStepLimit(kStepLimit);

    quenda::lang::Outcome outcome = interpreter.run(source, {"fuzz", true});
    if (!outcome.ok && outcome.error.message.empty()) broken("an error without a message");
    interpreter.evalNumber(source);

    // Whatever the input did, the language still works.
    quenda::lang::Outcome after = interpreter.run("print(1 + 1)", {"after", false});
    if (!after.ok || last != "2") broken("the language stopped working after an input");
  }
  platform::sim::reset();
  return 0;
}
