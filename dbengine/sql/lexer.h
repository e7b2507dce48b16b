#pragma once
// Splits an SQL text into tokens (see token.h).
//
// Names are bare words (letters, also non-ASCII ones, digits and "_", not
// starting with a digit) or any text in square brackets. Texts stand in single
// or double quotes; the quote is doubled to stand for itself ('O''Neil').
// Numbers are decimal with an optional fraction and exponent; dates stand
// between "#". Blanks, tabs and line breaks separate tokens.

#include <optional>
#include <string_view>
#include <vector>

#include "dbengine/sql/syntax_error.h"
#include "dbengine/sql/token.h"

namespace dbengine::sql {

struct LexResult {
  std::vector<Token> tokens;  // on success, always ending with one kEnd token
  std::optional<SyntaxError> error;
};

// Never throws for any input. Fails on an unterminated quote, bracket or date,
// an empty bracketed name and a character that starts no token.
LexResult tokenize(std::string_view sql);

}  // namespace dbengine::sql
