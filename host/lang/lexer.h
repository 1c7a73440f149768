// Turns source text into tokens. Lines end at "\n", "\r\n" or a lone "\r".
#pragma once

#include <string_view>
#include <vector>

#include "lang/error.h"
#include "lang/token.h"

namespace quenda::lang {

struct LexResult {
  std::vector<Token> tokens;  // always ends with a kEnd token when there is no error
  bool ok = true;
  Error error;
};

LexResult tokenize(std::string_view source);

}  // namespace quenda::lang
