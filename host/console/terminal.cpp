#include "console/terminal.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <iterator>

#include "console/code_page.h"
#include "console/escaped.h"
#include "console/interrupt.h"
#include "platform/code_page.h"
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

std::string toAnsi(const std::u32string& line) {
  std::u16string wide = toUtf16(line);
  if (wide.empty()) return {};
  int size = static_cast<int>(wide.size());
  int needed = platform::WideCharToMultiByte(platform::kCodePageAnsi, 0, wide.data(), size, nullptr,
                                             0, nullptr, nullptr);
  if (needed <= 0) return {};
  std::string text(static_cast<std::size_t>(needed), '\0');
  int made = platform::WideCharToMultiByte(platform::kCodePageAnsi, 0, wide.data(), size,
                                           text.data(), needed, nullptr, nullptr);
  text.resize(static_cast<std::size_t>(made > 0 ? made : 0));
  return text;
}

// Input mode for reading keys one by one: Ctrl+C a key, no echo, no line editing of the console's
// own. The mode before is back when it ends.
class RawInput {
 public:
  explicit RawInput(platform::HANDLE input) : input_(input) {
    saved_ = platform::GetConsoleMode(input, &mode_) != platform::kFalse;
    if (saved_) {
      platform::SetConsoleMode(
          input, mode_ & ~(platform::kEnableProcessedInput | platform::kEnableLineInput |
                           platform::kEnableEchoInput));
    }
  }
  ~RawInput() {
    if (saved_) platform::SetConsoleMode(input_, mode_);
  }
  RawInput(const RawInput&) = delete;
  RawInput& operator=(const RawInput&) = delete;

 private:
  platform::HANDLE input_;
  platform::DWORD mode_ = 0;
  bool saved_ = false;
};

// While the host reads keys itself the console keeps no line of its own, between two reads too:
// keys typed ahead while a statement runs wait in order as keys, and none is taken into a line
// the console would edit. Ctrl+C stays a signal there.
platform::HANDLE typedInput = nullptr;
platform::DWORD modeBefore = 0;
bool modeChanged = false;

void keepKeysBetweenReads(platform::HANDLE input) {
  if (modeChanged || !platform::GetConsoleMode(input, &modeBefore)) return;
  platform::DWORD mode = modeBefore & ~(platform::kEnableLineInput | platform::kEnableEchoInput);
  if (!platform::SetConsoleMode(input, mode)) return;
  typedInput = input;
  modeChanged = true;
  std::atexit(restoreInputMode);
}

}  // namespace

void restoreInputMode() {
  if (modeChanged) platform::SetConsoleMode(typedInput, modeBefore);
  modeChanged = false;
}

std::u32string fromAnsi(std::string_view text) {
  if (text.empty() || text.size() > 0x7FFFFFFF) return {};
  int size = static_cast<int>(text.size());
  int needed =
      platform::MultiByteToWideChar(platform::kCodePageAnsi, 0, text.data(), size, nullptr, 0);
  if (needed <= 0) return {};
  std::u16string wide(static_cast<std::size_t>(needed), u'\0');
  int made = platform::MultiByteToWideChar(platform::kCodePageAnsi, 0, text.data(), size,
                                           wide.data(), needed);
  wide.resize(static_cast<std::size_t>(made > 0 ? made : 0));
  return fromUtf16(wide);
}

Terminal::Terminal(Colour colour) {
  inputConsole_ = isConsole(platform::GetStdHandle(platform::kStdInputHandle));
  out_ = openStream(std::cout, platform::kStdOutputHandle, colour);
  err_ = openStream(std::cerr, platform::kStdErrorHandle, colour);
  keys_ = inputConsole_ && isConsole(out_.handle);
  if (keys_) keepKeysBetweenReads(platform::GetStdHandle(platform::kStdInputHandle));
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
  if (keys_) {
    Typed typed = editLine("", answers_);
    if (typed.status == Typed::Status::kLine) return typed.text;
    if (typed.status == Typed::Status::kCancelled) interruptFlag() = true;
    return std::nullopt;
  }
  return readStreamLine();
}

