// Recursive-descent parser of the script language: one function per grammar rule.
//
//   script      := { [ statement ] ( newline | ";" ) } end
//   statement   := ifStatement | returnStatement | declaration | definition | assignment
//                | expression
//   ifStatement := "if" "(" expression ")" body { "else" "if" "(" expression ")" body }
//                  [ "else" body ]
//   body        := block | statement
//   block       := "{" { [ statement ] ( newline | ";" ) } "}"
//   returnStatement := "return" [ expression ]
//   declaration := name name [ "=" expression | "(" [ arguments ] ")" ]
//   definition  := path "(" [ name { "," name } ] ")" block
//   assignment  := postfix "=" expression
//   expression  := or
//   or          := and { "||" and }
//   and         := equality { "&&" equality }
//   equality    := comparison { ( "==" | "!=" ) comparison }
//   comparison  := additive { ( "<" | "<=" | ">" | ">=" ) additive }
//   additive    := multiplicative { ( "+" | "-" ) multiplicative }
//   multiplicative := unary { ( "*" | "/" | "%" ) unary }
//   unary       := ( "-" | "!" ) unary | postfix
//   postfix     := primary { ( "." | "\" ) name | "(" [ arguments ] ")" }
//   arguments   := expression { "," expression }
//   primary     := number | text | "pop" | "args" ":" "count" | name | "(" expression ")"
//
// Nesting is bounded (kMaxNesting), so no input can exhaust the stack.
#pragma once

#include <memory>
#include <string_view>

#include "lang/ast.h"
#include "lang/error.h"

namespace quenda::lang {

constexpr int kMaxNesting = 100;          // brackets, blocks and prefix operators
constexpr int kMaxExpressionDepth = 256;  // height of an expression tree, chains included

struct ParseResult {
  std::unique_ptr<Script> script;  // null when there is an error
  Error error;
};

ParseResult parse(std::string_view source);

}  // namespace quenda::lang
