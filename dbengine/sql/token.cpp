#include "dbengine/sql/token.h"

#include <array>

namespace dbengine::sql {
namespace {

struct TokenInfo {
  TokenType type;
  std::string_view description;
  const char* keyword;
};

constexpr std::array kTokenTable{
#define SPURLIX_SQL_TOKEN_INFO(name, description, keyword) \
  TokenInfo{TokenType::name, description, keyword},
    SPURLIX_SQL_TOKENS(SPURLIX_SQL_TOKEN_INFO)
#undef SPURLIX_SQL_TOKEN_INFO
};

bool equalsIgnoringAsciiCase(std::string_view word, std::string_view upperKeyword) {
  if (word.size() != upperKeyword.size()) return false;
  for (std::size_t i = 0; i < word.size(); ++i) {
    char c = word[i];
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    if (c != upperKeyword[i]) return false;
  }
  return true;
}

}  // namespace

std::string_view describe(TokenType type) {
  return kTokenTable[static_cast<std::size_t>(type)].description;
}

std::optional<TokenType> keywordFor(std::string_view word) {
  for (const TokenInfo& info : kTokenTable) {
    if (info.keyword != nullptr && equalsIgnoringAsciiCase(word, info.keyword)) return info.type;
  }
  return std::nullopt;
}

}  // namespace dbengine::sql
