// The console the host talks to: lines out with the colour markup ($cyan$, $gray$, $n$) shown as
// colour or removed, lines in, and whether the standard streams are consoles.
#pragma once

#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>

#include "console/line_editor.h"
#include "console/options.h"
#include "platform/types.h"

namespace quenda::console {

// Gives the console back the input mode it had before the host read its keys (also done at exit).
void restoreInputMode();

// Text in the process's ANSI code page as characters, for the line editor.
std::u32string fromAnsi(std::string_view text);

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
  // One line from standard input, without its line end; nullopt at the end of input. On a
  // console the keys edit the line (without history or names), and Ctrl+C gives no line and
  // sets the interrupt flag, so the statement asking ends.
  std::optional<std::string> readLine();

  // A line typed at the prompt: `promptText` is shown first (again when Tab lists names). When
  // standard input and output are consoles, the keys edit the line through `editor` and the
  // line joins its history; otherwise it is readLine()'s. The text is in the ANSI code page.
  struct Typed {
    enum class Status { kLine, kCancelled, kEnded } status = Status::kEnded;
    std::string text;
  };
  Typed editLine(std::string_view promptText, LineEditor& editor);
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
  std::optional<std::string> readStreamLine();
  void writeConsole(const std::u32string& text);
  std::size_t lineWidth(std::string_view promptText) const;
  // The bytes as they are: to a console as its letters, elsewhere unchanged.
  static void emit(Stream& stream, std::string_view text);

  bool inputConsole_ = false;
  bool keys_ = false;  // lines are read key by key
  LineEditor answers_;
  Stream out_;
  Stream err_;
};

}  // namespace quenda::console
