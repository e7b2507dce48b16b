#pragma once
// A syntax error of an SQL text, as a value: where it is and what was wrong.
// The object model turns it into the engine error the caller sees.

#include <cstddef>
#include <string>
#include <string_view>

#include "dbengine/storage/engine_error.h"

namespace dbengine::sql {

struct SyntaxError {
  std::size_t offset = 0;  // byte offset in the SQL text
  std::string message;     // German, e.g. "erwartet wird ')', gefunden: 'FROM'"
};

// The character number (1-based, counted in Unicode characters) of a byte
// offset in UTF-8 text.
std::size_t characterNumber(std::string_view text, std::size_t byteOffset);

// errc::kSyntaxError whose description quotes the SQL text and names the
// character number and the message.
EngineError toEngineError(std::string_view sql, const SyntaxError& error);

}  // namespace dbengine::sql
