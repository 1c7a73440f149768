#include "console/terminal.h"

#include <cstdio>
#include <iostream>
#include <iterator>

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
  if (colour == Colour::kNever) return stream;
  if (isConsole(stream.handle)) {
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

// The markup tags, each with the foreground it selects (0: the console's normal one).
struct Tag {
  std::string_view text;
  WORD foreground;
};
constexpr Tag kTags[] = {
    {"$cyan$",
     platform::kForegroundGreen | platform::kForegroundBlue | platform::kForegroundIntensity},
    {"$gray$", platform::kForegroundIntensity},
    {"$n$", 0},
};

}  // namespace

Terminal::Terminal(Colour colour) {
  inputConsole_ = isConsole(platform::GetStdHandle(platform::kStdInputHandle));
  out_ = openStream(std::cout, platform::kStdOutputHandle, colour);
  err_ = openStream(std::cerr, platform::kStdErrorHandle, colour);
}

void Terminal::write(Stream& stream, std::string_view text) {
  if (stream.rendering == Rendering::kPlain) {
    *stream.out << stripMarkup(text);
    return;
  }
  if (stream.rendering == Rendering::kAnsi) {
    *stream.out << ansiMarkup(text);
    return;
  }
  // On a console: the text between tags is written in the attributes the last tag chose.
  bool coloured = false;
  std::size_t start = 0;
  std::size_t i = 0;
  while (i < text.size()) {
    const Tag* hit = nullptr;
    if (text[i] == '$') {
      for (const Tag& tag : kTags) {
        if (text.substr(i, tag.text.size()) == tag.text) hit = &tag;
      }
    }
    if (!hit) {
      ++i;
      continue;
    }
    *stream.out << text.substr(start, i - start) << std::flush;
    WORD attributes = hit->foreground
                          ? static_cast<WORD>((stream.normal & 0xFFF0) | hit->foreground)
                          : stream.normal;
    platform::SetConsoleTextAttribute(stream.handle, attributes);
    coloured = hit->foreground != 0;
    i += hit->text.size();
    start = i;
  }
  *stream.out << text.substr(start);
  if (coloured) {
    *stream.out << std::flush;
    platform::SetConsoleTextAttribute(stream.handle, stream.normal);
  }
}

void Terminal::printLine(std::string_view line) {
  write(out_, line);
  std::cout << '\n' << std::flush;
}

void Terminal::printText(std::string_view line) {
  std::cout << line << '\n' << std::flush;
}

void Terminal::prompt(std::string_view text) {
  write(out_, text);
  std::cout << std::flush;
}

void Terminal::errorLine(std::string_view line) {
  std::cout << std::flush;  // what was printed before the error stays before it
  write(err_, line);
  std::cerr << '\n' << std::flush;
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
