// The prompt's line editor as pure logic: keys in, the line, its cursor, the history and the
// completions out. The console reader (terminal.cpp) feeds it keys and draws what changed.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace quenda::console {

struct Key {
  enum class Kind {
    kNone,  // a key that edits nothing (Shift, a function key, a key released)
    kChar,
    kEnter,
    kBackspace,
    kDelete,
    kLeft,
    kRight,
    kHome,
    kEnd,
    kUp,
    kDown,
    kTab,
    kEscape,      // clears the line
    kCancel,      // Ctrl+C
    kEndOfInput,  // Ctrl+D or Ctrl+Z: the end of input on an empty line, else Delete (Ctrl+D)
  };
  Kind kind = Kind::kNone;
  char32_t ch = 0;  // kChar; for kEndOfInput, which key it was
};

// The key a console key-down event stands for: its virtual-key code, the character it typed
// (0 for none) and the state of the control keys. Ctrl+A and Ctrl+E are Home and End, for
// terminals whose Home and End keys reach the console as nothing.
Key keyOf(std::uint16_t virtualKey, char32_t ch, std::uint32_t controlState);

class LineEditor {
 public:
  // The names in a group ("" for the top level, "dir" for dir.), for Tab.
  using Names = std::function<std::vector<std::u32string>(const std::u32string& group)>;

  enum class Status { kEditing, kDone, kCancelled, kEnded };

  static constexpr std::size_t kMaxLine = 32768;    // characters; more typed are refused
  static constexpr std::size_t kMaxHistory = 1000;  // lines; the oldest go first

  void setNames(Names names) { names_ = std::move(names); }

  // An empty line; Up starts again at the newest history entry.
  void begin();
  Status press(const Key& key);

  const std::u32string& line() const { return line_; }
  std::size_t cursor() const { return cursor_; }

  // Adds a finished line to the history (not an empty one, nor a repeat of the newest).
  void remember(const std::u32string& line);
  const std::deque<std::u32string>& history() const { return history_; }

  // After a Tab that matched several names: those names, to be shown under the line.
  std::vector<std::u32string> takeChoices() { return std::move(choices_); }

 private:
  void insert(const std::u32string& text);
  void recall(std::size_t index);
  void complete();

  std::u32string line_;
  std::size_t cursor_ = 0;
  std::deque<std::u32string> history_;
  std::size_t recalled_ = 0;  // history_.size(): the line being typed
  std::u32string draft_;      // the line being typed, kept while history is shown
  Names names_;
  std::vector<std::u32string> choices_;
};

// The part of a line shown in `width` columns (at least 1), with the cursor on one of them: a
// line wider than the console scrolls sideways, as backspaces cannot go up a row. `first`, the
// shown part's start, is kept between keys, so the part moves only when the cursor leaves it.
struct ShownPart {
  std::u32string text;
  std::size_t cursor;
};
ShownPart shownPart(const std::u32string& line, std::size_t cursor, std::size_t width,
                    std::size_t& first);

// What to write to a console to turn the shown line `before` (cursor at `beforeCursor`) into
// `after` with its cursor at `afterCursor`: the changed characters, spaces over what got shorter
// and backspaces to move left. Both must fit the console's row (see shownPart).
std::u32string redrawText(const std::u32string& before, std::size_t beforeCursor,
                          const std::u32string& after, std::size_t afterCursor);

// UTF-16 as the console speaks it, and back; a lone surrogate becomes U+FFFD.
std::u16string toUtf16(const std::u32string& text);
std::u32string fromUtf16(const std::u16string& text);

}  // namespace quenda::console
