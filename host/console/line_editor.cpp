#include "console/line_editor.h"

#include <algorithm>

namespace quenda::console {
namespace {

constexpr std::uint16_t kVkBack = 0x08, kVkTab = 0x09, kVkReturn = 0x0D, kVkEscape = 0x1B,
                        kVkEnd = 0x23, kVkHome = 0x24, kVkLeft = 0x25, kVkUp = 0x26,
                        kVkRight = 0x27, kVkDown = 0x28, kVkDelete = 0x2E;

bool isNameChar(char32_t c) {
  return (c >= U'a' && c <= U'z') || (c >= U'A' && c <= U'Z') || (c >= U'0' && c <= U'9') ||
         c == U'_' || c >= 0x80;
}
bool isPathSeparator(char32_t c) {
  return c == U'.' || c == U'\\';
}

// Inside a text literal when an odd number of quotes comes before `end`.
bool insideText(const std::u32string& line, std::size_t end) {
  return std::count(line.begin(), line.begin() + static_cast<std::ptrdiff_t>(end), U'"') % 2 != 0;
}

}  // namespace

Key keyOf(std::uint16_t virtualKey, char32_t ch, std::uint32_t) {
  using K = Key::Kind;
  switch (ch) {
    case 1:
      return {K::kHome};
    case 3:
      return {K::kCancel};
    case 4:
    case 0x1A:
      return {K::kEndOfInput, ch};
    case 5:
      return {K::kEnd};
    case 8:
    case 0x7F:
      return {K::kBackspace};
    case U'\t':
      return {K::kTab};
    case U'\r':
    case U'\n':
      return {K::kEnter};
    case 0x1B:
      return {K::kEscape};
    default:
      break;
  }
  if (ch >= 0x20 && !(ch >= 0xD800 && ch <= 0xDFFF) && ch <= 0x10FFFF) return {K::kChar, ch};
  switch (virtualKey) {
    case kVkBack:
      return {K::kBackspace};
    case kVkTab:
      return {K::kTab};
    case kVkReturn:
      return {K::kEnter};
    case kVkEscape:
      return {K::kEscape};
    case kVkEnd:
      return {K::kEnd};
    case kVkHome:
      return {K::kHome};
    case kVkLeft:
      return {K::kLeft};
    case kVkUp:
      return {K::kUp};
    case kVkRight:
      return {K::kRight};
    case kVkDown:
      return {K::kDown};
    case kVkDelete:
      return {K::kDelete};
    default:
      return {};
  }
}

void LineEditor::begin() {
  line_.clear();
  cursor_ = 0;
  draft_.clear();
  recalled_ = history_.size();
  choices_.clear();
}

LineEditor::Status LineEditor::press(const Key& key) {
  using K = Key::Kind;
  switch (key.kind) {
    case K::kChar:
      insert(std::u32string(1, key.ch));
      break;
    case K::kEnter:
      cursor_ = line_.size();
      return Status::kDone;
    case K::kCancel:
      return Status::kCancelled;
    case K::kEndOfInput:
      if (line_.empty()) return Status::kEnded;
      if (key.ch == 4 && cursor_ < line_.size()) line_.erase(cursor_, 1);
      break;
    case K::kBackspace:
      if (cursor_ > 0) line_.erase(--cursor_, 1);
      break;
    case K::kDelete:
      if (cursor_ < line_.size()) line_.erase(cursor_, 1);
      break;
    case K::kLeft:
      if (cursor_ > 0) --cursor_;
      break;
    case K::kRight:
      if (cursor_ < line_.size()) ++cursor_;
      break;
    case K::kHome:
      cursor_ = 0;
      break;
    case K::kEnd:
      cursor_ = line_.size();
      break;
    case K::kUp:
      if (recalled_ > 0) recall(recalled_ - 1);
      break;
    case K::kDown:
      if (recalled_ < history_.size()) recall(recalled_ + 1);
      break;
    case K::kTab:
      complete();
      break;
    case K::kEscape:
      line_.clear();
      cursor_ = 0;
      break;
    case K::kNone:
      break;
  }
  return Status::kEditing;
}

void LineEditor::insert(const std::u32string& text) {
  std::size_t room = kMaxLine - std::min(kMaxLine, line_.size());
  std::size_t taken = std::min(room, text.size());
  line_.insert(cursor_, text, 0, taken);
  cursor_ += taken;
}

// Shows history entry `index` (history_.size(): the draft). Changes to a recalled line are the
// line's own: the history keeps what was entered.
void LineEditor::recall(std::size_t index) {
  if (recalled_ == history_.size()) draft_ = line_;
  recalled_ = index;
  line_ = index == history_.size() ? draft_ : history_[index];
  cursor_ = line_.size();
}

void LineEditor::remember(const std::u32string& line) {
  if (line.empty() || line.size() > kMaxLine || (!history_.empty() && history_.back() == line)) {
    return;
  }
  history_.push_back(line);
  if (history_.size() > kMaxHistory) history_.pop_front();
  recalled_ = history_.size();
}

// The word before the cursor is a path: the group before its last separator, the start of a
// name after it. The start is extended as far as every matching name agrees.
void LineEditor::complete() {
  choices_.clear();
  if (!names_ || insideText(line_, cursor_)) return;
  std::size_t start = cursor_;
  while (start > 0 && (isNameChar(line_[start - 1]) || isPathSeparator(line_[start - 1]))) --start;
  std::size_t nameStart = cursor_;
  while (nameStart > start && !isPathSeparator(line_[nameStart - 1])) --nameStart;
  std::u32string group = line_.substr(start, nameStart == start ? 0 : nameStart - 1 - start);
  std::u32string typed = line_.substr(nameStart, cursor_ - nameStart);
  if (nameStart == start && typed.empty()) return;

  std::vector<std::u32string> matches;
  for (std::u32string& name : names_(group)) {
    if (name.compare(0, typed.size(), typed) == 0 &&
        std::find(matches.begin(), matches.end(), name) == matches.end()) {
      matches.push_back(std::move(name));
    }
  }
  if (matches.empty()) return;
  std::sort(matches.begin(), matches.end());
  std::size_t common = matches.front().size();
  for (const std::u32string& match : matches) {
    std::size_t same = 0;
    while (same < common && same < match.size() && match[same] == matches.front()[same]) ++same;
    common = same;
  }
  if (common > typed.size()) insert(matches.front().substr(typed.size(), common - typed.size()));
  if (matches.size() > 1) choices_ = std::move(matches);
}

ShownPart shownPart(const std::u32string& line, std::size_t cursor, std::size_t width,
                    std::size_t& first) {
  width = std::max<std::size_t>(width, 1);
  cursor = std::min(cursor, line.size());
  // As much of the line as fits, once it has got shorter; then wherever the cursor went.
  first = std::min(first, line.size() >= width - 1 ? line.size() - (width - 1) : 0);
  if (cursor < first) first = cursor;
  if (cursor - first > width - 1) first = cursor - (width - 1);
  return {line.substr(first, width), cursor - first};
}

std::u32string redrawText(const std::u32string& before, std::size_t beforeCursor,
                          const std::u32string& after, std::size_t afterCursor) {
  std::size_t same = 0;
  while (same < before.size() && same < after.size() && before[same] == after[same]) ++same;
  std::u32string out;
  std::size_t at = beforeCursor;
  if (at > same) {
    out.append(at - same, U'\b');
  } else {
    out.append(after, at, same - at);  // over characters that stay: write them again
  }
  out.append(after, same, std::u32string::npos);
  at = after.size();
  if (before.size() > after.size()) {
    out.append(before.size() - after.size(), U' ');
    at = before.size();
  }
  out.append(at - afterCursor, U'\b');
  return out;
}

std::u16string toUtf16(const std::u32string& text) {
  std::u16string out;
  out.reserve(text.size());
  for (char32_t c : text) {
    if (c >= 0x10000 && c <= 0x10FFFF) {
      c -= 0x10000;
      out += static_cast<char16_t>(0xD800 + (c >> 10));
      out += static_cast<char16_t>(0xDC00 + (c & 0x3FF));
    } else {
      out += (c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF ? u'\uFFFD' : static_cast<char16_t>(c);
    }
  }
  return out;
}

std::u32string fromUtf16(const std::u16string& text) {
  std::u32string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    char16_t c = text[i];
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
        text[i + 1] <= 0xDFFF) {
      out += 0x10000 + ((static_cast<char32_t>(c) - 0xD800) << 10) + (text[i + 1] - 0xDC00);
      ++i;
    } else {
      out += c >= 0xD800 && c <= 0xDFFF ? U'\uFFFD' : static_cast<char32_t>(c);
    }
  }
  return out;
}

}  // namespace quenda::console
