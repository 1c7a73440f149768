#include "joined_text.h"

#include <cstring>

namespace zorvel {

bool joinText(TextVar& out, std::initializer_list<const char*> pieces) {
  // Each piece is measured once: a listing joins a path for every entry.
  constexpr std::size_t kMeasured = 8;
  std::size_t lengths[kMeasured];
  std::size_t total = 0;
  std::size_t i = 0;
  for (const char* piece : pieces) {
    std::size_t n = textLength(piece);
    if (i < kMeasured) lengths[i] = n;
    ++i;
    total += n;
  }
  char* at = out.prepare(total);
  if (!at) {
    out.clear();
    return false;
  }
  i = 0;
  for (const char* piece : pieces) {
    std::size_t n = i < kMeasured ? lengths[i] : textLength(piece);
    ++i;
    if (n) std::memcpy(at, piece, n);
    at += n;
  }
  *at = 0;
  return true;
}

}  // namespace zorvel
