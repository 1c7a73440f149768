// The prompt's line editor: keys to line, cursor, history and completion, and what it writes to
// bring the console's picture of the line up to date.
#include <gtest/gtest.h>

#include <map>
#include <random>
#include <string>
#include <vector>

#include "console/line_editor.h"

namespace {

using quenda::console::Key;
using quenda::console::keyOf;
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

// The names of a small library: dir with sel, set and get; env; and a class file.
std::vector<std::u32string> names(const std::u32string& group) {
  if (group.empty()) return {U"dir", U"env", U"exit", U"file", U"print"};
  if (group == U"dir" || group == U"main.dir" || group == U"main\\dir") {
    return {U"sel", U"set", U"get"};
  }
  return {};
}

struct Typed {
  std::u32string line;
  std::size_t cursor;
  std::vector<std::u32string> choices;
};

Typed type(LineEditor& editor, const std::u32string& script) {
  editor.begin();
  Typed typed;
  for (const Key& key : keys(script)) {
    EXPECT_EQ(editor.press(key), Status::kEditing);
    std::vector<std::u32string> choices = editor.takeChoices();
    if (!choices.empty()) typed.choices = choices;
  }
  typed.line = editor.line();
  typed.cursor = editor.cursor();
  return typed;
}

TEST(LineEditor, KeysEditTheLineAtTheCursor) {
  struct Case {
    std::u32string script, line;
    std::size_t cursor;
  };
  for (const Case& c : {
           Case{U"abc<left><left>X", U"aXbc", 2}, Case{U"abc<home><del>", U"bc", 0},
           Case{U"abc<home><bs><end><bs>", U"ab", 2},   // nothing before the start
           Case{U"abc<del><right><right>", U"abc", 3},  // nothing past the end
           Case{U"ab<left><left><left>", U"ab", 0}, Case{U"abc<esc>d", U"d", 1},
           Case{U"é€😀<left><bs>", U"é😀", 1},  // characters, not UTF-16 units
       }) {
    LineEditor editor;
    Typed typed = type(editor, c.script);
    EXPECT_EQ(typed.line, c.line) << typed.line.size();
    EXPECT_EQ(typed.cursor, c.cursor);
  }
}

TEST(LineEditor, EnterCancelAndEndOfInput) {
  LineEditor editor;
  type(editor, U"ab<left>");
  EXPECT_EQ(editor.press({K::kEnter}), Status::kDone);
  EXPECT_EQ(editor.line(), U"ab");
  EXPECT_EQ(editor.press({K::kCancel}), Status::kCancelled);
  // Ctrl+D deletes on a line that has text, and ends the input on an empty one; Ctrl+Z as well.
  type(editor, U"ab<home>");
  EXPECT_EQ(editor.press({K::kEndOfInput, 4}), Status::kEditing);
  EXPECT_EQ(editor.line(), U"b");
  editor.begin();
  EXPECT_EQ(editor.press({K::kEndOfInput, 0x1A}), Status::kEnded);
}

TEST(LineEditor, AnOverlongLineKeepsItsFirstCharacters) {
  LineEditor editor;
  editor.begin();
  for (std::size_t i = 0; i < LineEditor::kMaxLine + 5; ++i) editor.press({K::kChar, U'x'});
  EXPECT_EQ(editor.line().size(), LineEditor::kMaxLine);
  editor.press({K::kHome});
  editor.press({K::kChar, U'y'});
  EXPECT_EQ(editor.line()[0], U'x');
  EXPECT_EQ(editor.line().size(), LineEditor::kMaxLine);
}

TEST(LineEditor, UpAndDownWalkTheHistoryAndKeepTheDraft) {
  LineEditor editor;
  for (const char32_t* line : {U"one", U"two", U"two", U""}) editor.remember(line);
  EXPECT_EQ(editor.history().size(), 2u);  // no repeats, no empty lines
  EXPECT_EQ(type(editor, U"dr<up>").line, U"two");
  EXPECT_EQ(type(editor, U"dr<up><up><up>").line, U"one");  // stays at the oldest
  EXPECT_EQ(type(editor, U"dr<up><up><down>").line, U"two");
  EXPECT_EQ(type(editor, U"dr<up><down>").line, U"dr");
  EXPECT_EQ(type(editor, U"<down>").line, U"");
  // A recalled line that is edited leaves the history as it was.
  EXPECT_EQ(type(editor, U"<up><bs>x").line, U"twx");
  EXPECT_EQ(type(editor, U"<up>").line, U"two");

  for (int i = 0; i < static_cast<int>(LineEditor::kMaxHistory) + 10; ++i) {
    editor.remember(std::u32string(1, U'a') + static_cast<char32_t>(U'0' + i % 10) +
                    std::u32string(static_cast<std::size_t>(i / 10), U'z'));
  }
  EXPECT_EQ(editor.history().size(), LineEditor::kMaxHistory);
}

TEST(LineEditor, TabCompletesNamesAndGroupMembers) {
  struct Case {
    std::u32string script, line;
    std::vector<std::u32string> choices;
  };
  for (const Case& c : {
           Case{U"di<tab>", U"dir", {}},
           Case{U"dir.s<tab>", U"dir.se", {U"sel", U"set"}},
           Case{U"dir.se<tab>", U"dir.se", {U"sel", U"set"}},
           Case{U"main\\dir\\g<tab>", U"main\\dir\\get", {}},
           Case{U"print(fi<tab>", U"print(file", {}},
           Case{U"e<tab>", U"e", {U"env", U"exit"}},
           Case{U"ex<tab>(1)", U"exit(1)", {}},
           Case{U"di(x)<home><right><right><tab>", U"dir(x)", {}},  // the word before the cursor
           Case{U"print(\"di<tab>", U"print(\"di", {}},             // not inside a text
           Case{U"nosuch.s<tab>", U"nosuch.s", {}},
           Case{U"q<tab>", U"q", {}},
           Case{U"<tab>", U"", {}},
       }) {
    LineEditor editor;
    editor.setNames(names);
    Typed typed = type(editor, c.script);
    EXPECT_EQ(typed.line, c.line) << typed.line.size();
    EXPECT_EQ(typed.choices, c.choices);
  }
}

TEST(LineEditor, ConsoleKeysMapToEditorKeys) {
  struct Case {
    std::uint16_t vk;
    char32_t ch;
    K kind;
  };
  for (const Case& c : {
           Case{0x26, 0, K::kUp},         Case{0x28, 0, K::kDown},
           Case{0x25, 0, K::kLeft},       Case{0x27, 0, K::kRight},
           Case{0x24, 0, K::kHome},       Case{0x23, 0, K::kEnd},
           Case{0x2E, 0, K::kDelete},     Case{0x08, 8, K::kBackspace},
           Case{0, 0x7F, K::kBackspace},  Case{0x09, 9, K::kTab},
           Case{0x0D, 13, K::kEnter},     Case{0x43, 3, K::kCancel},
           Case{0x44, 4, K::kEndOfInput}, Case{0x5A, 0x1A, K::kEndOfInput},
           Case{0x41, 1, K::kHome},       Case{0x45, 5, K::kEnd},
           Case{0x1B, 0x1B, K::kEscape},  Case{0, 0xE9, K::kChar},
           Case{0x64, U'4', K::kChar},                              // a number pad digit
           Case{0, 0, K::kNone},          Case{0x10, 0, K::kNone},  // an unknown sequence, Shift
           Case{0, 0xD800, K::kNone},                               // half a character
       }) {
    EXPECT_EQ(keyOf(c.vk, c.ch, 0).kind, c.kind)
        << std::hex << c.vk << " " << static_cast<std::uint32_t>(c.ch);
  }
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
      if (at == cells.size())
        cells += c;
      else
        cells[at] = c;
      ++at;
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
