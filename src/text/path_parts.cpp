#include "path_parts.h"

namespace zorvel {
namespace {

bool isSeparator(char c) {
  return c == '\\' || c == '/';
}

// Where a path's text begins: behind one leading double quote.
std::size_t pathStart(const char* text) {
  return text[0] == '"' ? 1 : 0;
}

// The length of text up to its first double quote or its end.
std::size_t untilQuote(const char* text) {
  std::size_t n = 0;
  while (text[n] && text[n] != '"') ++n;
  return n;
}

}  // namespace

void directoryPart(const char* path, TextVar& out) {
  const char* text = path ? path : "";
  std::size_t start = pathStart(text);
  std::size_t end = 0;  // just behind the last separator met before the first "|"
  for (std::size_t i = 0; text[i] && text[i] != '|'; ++i) {
    if (isSeparator(text[i])) end = i + 1;
  }
  if (end <= start) {
    out.assign("");
    return;
  }
  out.assign(text + start, end - start);
}

void fileNamePart(const char* path, TextVar& out) {
  const char* text = path ? path : "";
  std::size_t start = pathStart(text);
  for (std::size_t i = 0; text[i]; ++i) {
    if (isSeparator(text[i])) start = i + 1;
  }
  out.assign(text + start, untilQuote(text + start));
}

void extensionPart(const char* path, TextVar& out) {
  const char* text = path ? path : "";
  std::size_t i = textLength(text);
  while (i > 0) {
    --i;
    if (isSeparator(text[i])) break;
    if (text[i] == '.') {
      const char* extension = text + i + 1;
      out.assign(extension, untilQuote(extension));
      return;
    }
  }
  out.assign("");
}

}  // namespace zorvel
