// The lexer: tokens, raw text literals, numbers, line ends and every lexical error.
#include <gtest/gtest.h>

#include "lang/lexer.h"

namespace quenda::lang {
namespace {

std::vector<TokenKind> kindsOf(std::string_view source) {
  LexResult result = tokenize(source);
  EXPECT_TRUE(result.ok) << result.error.message;
  std::vector<TokenKind> kinds;
  for (const Token& token : result.tokens) kinds.push_back(token.kind);
  return kinds;
}

Error lexError(std::string_view source) {
  LexResult result = tokenize(source);
  EXPECT_FALSE(result.ok) << "no error for: " << source;
  EXPECT_TRUE(result.tokens.empty());
  return result.error;
}

TEST(LangLexer, TextLiteralsAreRawAndBackslashesStaySingle) {
  LexResult result = tokenize(R"(t = "C:\work\" + "a\nb")");
  ASSERT_TRUE(result.ok);
  ASSERT_EQ(result.tokens.size(), 6u);
  EXPECT_EQ(result.tokens[2].kind, TokenKind::kText);
  EXPECT_EQ(result.tokens[2].text, "C:\\work\\");
  EXPECT_EQ(result.tokens[4].text, "a\\nb");
  EXPECT_EQ(result.tokens[5].kind, TokenKind::kEnd);
}

TEST(LangLexer, PathsAndMembersAreSeparateTokens) {
  EXPECT_EQ(kindsOf("main\\hello job\\backup\\refresh f.rename args:count"),
            (std::vector<TokenKind>{TokenKind::kName, TokenKind::kBackslash, TokenKind::kName,
                                    TokenKind::kName, TokenKind::kBackslash, TokenKind::kName,
                                    TokenKind::kBackslash, TokenKind::kName, TokenKind::kName,
                                    TokenKind::kDot, TokenKind::kName, TokenKind::kName,
                                    TokenKind::kColon, TokenKind::kName, TokenKind::kEnd}));
}

TEST(LangLexer, LineEndsOfEveryKindCountLines) {
  LexResult result = tokenize("a\r\nb\rc\nd");
  ASSERT_TRUE(result.ok);
  std::vector<int> lines;
  for (const Token& token : result.tokens) {
    if (token.kind == TokenKind::kName) lines.push_back(token.line);
  }
  EXPECT_EQ(lines, (std::vector<int>{1, 2, 3, 4}));
  EXPECT_EQ(kindsOf("a\r\nb"), (std::vector<TokenKind>{TokenKind::kName, TokenKind::kNewline,
                                                       TokenKind::kName, TokenKind::kEnd}));
}

TEST(LangLexer, CommentsRunToTheEndOfTheLineOnly) {
  LexResult result = tokenize("x // a \"quote and \\ things\ny / z");
  ASSERT_TRUE(result.ok);
  ASSERT_EQ(result.tokens.size(), 6u);
  EXPECT_EQ(result.tokens[1].kind, TokenKind::kNewline);
  EXPECT_EQ(result.tokens[3].kind, TokenKind::kSlash);  // one slash is division
  EXPECT_EQ(result.tokens[4].column, 5);
}

TEST(LangLexer, TwoCharacterOperatorsWin) {
  EXPECT_EQ(kindsOf("== != <= >= && || = ! < >"),
            (std::vector<TokenKind>{TokenKind::kEqual, TokenKind::kNotEqual, TokenKind::kLessEqual,
                                    TokenKind::kGreaterEqual, TokenKind::kAnd, TokenKind::kOr,
                                    TokenKind::kAssign, TokenKind::kNot, TokenKind::kLess,
                                    TokenKind::kGreater, TokenKind::kEnd}));
}

TEST(LangLexer, NumbersUpToTwoToTheThirtyFirst) {
  LexResult result = tokenize("0 2147483647 2147483648");
  ASSERT_TRUE(result.ok);
  EXPECT_EQ(result.tokens[0].number, 0);
  EXPECT_EQ(result.tokens[1].number, 2147483647);
  EXPECT_EQ(result.tokens[2].number, 2147483648LL);  // only valid after a minus sign

  Error big = lexError("x = 2147483649");
  EXPECT_NE(big.message.find("out of range"), std::string::npos);
  EXPECT_EQ(big.line, 1);
  EXPECT_EQ(big.column, 5);
  // Very long digit strings neither overflow nor produce huge messages.
  Error huge = lexError(std::string(5000, '9'));
  EXPECT_LT(huge.message.size(), 120u);
}

TEST(LangLexer, ErrorsCarryLineAndColumn) {
  Error unterminated = lexError("x\n  print(\"abc");
  EXPECT_EQ(unterminated.line, 2);
  EXPECT_EQ(unterminated.column, 9);
  EXPECT_NE(unterminated.message.find("unterminated text"), std::string::npos);

  // A literal ends on its own line: a line break inside is the same error.
  Error broken = lexError("\"abc\ndef\"");
  EXPECT_EQ(broken.line, 1);
  EXPECT_NE(broken.message.find("unterminated text"), std::string::npos);

  Error number = lexError("12ab");
  EXPECT_NE(number.message.find("invalid number '12ab'"), std::string::npos);

  Error character = lexError("a # b");
  EXPECT_EQ(character.column, 3);
  EXPECT_NE(character.message.find("'#'"), std::string::npos);

  Error control = lexError(std::string("a \x01"));
  EXPECT_NE(control.message.find("0x01"), std::string::npos);

  Error nul = lexError(std::string("\"a\0b\"", 5));
  EXPECT_NE(nul.message.find("NUL"), std::string::npos);
}

TEST(LangLexer, HugeLiteralIsKeptWholeButShortInMessages) {
  std::string content(100000, 'x');
  LexResult result = tokenize("\"" + content + "\"");
  ASSERT_TRUE(result.ok);
  EXPECT_EQ(result.tokens[0].text, content);
  EXPECT_LT(describe(result.tokens[0]).size(), 60u);

  Error error = lexError("\"" + content);
  EXPECT_LT(error.message.size(), 120u);
}

TEST(LangLexer, EightBitCharactersAreFineInsideTexts) {
  LexResult result = tokenize("\"caf\xe9 \xff\"");
  ASSERT_TRUE(result.ok);
  EXPECT_EQ(result.tokens[0].text, "caf\xe9 \xff");
  EXPECT_FALSE(tokenize("caf\xe9").ok);
}

}  // namespace
}  // namespace quenda::lang
