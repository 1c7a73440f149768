// What a script file cannot hold: inputs huge or deep enough to test the language's bounds, and
// bytes that are no text (NUL, control characters, line ends of every kind).
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "lang/lexer.h"
#include "lang/parser.h"

namespace quenda::lang {
namespace {

using ::testing::HasSubstr;

Error syntaxError(std::string_view source) {
  ParseResult result = parse(source);
  EXPECT_FALSE(result.script) << "no error for: " << source.substr(0, 80);
  return result.error;
}

TEST(LangLimits, HugeLiteralsAndBytesThatAreNoText) {
  std::string content(100000, 'x');
  LexResult result = tokenize("\"" + content + "\"");
  ASSERT_TRUE(result.ok);
  EXPECT_EQ(result.tokens[0].text, content);
  EXPECT_LT(describe(result.tokens[0]).size(), 60u);
  EXPECT_LT(syntaxError("\"" + content).message.size(), 120u);
  // Very long digit strings neither overflow nor produce huge messages.
  EXPECT_LT(syntaxError(std::string(5000, '9')).message.size(), 120u);
  // Bytes that are no text, and line ends of every kind.
  EXPECT_THAT(syntaxError(std::string("a \x01")).message, HasSubstr("0x01"));
  EXPECT_THAT(syntaxError(std::string("\"a\0b\"", 5)).message, HasSubstr("NUL"));
  syntaxError("caf\xe9");  // outside a text
  LexResult eightBit = tokenize("\"caf\xe9 \xff\"");
  ASSERT_TRUE(eightBit.ok);
  EXPECT_EQ(eightBit.tokens[0].text, "caf\xe9 \xff");
  Error error = syntaxError("a\r\nb\rc\nd #");
  EXPECT_EQ(error.line, 4);
  EXPECT_EQ(error.column, 3);
}

TEST(LangLimits, DeepNestingIsRefusedNotOverflowed) {
  const std::pair<std::string, std::string> nestings[] = {
      {"x = ", "("}, {"x = ", "-"}, {"x = ", "!"}, {"", "if(1){"}, {"", "f(a){"}, {"x = ", "f("}};
  for (const auto& [prefix, opening] : nestings) {
    std::string source = prefix;
    for (int i = 0; i < 20000; ++i) source += opening;
    EXPECT_THAT(syntaxError(source).message, HasSubstr("nesting deeper than")) << opening;
  }
  // Long chains are flat in the source but tall as trees.
  for (const char* link : {"+1", ".b", "()"}) {
    std::string chain = "x = a";
    for (int i = 0; i < 20000; ++i) chain += link;
    EXPECT_THAT(syntaxError(chain).message, HasSubstr("expression nested deeper than")) << link;
  }
  // Within the bounds nesting works; many statements and a long else-if chain nest nothing.
  std::string fine = "x = " + std::string(50, '(') + "1" + std::string(50, ')');
  EXPECT_TRUE(parse(fine).script);
  std::string many;
  for (int i = 0; i < 20000; ++i) many += "x = 1\n";
  EXPECT_TRUE(parse(many).script);
  std::string chain = "if(0){ }";
  for (int i = 0; i < 2000; ++i) chain += "\nelse if(0){ }";
  EXPECT_TRUE(parse(chain + "\nelse { }").script);
}

}  // namespace
}  // namespace quenda::lang
