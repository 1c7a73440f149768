#include "lang/lexer.h"

#include <cstdio>

namespace quenda::lang {
namespace {

// Texts in messages are cut so that a huge literal does not make a huge message.
constexpr std::size_t kShownLength = 24;

std::string shown(const std::string& text) {
  if (text.size() <= kShownLength) return text;
  std::string cut;
  cut.reserve(kShownLength + 3);
  cut.append(text.data(), kShownLength).append("...", 3);
  return cut;
}

bool isNameStart(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_';
}
bool isDigit(char c) {
  return c >= '0' && c <= '9';
}
bool isNamePart(char c) {
  return isNameStart(c) || isDigit(c);
}

std::string characterName(char c) {
  unsigned char u = static_cast<unsigned char>(c);
  if (u >= 0x21 && u < 0x7f) return std::string("'") + c + "'";
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "0x%02X", u);
  return std::string("character ") + buffer;
}

class Lexer {
 public:
  explicit Lexer(std::string_view source) : source_(source) {}

  LexResult run() {
    LexResult result;
    while (true) {
      skipBlanksAndComments();
      if (at_ >= source_.size()) {
        result.tokens.push_back(make(TokenKind::kEnd, line_, column_));
        return result;
      }
      if (!scanToken(result.tokens)) {
        result.ok = false;
        result.error = error_;
        result.tokens.clear();
        return result;
      }
    }
  }

 private:
  char peek(std::size_t ahead = 0) const {
    return at_ + ahead < source_.size() ? source_[at_ + ahead] : '\0';
  }
  bool atEnd(std::size_t ahead = 0) const { return at_ + ahead >= source_.size(); }

  void advance(std::size_t count = 1) {
    at_ += count;
    column_ += static_cast<int>(count);
  }

  Token make(TokenKind kind, int line, int column, std::string text = {}) const {
    Token token;
    token.kind = kind;
    token.line = line;
    token.column = column;
    token.text = std::move(text);
    return token;
  }

  bool fail(const std::string& message, int line, int column) {
    error_.message = message;
    error_.line = line;
    error_.column = column;
    return false;
  }

  void skipBlanksAndComments() {
    while (!atEnd()) {
      char c = peek();
      if (c == ' ' || c == '\t' || c == '\f' || c == '\v') {
        advance();
      } else if (c == '/' && peek(1) == '/') {
        while (!atEnd() && peek() != '\n' && peek() != '\r') advance();
      } else {
        return;
      }
    }
  }

  bool scanToken(std::vector<Token>& tokens) {
    const int line = line_;
    const int column = column_;
    const char c = peek();

    if (c == '\n' || c == '\r') {
      advance(c == '\r' && peek(1) == '\n' ? 2 : 1);
      tokens.push_back(make(TokenKind::kNewline, line, column));
      ++line_;
      column_ = 1;
      return true;
    }
    if (c == '"') return scanText(tokens, line, column);
    if (isDigit(c)) return scanNumber(tokens, line, column);
    if (isNameStart(c)) {
      std::size_t start = at_;
      while (!atEnd() && isNamePart(peek())) advance();
      tokens.push_back(
          make(TokenKind::kName, line, column, std::string(source_.substr(start, at_ - start))));
      return true;
    }

    struct Symbol {
      const char* spelling;
      TokenKind kind;
    };
    // Two-character symbols first, so "==" is not read as two "=".
    static constexpr Symbol kSymbols[] = {
        {"==", TokenKind::kEqual},     {"!=", TokenKind::kNotEqual},
        {"<=", TokenKind::kLessEqual}, {">=", TokenKind::kGreaterEqual},
        {"&&", TokenKind::kAnd},       {"||", TokenKind::kOr},
        {";", TokenKind::kSemicolon},  {",", TokenKind::kComma},
        {".", TokenKind::kDot},        {"\\", TokenKind::kBackslash},
        {":", TokenKind::kColon},      {"(", TokenKind::kLeftParen},
        {")", TokenKind::kRightParen}, {"{", TokenKind::kLeftBrace},
        {"}", TokenKind::kRightBrace}, {"=", TokenKind::kAssign},
        {"+", TokenKind::kPlus},       {"-", TokenKind::kMinus},
        {"*", TokenKind::kStar},       {"/", TokenKind::kSlash},
        {"%", TokenKind::kPercent},    {"<", TokenKind::kLess},
        {">", TokenKind::kGreater},    {"!", TokenKind::kNot},
    };
    for (const Symbol& symbol : kSymbols) {
      std::string_view spelling(symbol.spelling);
      if (source_.substr(at_, spelling.size()) == spelling) {
        advance(spelling.size());
        tokens.push_back(make(symbol.kind, line, column, std::string(spelling)));
        return true;
      }
    }
    return fail("unexpected " + characterName(c), line, column);
  }

  // A literal is raw: everything up to the next double quote on the same line.
  bool scanText(std::vector<Token>& tokens, int line, int column) {
    advance();
    std::size_t start = at_;
    while (!atEnd() && peek() != '"') {
      char c = peek();
      if (c == '\n' || c == '\r') break;
      if (c == '\0') return fail("a text cannot hold a NUL character", line_, column_);
      advance();
    }
    if (atEnd() || peek() != '"') {
      std::string content(source_.substr(start, at_ - start));
      return fail("unterminated text \"" + shown(content) + "\" (a text ends on its own line)",
                  line, column);
    }
    std::string content(source_.substr(start, at_ - start));
    advance();
    tokens.push_back(make(TokenKind::kText, line, column, std::move(content)));
    return true;
  }

  bool scanNumber(std::vector<Token>& tokens, int line, int column) {
    std::size_t start = at_;
    std::int64_t value = 0;
    bool tooLarge = false;
    while (!atEnd() && isDigit(peek())) {
      value = value * 10 + (peek() - '0');
      // 2^31 is kept so that the parser can accept -2147483648.
      if (value > 2147483648LL) {
        tooLarge = true;
        value = 2147483648LL;
      }
      advance();
    }
    if (!atEnd() && isNameStart(peek())) {
      while (!atEnd() && isNamePart(peek())) advance();
      return fail("invalid number '" + shown(std::string(source_.substr(start, at_ - start))) + "'",
                  line, column);
    }
    std::string digits(source_.substr(start, at_ - start));
    if (tooLarge) {
      return fail("number " + shown(digits) + " is out of range (numbers are 32-bit)", line,
                  column);
    }
    Token token = make(TokenKind::kNumber, line, column, std::move(digits));
    token.number = value;
    tokens.push_back(std::move(token));
    return true;
  }

  std::string_view source_;
  std::size_t at_ = 0;
  int line_ = 1;
  int column_ = 1;
  Error error_;
};

}  // namespace

LexResult tokenize(std::string_view source) {
  return Lexer(source).run();
}

std::string describe(const Token& token) {
  switch (token.kind) {
    case TokenKind::kName:
      return "name '" + shown(token.text) + "'";
    case TokenKind::kNumber:
      return "number " + token.text;
    case TokenKind::kText:
      return "text \"" + shown(token.text) + "\"";
    case TokenKind::kNewline:
      return "end of line";
    case TokenKind::kEnd:
      return "end of input";
    default:
      return "'" + token.text + "'";
  }
}

}  // namespace quenda::lang
