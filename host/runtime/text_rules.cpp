// Number texts and the console colour markup.
#include <cstdint>
#include <optional>
#include <string>

#include "runtime/internal.h"

namespace quenda {

namespace {

struct Markup {
  std::string_view text;
  MarkupTag tag;
  std::string_view ansi;
};
constexpr Markup kMarkup[] = {
    // in the order of MarkupTag
    {"$cyan$", MarkupTag::kCyan, "\x1b[36m"},
    {"$gray$", MarkupTag::kGray, "\x1b[90m"},
    {"$n$", MarkupTag::kNormal, "\x1b[0m"},
};

std::string_view trimmed(std::string_view text) {
  auto space = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
  while (!text.empty() && space(text.front())) text.remove_prefix(1);
  while (!text.empty() && space(text.back())) text.remove_suffix(1);
  return text;
}

// Replaces each markup tag with its ANSI sequence, or with nothing.
std::string convert(std::string_view line, bool ansi) {
  std::string out;
  out.reserve(line.size());
  bool coloured = false;
  walkMarkup(
      line, [&](std::string_view text) { out.append(text); },
      [&](MarkupTag tag) {
        if (ansi) out.append(kMarkup[static_cast<int>(tag)].ansi);
        coloured = tag != MarkupTag::kNormal;
      });
  if (ansi && coloured) out.append("\x1b[0m");  // the next line starts in the normal colour
  return out;
}

}  // namespace

std::optional<std::int32_t> parseDecimal(std::string_view text) {
  bool negative = !text.empty() && text.front() == '-';
  if (negative) text.remove_prefix(1);
  if (text.empty()) return std::nullopt;
  std::int64_t value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
    if (value > std::int64_t{INT32_MAX} + 1) return std::nullopt;
  }
  if (negative) value = -value;
  if (value > INT32_MAX || value < INT32_MIN) return std::nullopt;
  return static_cast<std::int32_t>(value);
}

std::int32_t decimalValue(std::string_view text) {
  return parseDecimal(trimmed(text)).value_or(0);
}

void walkMarkup(std::string_view line, const std::function<void(std::string_view)>& text,
                const std::function<void(MarkupTag)>& tag) {
  std::size_t start = 0;
  for (std::size_t i = 0; i < line.size();) {
    const Markup* hit = nullptr;
    if (line[i] == '$')
      for (const Markup& m : kMarkup)
        if (line.substr(i, m.text.size()) == m.text) hit = &m;
    if (!hit) {
      ++i;
      continue;
    }
    if (i > start) text(line.substr(start, i - start));
    tag(hit->tag);
    i += hit->text.size();
    start = i;
  }
  if (start < line.size()) text(line.substr(start));
}

std::string stripMarkup(std::string_view line) {
  return convert(line, false);
}

std::string ansiMarkup(std::string_view line) {
  return convert(line, true);
}

}  // namespace quenda
