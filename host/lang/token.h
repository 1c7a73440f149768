// Tokens of the script language.
#pragma once

#include <cstdint>
#include <string>

namespace quenda::lang {

enum class TokenKind {
  kName,
  kNumber,  // digits only; the sign is a separate token
  kText,
  kNewline,
  kSemicolon,
  kComma,
  kDot,
  kBackslash,
  kColon,
  kLeftParen,
  kRightParen,
  kLeftBrace,
  kRightBrace,
  kAssign,
  kPlus,
  kMinus,
  kStar,
  kSlash,
  kPercent,
  kEqual,
  kNotEqual,
  kLess,
  kLessEqual,
  kGreater,
  kGreaterEqual,
  kNot,
  kAnd,
  kOr,
  kEnd,
};

struct Token {
  TokenKind kind = TokenKind::kEnd;
  std::string text;         // the name, the digits, or the text literal's content
  std::int64_t number = 0;  // kNumber: the value of the digits, at most 2^31
  int line = 1;
  int column = 1;
};

// How a token is named in an error message: "name 'foo'", "')'", "end of line".
std::string describe(const Token& token);

}  // namespace quenda::lang