void Terminal::writeConsole(const std::u32string& text) {
  std::u16string wide = toUtf16(text);
  for (std::size_t done = 0; done < wide.size();) {
    platform::DWORD count =
        static_cast<platform::DWORD>(std::min<std::size_t>(wide.size() - done, 4096));
    platform::DWORD written = 0;
    if (!platform::WriteConsoleW(out_.handle, wide.data() + done, count, &written, nullptr) ||
        written == 0) {
      return;
    }
    done += written;
  }
}

// The columns left for the line after the prompt, the last one kept free: a character written
// there would take the cursor to the next row.
std::size_t Terminal::lineWidth(std::string_view promptText) const {
  platform::CONSOLE_SCREEN_BUFFER_INFO info{};
  if (!platform::GetConsoleScreenBufferInfo(out_.handle, &info)) return LineEditor::kMaxLine;
  long columns = static_cast<long>(info.srWindow.Right) - info.srWindow.Left + 1;
  if (columns <= 0) columns = info.dwSize.X;
  long left = columns - static_cast<long>(promptText.size()) - 1;
  return left > 0 ? static_cast<std::size_t>(left) : 1;
}

Terminal::Typed Terminal::editLine(std::string_view promptText, LineEditor& editor) {
  using Status = LineEditor::Status;
  prompt(promptText);
  if (keys_) {
    platform::HANDLE input = platform::GetStdHandle(platform::kStdInputHandle);
    RawInput raw(input);
    KeysBeingRead reading(input);
    editor.begin();
    std::size_t width = lineWidth(promptText);
    std::size_t first = 0;  // the first character of the line that is shown
    std::u32string shown;
    std::size_t shownCursor = 0;
    char16_t high = 0;  // the first half of a character outside the first plane
    bool anyKey = false;
    while (true) {
      platform::INPUT_RECORD record{};
      platform::DWORD read = 0;
      if (!platform::ReadConsoleInputW(input, &record, 1, &read)) {
        if (anyKey) return {};  // the console went away: the end of input
        keys_ = false;          // a console that gives no keys: read its lines instead
        break;
      }
      anyKey = true;
      const platform::KEY_EVENT_RECORD& event = record.Event.KeyEvent;
      if (read != 1 || record.EventType != platform::kKeyEvent || !event.bKeyDown) continue;
      char32_t ch = event.UnicodeChar;
      if (ch >= 0xD800 && ch <= 0xDBFF) {
        high = static_cast<char16_t>(ch);
        continue;
      }
      if (ch >= 0xDC00 && ch <= 0xDFFF) {
        if (!high) continue;
        ch = 0x10000 + ((static_cast<char32_t>(high) - 0xD800) << 10) + (ch - 0xDC00);
      }
      high = 0;
      Key key = keyOf(event.wVirtualKeyCode, ch, event.dwControlKeyState);
      Status status = Status::kEditing;
      for (int n = 0; n < std::max<int>(1, event.wRepeatCount) && status == Status::kEditing; ++n) {
        status = editor.press(key);
      }
      std::vector<std::u32string> choices = editor.takeChoices();
      if (!choices.empty()) {
        std::u32string list = redrawText(shown, shownCursor, shown, shown.size()) + U"\r\n";
        for (const std::u32string& choice : choices) list += choice + U"  ";
        writeConsole(list + U"\r\n");
        prompt(promptText);
        shown.clear();
        shownCursor = 0;
      }
      std::size_t cursor = status == Status::kEditing ? editor.cursor() : editor.line().size();
      ShownPart part = shownPart(editor.line(), cursor, width, first);
      writeConsole(redrawText(shown, shownCursor, part.text, part.cursor));
      shown = std::move(part.text);
      shownCursor = part.cursor;
      switch (status) {
        case Status::kEditing:
          continue;
        case Status::kDone:
          writeConsole(U"\r\n");
          editor.remember(editor.line());
          return {Typed::Status::kLine, toAnsi(editor.line())};
        case Status::kCancelled:
          writeConsole(U"^C\r\n");
          return {Typed::Status::kCancelled, {}};
        case Status::kEnded:
          return {};
      }
    }
  }
  std::optional<std::string> line = readStreamLine();
  if (!line) return {};
  return {Typed::Status::kLine, std::move(*line)};
}

std::optional<std::string> Terminal::readStreamLine() {
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
