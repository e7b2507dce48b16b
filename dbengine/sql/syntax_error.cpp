#include "dbengine/sql/syntax_error.h"

#include <algorithm>

namespace dbengine::sql {

std::size_t characterNumber(std::string_view text, std::size_t byteOffset) {
  std::size_t end = std::min(byteOffset, text.size());
  std::size_t characters = 0;
  for (std::size_t i = 0; i < end; ++i) {
    // Continuation bytes of UTF-8 sequences do not start a character.
    if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) ++characters;
  }
  return characters + 1;
}

EngineError toEngineError(std::string_view sql, const SyntaxError& error) {
  std::string description = "Syntaxfehler in Abfrageausdruck '";
  description += sql;
  description += "' bei Zeichen ";
  description += std::to_string(characterNumber(sql, error.offset));
  description += ": ";
  description += error.message;
  description += ".";
  return EngineError(errc::kSyntaxError, std::move(description));
}

}  // namespace dbengine::sql
