#include "console/terminal.h"

#include <cstdio>
#include <iostream>
#include <iterator>

#include "console/code_page.h"
#include "console/escaped.h"
#include "platform/console.h"
#include "runtime/runtime.h"

namespace quenda::console {
namespace {

using platform::WORD;

bool isConsole(platform::HANDLE handle) {
  if (!handle || handle == platform::kInvalidHandle) return false;
  platform::DWORD mode = 0;
  return platform::GetConsoleMode(handle, &mode) != platform::kFalse;
}

Terminal::Stream openStream(std::ostream& out, platform::DWORD which, Colour colour) {
  Terminal::Stream stream;
  stream.out = &out;
  stream.handle = platform::GetStdHandle(which);
  stream.console = isConsole(stream.handle);
  if (colour == Colour::kNever) return stream;
  if (stream.console) {
    // Character attributes work on every console; terminal sequences do not.
    platform::CONSOLE_SCREEN_BUFFER_INFO info{};
    if (platform::GetConsoleScreenBufferInfo(stream.handle, &info)) {
      stream.rendering = Terminal::Rendering::kAttributes;
      stream.normal = info.wAttributes;
    }
  } else if (colour == Colour::kAlways) {
    stream.rendering = Terminal::Rendering::kAnsi;
  }
  return stream;
}

// The foreground a markup tag selects (0: the console's normal one).
WORD foregroundOf(MarkupTag tag) {
  if (tag == MarkupTag::kCyan)
    return platform::kForegroundGreen | platform::kForegroundBlue | platform::kForegroundIntensity;
  return tag == MarkupTag::kGray ? platform::kForegroundIntensity : 0;
}

}  // namespace

Terminal::Terminal(Colour colour) {
  inputConsole_ = isConsole(platform::GetStdHandle(platform::kStdInputHandle));
  out_ = openStream(std::cout, platform::kStdOutputHandle, colour);
  err_ = openStream(std::cerr, platform::kStdErrorHandle, colour);
}

void Terminal::emit(Stream& stream, std::string_view text) {
  if (stream.console) {
    *stream.out << std::flush;  // what went through the stream stays before this
    if (writeConsoleText(stream.handle, text)) return;
  }
  *stream.out << text;
}

void Terminal::write(Stream& stream, std::string_view text) {
  if (stream.rendering == Rendering::kPlain) {
    emit(stream, stripMarkup(text));
    return;
  }
  if (stream.rendering == Rendering::kAnsi) {
    emit(stream, ansiMarkup(text));
    return;
  }
  // On a console: the text between tags is written in the attributes the last tag chose.
  bool coloured = false;
  walkMarkup(
      text, [&](std::string_view run) { emit(stream, run); },
      [&](MarkupTag tag) {
        *stream.out << std::flush;
        WORD foreground = foregroundOf(tag);
        platform::SetConsoleTextAttribute(
            stream.handle,
            foreground ? static_cast<WORD>((stream.normal & 0xFFF0) | foreground) : stream.normal);
        coloured = foreground != 0;
      });
  if (coloured) {
    *stream.out << std::flush;
    platform::SetConsoleTextAttribute(stream.handle, stream.normal);
  }
}

void Terminal::printLine(std::string_view line) {
  write(out_, line);
  emit(out_, "\n");
  std::cout << std::flush;
}

void Terminal::printText(std::string_view line) {
  emit(out_, line);
  emit(out_, "\n");
  std::cout << std::flush;
}

void Terminal::prompt(std::string_view text) {
  write(out_, text);
  std::cout << std::flush;
}

void Terminal::errorLine(std::string_view line) {
  std::cout << std::flush;  // what was printed before the error stays before it
  // Errors quote scripts and paths: an escape sequence in them is shown, not obeyed.
  write(err_, escapedControls(line));
  emit(err_, "\n");
  std::cerr << std::flush;
}

std::optional<std::string> Terminal::readLine() {
  std::cout << std::flush;
  std::string line;
  if (!std::getline(std::cin, line) && line.empty()) {
    // On a console, end of input answers this one read; the person can go on typing after it.
    if (inputConsole_) {
      std::cin.clear();
      std::clearerr(stdin);  // the stream reads through stdio, whose end-of-file mark stays
    }
    return std::nullopt;
  }
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return line;
}

std::string Terminal::readAll() {
  return std::string(std::istreambuf_iterator<char>(std::cin), std::istreambuf_iterator<char>());
}

}  // namespace quenda::console
