// The syntax tree of the script language. Nodes own their children; function bodies are shared,
// because a defined function outlives the script text that defined it.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace quenda::lang {

struct Expr;
struct Stmt;
using ExprPtr = std::unique_ptr<Expr>;
using StmtPtr = std::unique_ptr<Stmt>;
using Block = std::vector<StmtPtr>;

enum class ExprKind {
  kNumber,     // number
  kText,       // text
  kName,       // name: a local variable, a builtin, or a member of the root
  kMember,     // base . name  or  base \ name
  kCall,       // callee ( arguments )
  kArgsCount,  // args:count
  kPop,        // pop
  kUnary,      // op operand
  kBinary,     // left op right
};

enum class Operator {
  kAdd,
  kSubtract,
  kMultiply,
  kDivide,
  kRemainder,
  kEqual,
  kNotEqual,
  kLess,
  kLessEqual,
  kGreater,
  kGreaterEqual,
  kAnd,
  kOr,
  kNegate,
  kNot,
};

struct Expr {
  ExprKind kind;
  int line = 0;
  int column = 0;
  int depth = 1;            // height of the subtree, bounded by the parser
  std::int32_t number = 0;  // kNumber
  std::string text;         // kText: the literal; kName and kMember: the name
  bool backslash = false;   // kMember: written with "\" rather than "."
  Operator op = Operator::kAdd;
  ExprPtr base;                    // kMember: the left side; kCall: the callee; kUnary: the operand
  ExprPtr right;                   // kBinary: the right side (the left side is `base`)
  std::vector<ExprPtr> arguments;  // kCall
};

// A defined function: its parameter names and its body.
struct Function {
  std::string name;  // the path as written, for messages
  std::vector<std::string> parameters;
  Block body;
};

enum class StmtKind {
  kExpression,  // expression
  kDeclare,     // type name [ = value | ( arguments ) ]
  kAssign,      // target = value
  kDefine,      // path ( parameters ) { body }
  kIf,          // if ( condition ) block { else if ( condition ) block } [ else block ]
  kReturn,      // return [ value ]
};

enum class Initializer { kNone, kAssign, kArguments };

// One arm of an if statement: the first runs when its condition holds, else the next is tried.
struct Arm {
  ExprPtr condition;
  Block body;
};

struct Stmt {
  StmtKind kind;
  int line = 0;
  int column = 0;
  ExprPtr value;         // kExpression, kAssign and kDeclare (with kAssign): the value;
                         // kReturn: the result or null
  ExprPtr target;        // kAssign
  std::string typeName;  // kDeclare
  std::string name;      // kDeclare
  Initializer initializer = Initializer::kNone;  // kDeclare
  std::vector<ExprPtr> arguments;                // kDeclare with kArguments
  std::vector<std::string> path;  // kDefine: the parts of the path, "main" included if written
  std::shared_ptr<const Function> function;  // kDefine
  // kIf: "if" and each "else if" in order, then the final else. A chain is flat, so its length
  // costs no depth in the parser, the evaluator or the tree's destruction.
  std::vector<Arm> arms;
  Block elseBlock;
};

struct Script {
  Block statements;
};

}  // namespace quenda::lang
