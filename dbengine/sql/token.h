#pragma once
// The tokens of the SQL dialect, all in one table. Keywords are recognised
// without regard to letter case; every other word is a name.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace dbengine::sql {

// X(enumerator, text shown in error messages, keyword spelling or nullptr)
#define SPURLIX_SQL_TOKENS(X)                        \
  X(kEnd, "das Ende der Anweisung", nullptr)         \
  X(kName, "ein Name", nullptr)                      \
  X(kText, "ein Text in Anführungszeichen", nullptr) \
  X(kNumber, "eine Zahl", nullptr)                   \
  X(kDate, "ein Datum zwischen #", nullptr)          \
  X(kComma, "','", nullptr)                          \
  X(kDot, "'.'", nullptr)                            \
  X(kSemicolon, "';'", nullptr)                      \
  X(kLeftParen, "'('", nullptr)                      \
  X(kRightParen, "')'", nullptr)                     \
  X(kStar, "'*'", nullptr)                           \
  X(kMinus, "'-'", nullptr)                          \
  X(kEqual, "'='", nullptr)                          \
  X(kNotEqual, "'<>'", nullptr)                      \
  X(kLess, "'<'", nullptr)                           \
  X(kLessEqual, "'<='", nullptr)                     \
  X(kGreater, "'>'", nullptr)                        \
  X(kGreaterEqual, "'>='", nullptr)                  \
  X(kSelect, "SELECT", "SELECT")                     \
  X(kFrom, "FROM", "FROM")                           \
  X(kWhere, "WHERE", "WHERE")                        \
  X(kAnd, "AND", "AND")                              \
  X(kOr, "OR", "OR")                                 \
  X(kNot, "NOT", "NOT")                              \
  X(kLike, "LIKE", "LIKE")                           \
  X(kIs, "IS", "IS")                                 \
  X(kNull, "NULL", "NULL")                           \
  X(kCount, "COUNT", "COUNT")                        \
  X(kAs, "AS", "AS")

enum class TokenType {
#define SPURLIX_SQL_TOKEN_ENUM(name, description, keyword) name,
  SPURLIX_SQL_TOKENS(SPURLIX_SQL_TOKEN_ENUM)
#undef SPURLIX_SQL_TOKEN_ENUM
};

struct Token {
  TokenType type = TokenType::kEnd;
  // kName: the name without brackets; kText: the text without quotes, doubled
  // quotes made single; kNumber, kDate: the characters as written (a date
  // without its #); otherwise the characters as written.
  std::string text;
  std::size_t offset = 0;  // byte offset of the token's first character in the SQL text
  std::size_t length = 0;  // bytes the token covers in the SQL text
  bool bracketed = false;  // kName written as [name]
};

// How error messages name a token type ("'('", "das Ende der Anweisung", "LIKE").
std::string_view describe(TokenType type);

// The keyword a bare word spells (letter case ignored), or nullopt for a name.
std::optional<TokenType> keywordFor(std::string_view word);

}  // namespace dbengine::sql
