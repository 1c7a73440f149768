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

// Keys from a script: plain characters type themselves, and <left>, <up>, <^D>... name keys.
std::vector<Key> keys(const std::u32string& script) {
  static const std::map<std::u32string, K> named = {
      {U"left", K::kLeft}, {U"right", K::kRight}, {U"home", K::kHome},    {U"end", K::kEnd},
      {U"up", K::kUp},     {U"down", K::kDown},   {U"bs", K::kBackspace}, {U"del", K::kDelete},
      {U"tab", K::kTab},   {U"esc", K::kEscape},  {U"^D", K::kEndOfInput}};
  std::vector<Key> out;
  for (std::size_t i = 0; i < script.size(); ++i) {
    std::size_t close = script.find(U'>', i);
    if (script[i] == U'<' && close != std::u32string::npos) {
      out.push_back(
          {named.at(script.substr(i + 1, close - i - 1)), 4});  // Ctrl+D's code; others ignore it
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
           Case{U"ab<home><^D>", U"b", 0},              // Ctrl+D deletes on a line with text
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

TEST(LineEditor, TheLineAndTheHistoryStayWithinTheirBounds) {
  LineEditor editor;
  editor.begin();
  for (std::size_t i = 0; i < LineEditor::kMaxLine + 5; ++i) editor.press({K::kChar, U'x'});
  EXPECT_EQ(editor.line().size(), LineEditor::kMaxLine);
  editor.press({K::kHome});
  editor.press({K::kChar, U'y'});
  EXPECT_EQ(editor.line()[0], U'x');
  EXPECT_EQ(editor.line().size(), LineEditor::kMaxLine);

  for (std::size_t i = 1; i <= LineEditor::kMaxHistory + 10; ++i) {
    editor.remember(std::u32string(i, U'a'));
  }
  EXPECT_EQ(editor.history().size(), LineEditor::kMaxHistory);
}

// The prompt's row, a few columns wide, after every key: the part of the line that fits, with
// the cursor on it, and the redraw that turns the row into that part, also when it got shorter.
TEST(LineEditor, TheRowShowsThePartAtTheCursorAfterEveryKey) {
  std::mt19937 random(7);
  LineEditor editor;
  editor.remember(U"a much longer line from before");
  editor.remember(U"x");
  editor.setNames(names);
  const std::vector<Key> choices = keys(U"ab <left><right><home><end><bs><del><up><down><tab>");
  editor.begin();
  const std::size_t width = 8;
  std::u32string row, shown;  // the console's cells; the part drawn last
  std::size_t at = 0, first = 0;
  auto trimmed = [](const std::u32string& s) { return s.substr(0, s.find_last_not_of(U' ') + 1); };
  for (int step = 0; step < 3000; ++step) {
    editor.press(choices[random() % choices.size()]);
    const std::u32string& line = editor.line();
    auto part = quenda::console::shownPart(line, editor.cursor(), width, first);
    ASSERT_LT(part.cursor, width) << step;
    ASSERT_EQ(line.substr(editor.cursor() - part.cursor, width), part.text) << step;
    ASSERT_GE(part.text.size(), std::min(line.size(), width - 1)) << step;  // as much as fits
    for (char32_t c : quenda::console::redrawText(shown, at, part.text, part.cursor)) {
      if (c == U'\b') {
        ASSERT_GT(at, 0u) << "backspace at the start of the row, step " << step;
        --at;
      } else {
        row.resize(std::max(row.size(), at + 1));
        row[at++] = c;
      }
    }
    shown = part.text;
    ASSERT_LE(row.size(), width) << step;
    ASSERT_EQ(trimmed(row), trimmed(shown)) << step;
    ASSERT_EQ(at, part.cursor) << step;
  }
}

TEST(LineEditor, Utf16RoundTripsAndMarksLoneHalves) {
  EXPECT_EQ(quenda::console::toUtf16(U"a€😀"), u"a€\xD83D\xDE00");
  EXPECT_EQ(quenda::console::fromUtf16(u"a€\xD83D\xDE00"), U"a€😀");
  EXPECT_EQ(quenda::console::fromUtf16(u"\xD83Dx\xDE00"), U"\uFFFDx\uFFFD");
  EXPECT_EQ(quenda::console::toUtf16(std::u32string(1, 0x110000)), u"\uFFFD");
}

}  // namespace
