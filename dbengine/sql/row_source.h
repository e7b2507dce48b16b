#pragma once
// What a recordset reads its rows from; the SQL layer implements it for query
// results and whole tables.

#include <cstddef>
#include <string>

#include "dbengine/storage/value.h"

namespace dbengine {

class RowSource {
 public:
  virtual ~RowSource() = default;
  virtual int columnCount() const = 0;
  // 0 <= column < columnCount().
  virtual const std::string& columnName(int column) const = 0;
  virtual std::size_t rowCount() const = 0;
  // 0 <= row < rowCount(), 0 <= column < columnCount(). Decodes the value
  // from the table; throws EngineError for a damaged table or memo file.
  virtual dbengine::Value value(std::size_t row, int column) const = 0;
};

}  // namespace dbengine
