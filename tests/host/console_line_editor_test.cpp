// The prompt's line editor at its edges (the terminal test types the common keys): keys to line,
// cursor, history and completion, and what it writes to bring the console's line up to date.
#include <gtest/gtest.h>

#include <map>
#include <random>
#include <string>
#include <vector>

#include "console/line_editor.h"

namespace {

using quenda::console::Key;
using quenda::console::LineEditor;
using K = Key::Kind;
using Status = LineEditor::Status;

// Keys from a script: plain characters type themselves, and <left>, <up>, <tab>... name keys.
std::vector<Key> keys(const std::u32string& script) {
  static const std::map<std::u32string, K> named = {
      {U"left", K::kLeft}, {U"right", K::kRight}, {U"home", K::kHome},    {U"end", K::kEnd},
      {U"up", K::kUp},     {U"down", K::kDown},   {U"bs", K::kBackspace}, {U"del", K::kDelete},
      {U"tab", K::kTab},   {U"esc", K::kEscape}};
  std::vector<Key> out;
  for (std::size_t i = 0; i < script.size(); ++i) {
    std::size_t close = script.find(U'>', i);
    if (script[i] == U'<' && close != std::u32string::npos) {
      out.push_back({named.at(script.substr(i + 1, close - i - 1))});
      i = close;
    } else {
      out.push_back({K::kChar, script[i]});
    }
  }
  return out;
}

// The names of a small library: dir and its members sel, set and get.
std::vector<std::u32string> names(const std::u32string& group) {
  if (group.empty()) return {U"dir", U"print"};
  return group == U"dir" ? std::vector<std::u32string>{U"sel", U"set", U"get"}
                         : std::vector<std::u32string>{};
}

TEST(LineEditor, KeysEditRecallAndCompleteTheLineAtTheCursor) {
  struct Case {
    std::u32string script, line;
    std::size_t cursor;
  };
  LineEditor editor;  // one for all rows: a recalled line edited stays in the history as it was
  editor.setNames(names);
  for (const char32_t* line : {U"one", U"two", U"two", U""}) editor.remember(line);
  EXPECT_EQ(editor.history().size(), 2u);  // no repeats, no empty lines
  for (const Case& c : {
           Case{U"abc<home><bs><end><bs>", U"ab", 2},   // nothing before the start
           Case{U"abc<del><right><right>", U"abc", 3},  // nothing past the end
           Case{U"ab<left><left><left>", U"ab", 0}, Case{U"abc<esc>d", U"d", 1},
           Case{U"é€😀<left><bs>", U"é😀", 1},    // characters, not UTF-16 units
           Case{U"dr<up><up><up>", U"one", 3},  // stays at the oldest
           Case{U"dr<up><down>", U"dr", 2},     // the draft comes back
           Case{U"<up><bs>x", U"twx", 3}, Case{U"<up>", U"two", 3},
           Case{U"di(x)<home><right><right><tab>", U"dir(x)", 3},  // the word before the cursor
           Case{U"print(\"di<tab>", U"print(\"di", 9},             // not inside a text
       }) {
    editor.begin();
    for (const Key& key : keys(c.script)) EXPECT_EQ(editor.press(key), Status::kEditing);
    EXPECT_EQ(editor.line(), c.line) << editor.line().size();
    EXPECT_EQ(editor.cursor(), c.cursor) << editor.line().size();
  }
}

// Ctrl+D deletes on a line that has text (it ends the input only on an empty one); the line and
// the history stay within their bounds.
TEST(LineEditor, EndOfInputAndTheBounds) {
  LineEditor editor;
  editor.begin();
  for (const Key& key : keys(U"ab<home>")) editor.press(key);
  EXPECT_EQ(editor.press({K::kEndOfInput, 4}), Status::kEditing);
  EXPECT_EQ(editor.line(), U"b");

  editor.begin();
  for (std::size_t i = 0; i < LineEditor::kMaxLine + 5; ++i) editor.press({K::kChar, U'x'});
  EXPECT_EQ(editor.line().size(), LineEditor::kMaxLine);
  editor.press({K::kHome});
  editor.press({K::kChar, U'y'});
  EXPECT_EQ(editor.line()[0], U'x');
  EXPECT_EQ(editor.line().size(), LineEditor::kMaxLine);

  for (int i = 0; i < static_cast<int>(LineEditor::kMaxHistory) + 10; ++i) {
    editor.remember(std::u32string(1, U'a') + static_cast<char32_t>(U'0' + i % 10) +
                    std::u32string(static_cast<std::size_t>(i / 10), U'z'));
  }
  EXPECT_EQ(editor.history().size(), LineEditor::kMaxHistory);
}

// A console line as the redraw sees it: characters overwrite, '\b' moves left, the line does
// not wrap.
struct Screen {
  std::u32string cells;
  std::size_t at = 0;
  void write(const std::u32string& text) {
    for (char32_t c : text) {
      if (c == U'\b') {
        ASSERT_GT(at, 0u) << "backspace at the start of the line";
        --at;
        continue;
      }
      cells.resize(std::max(cells.size(), at + 1));
      cells[at++] = c;
    }
  }
  std::u32string shown() const { return cells.substr(0, cells.find_last_not_of(U' ') + 1); }
};

TEST(LineEditor, RedrawBringsTheConsoleLineUpToDate) {
  std::mt19937 random(7);
  LineEditor editor;
  editor.remember(U"a much longer line from before");
  editor.remember(U"x");
  editor.setNames(names);
  const std::vector<Key> choices = keys(U"ab <left><right><home><end><bs><del><up><down><tab>");
  editor.begin();
  Screen screen;
  std::u32string line;
  std::size_t cursor = 0;
  for (int step = 0; step < 3000; ++step) {
    editor.press(choices[random() % choices.size()]);
    editor.takeChoices();
    screen.write(quenda::console::redrawText(line, cursor, editor.line(), editor.cursor()));
    line = editor.line();
    cursor = editor.cursor();
    ASSERT_EQ(screen.shown(), line.substr(0, line.find_last_not_of(U' ') + 1)) << step;
    ASSERT_EQ(screen.at, cursor) << step;
  }
}

TEST(LineEditor, Utf16RoundTripsAndMarksLoneHalves) {
  using quenda::console::fromUtf16;
  using quenda::console::toUtf16;
  EXPECT_EQ(toUtf16(U"a€😀"), u"a€\xD83D\xDE00");
  EXPECT_EQ(fromUtf16(u"a€\xD83D\xDE00"), U"a€😀");
  EXPECT_EQ(fromUtf16(u"\xD83Dx\xDE00"), U"\uFFFDx\uFFFD");
  EXPECT_EQ(toUtf16(std::u32string(1, 0x110000)), u"\uFFFD");
}

}  // namespace
