#include "quote_argument.h"

#include <cstring>

#include "plugin/memory.h"

namespace zorvel {

bool appendQuotedArgument(TextVar& out, const char* argument) {
  if (!argument) argument = "";
  std::size_t length = std::strlen(argument);
  // Every character doubled at worst, and the two quotes.
  auto* quoted = static_cast<char*>(moduleAlloc(2 * length + 3));
  if (!quoted) return false;
  char* p = quoted;
  *p++ = '"';
  std::size_t backslashes = 0;
  for (const char* c = argument;; ++c) {
    if (*c == '\\') {
      ++backslashes;
      continue;
    }
    // Backslashes before a quote (one inside, or the closing one) are doubled; elsewhere they
    // are taken literally by the reader.
    std::size_t copies = (*c == '"' || *c == 0) ? 2 * backslashes : backslashes;
    std::memset(p, '\\', copies);
    p += copies;
    backslashes = 0;
    if (*c == 0) break;
    if (*c == '"') *p++ = '\\';
    *p++ = *c;
  }
  *p++ = '"';
  std::size_t quotedLength = static_cast<std::size_t>(p - quoted);
  std::size_t before = out.size();
  out.append(quoted, quotedLength);
  moduleFree(quoted);
  return out.size() == before + quotedLength;
}

}  // namespace zorvel
