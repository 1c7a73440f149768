// The error every stage of the language reports: a message and, where there is one, the place in
// the source (1-based line and column; 0 when the error has no place, such as a library error).
#pragma once

#include <string>

namespace quenda::lang {

struct Error {
  std::string message;
  std::string source;  // the file or other origin of the source text; "" when there is none
  int line = 0;
  int column = 0;
  // The parser sets this when the source ended inside an open construct, so a prompt can ask for
  // more lines instead of reporting the error.
  bool incomplete = false;
};

// "notes.qs, line 3, column 5: message"; the parts that are unknown are left out.
std::string describe(const Error& error);

}  // namespace quenda::lang
