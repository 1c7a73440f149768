#include "joined_text.h"

namespace zorvel {

bool joinText(TextVar& out, std::initializer_list<const char*> pieces) {
  std::size_t total = 0;
  out.assign("");
  for (const char* piece : pieces) {
    total += textLength(piece);
    out.append(piece);
  }
  if (out.present() && out.size() == total) return true;
  out.clear();
  return false;
}

}  // namespace zorvel
