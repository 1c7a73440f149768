// A command line split as a started program's start-up code splits it, for tests that check
// what a program receives.
#pragma once

#include <algorithm>
#include <string>
#include <vector>

// The program up to its closing quote (or first blank), then the arguments: separated by blanks
// and tabs outside quotes; 2n backslashes before a quote give n and the quote opens or closes a
// quoted part, 2n + 1 give n and a quote of the text; other backslashes are kept.
inline std::vector<std::string> splitCommandLine(const std::string& line) {
  std::vector<std::string> out;
  const std::size_t n = line.size();
  std::size_t i = 0;
  if (!line.empty() && line[0] == '"') {
    std::size_t close = line.find('"', 1);
    out.push_back(line.substr(1, close == std::string::npos ? std::string::npos : close - 1));
    i = close == std::string::npos ? n : close + 1;
  } else {
    i = std::min(line.find_first_of(" \t"), n);
    out.push_back(line.substr(0, i));
  }
  for (;;) {
    while (i < n && (line[i] == ' ' || line[i] == '\t')) ++i;
    if (i >= n) break;
    std::string arg;
    bool quoted = false;
    for (; i < n; ++i) {
      char c = line[i];
      if (c == '\\') {
        std::size_t end = std::min(line.find_first_not_of('\\', i), n);
        std::size_t count = end - i;
        bool beforeQuote = end < n && line[end] == '"';
        arg.append(beforeQuote ? count / 2 : count, '\\');
        if (beforeQuote && count % 2) {
          arg += '"';
          i = end;
        } else {
          i = end - 1;
        }
      } else if (c == '"') {
        quoted = !quoted;
      } else if (!quoted && (c == ' ' || c == '\t')) {
        break;
      } else {
        arg += c;
      }
    }
    out.push_back(arg);
  }
  return out;
}
