#include "lang/error.h"

namespace quenda::lang {

std::string describe(const Error& error) {
  std::string out = error.source;
  if (error.line > 0) {
    if (!out.empty()) out.append(", ");
    out.append("line ").append(std::to_string(error.line));
    out.append(", column ").append(std::to_string(error.column));
  }
  if (!out.empty()) out.append(": ");
  out.append(error.message);
  return out;
}

}  // namespace quenda::lang
