// Feeds arbitrary text to the SQL parser: it must answer with a statement or
// a syntax error, never crash, overflow the stack or read out of bounds.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "dbengine/sql/parser.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view sql(reinterpret_cast<const char*>(data), size);
  dbengine::sql::ParseResult result = dbengine::sql::parse(sql);
  if (result.statement.has_value() == result.error.has_value()) __builtin_trap();
  if (result.error && result.error->offset > sql.size()) __builtin_trap();
  dbengine::sql::startsWithSelect(sql);
  return 0;
}
