// The console the host talks to: lines out with the colour markup ($cyan$, $gray$, $n$) shown as
// colour or removed, lines in, and whether the standard streams are consoles.
#pragma once

#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>

#include "console/options.h"
#include "platform/types.h"

namespace quenda::console {

class Terminal {
 public:
  // Looks at the standard handles. Colour goes to a console as character attributes; with
  // Colour::kAlways, a stream that is not a console gets ANSI sequences instead.
  explicit Terminal(Colour colour);

  bool inputIsConsole() const { return inputConsole_; }

  // One line on standard output.
  void printLine(std::string_view line);
  // The line as it is: markup is neither rendered nor removed.
  void printText(std::string_view line);
  // Text without a line end (a prompt, a question), then flushed.
  void prompt(std::string_view text);
  // One line on standard error, its control characters shown escaped.
  void errorLine(std::string_view line);
  // One line from standard input, without its line end; nullopt at the end of input.
  std::optional<std::string> readLine();
  // Everything left on standard input.
  std::string readAll();

  enum class Rendering { kPlain, kAnsi, kAttributes };
  struct Stream {
    std::ostream* out = nullptr;
    platform::HANDLE handle = nullptr;
    Rendering rendering = Rendering::kPlain;
    platform::WORD normal = 0;  // kAttributes: the console's own attributes
    bool console = false;       // written as UTF-16, so that every letter shows
  };

 private:
  void write(Stream& stream, std::string_view text);
  // The bytes as they are: to a console as its letters, elsewhere unchanged.
  static void emit(Stream& stream, std::string_view text);

  bool inputConsole_ = false;
  Stream out_;
  Stream err_;
};

}  // namespace quenda::console
