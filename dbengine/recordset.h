#pragma once
// The rows of a query or table. A recordset is materialised as the list of
// matching record numbers (heap grows with the hits, not with the table);
// values are decoded from the table only when a field is read.
//
// Position: right after opening on the first row (EOF when there is none).
// RecordCount: the exact number of rows at any time, 0 exactly when empty.
//
// After Close() every call throws errc::kObjectClosed. A recordset keeps its
// table readable by itself, so it stays usable after its Database is closed.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "dbengine/sql/row_source.h"
#include "dbengine/storage/value.h"

namespace dbengine {

class Recordset;

class Field {
 public:
  const std::string& Name() const { return name_; }
  // The value in the current row. Throws errc::kNoCurrentRecord at EOF.
  dbengine::Value Value() const;

 private:
  friend class Recordset;
  friend class Fields;
  Field(const Recordset* owner, int column, std::string name)
      : owner_(owner), column_(column), name_(std::move(name)) {}
  const Recordset* owner_;
  int column_;
  std::string name_;
};

class Fields {
 public:
  int Count() const;
  // By 0-based index or by name (letter case ignored). Throws errc::kItemNotFound.
  Field Item(int index) const;
  Field Item(std::string_view name) const;
  Field operator[](int index) const { return Item(index); }
  Field operator[](std::string_view name) const { return Item(name); }

 private:
  friend class Recordset;
  explicit Fields(const Recordset* owner) : owner_(owner) {}
  const Recordset* owner_;
};

class Recordset {
 public:
  explicit Recordset(std::unique_ptr<RowSource> rows);
  ~Recordset();
  Recordset(const Recordset&) = delete;
  Recordset& operator=(const Recordset&) = delete;

  // The number of rows (capped at the largest 32-bit number).
  std::int32_t RecordCount() const;
  // MoveFirst and MoveLast throw errc::kNoCurrentRecord on an empty recordset.
  void MoveFirst();
  void MoveNext();  // past the last row: EOF; at EOF: errc::kNoCurrentRecord
  void MoveLast(int options = 0);
  bool Eof() const;  // the engine's EOF property (EOF is a C macro)
  Fields fields() const { return Fields(this); }
  // Shorthand for fields().Item(...).Value(). Throws errc::kItemNotFound,
  // errc::kNoCurrentRecord at EOF.
  dbengine::Value value(int column) const;
  dbengine::Value value(std::string_view column) const;
  void Close();  // a second Close throws errc::kObjectClosed

  // Exact number of rows, independent of how far the recordset has moved.
  std::size_t size() const;

 private:
  friend class Field;
  friend class Fields;
  void requireOpen() const;
  int columnIndex(std::string_view name) const;  // -1 when absent

  std::unique_ptr<RowSource> rows_;
  std::size_t position_ = 0;
  bool open_ = true;
  // The last name looked up and its column: a caller walking the rows reads
  // the same column by name on every row.
  mutable std::string lastLookedUpName_;
  mutable int lastLookedUpColumn_ = -1;
};

}  // namespace dbengine
