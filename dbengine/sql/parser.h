#pragma once
// The recursive-descent parser of the dialect, one method per rule:
//
//   statement  := SELECT selectList FROM table [WHERE orExpr] [";"] end
//   selectList := "*" | selectItem ("," selectItem)*
//   selectItem := (COUNT "(" ("*" | column) ")" | column) [AS name]
//   column     := name ["." name]
//   table      := name ["." name]
//   orExpr     := andExpr (OR andExpr)*
//   andExpr    := notExpr (AND notExpr)*
//   notExpr    := NOT notExpr | predicate
//   predicate  := "(" orExpr ")"
//               | operand compareOp operand
//               | operand [NOT] LIKE text
//               | operand IS [NOT] NULL
//   operand    := column | text | ["-"] number | date
//
// Nesting of parentheses and NOT is limited to kMaxNesting levels, so no input
// can exhaust the stack; deeper input is a syntax error.

#include <optional>
#include <string_view>

#include "dbengine/sql/syntax_error.h"
#include "dbengine/sql/syntax_tree.h"

namespace dbengine::sql {

inline constexpr int kMaxNesting = 100;

struct ParseResult {
  std::optional<Statement> statement;  // set on success
  std::optional<SyntaxError> error;    // set on failure
};

// Parses one statement. Never throws for any input (allocation failure aside).
ParseResult parse(std::string_view sql);

// True when the text's first word is SELECT: an SQL text, not a table name.
bool startsWithSelect(std::string_view text);

}  // namespace dbengine::sql
