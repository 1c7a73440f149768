#include "lang/error.h"

namespace quenda::lang {

std::string describe(const Error& error) {
  std::string place = error.source;
  if (error.line > 0) {
    if (!place.empty()) place += ", ";
    place += "line " + std::to_string(error.line) + ", column " + std::to_string(error.column);
  }
  return place.empty() ? error.message : place + ": " + error.message;
}

}  // namespace quenda::lang
