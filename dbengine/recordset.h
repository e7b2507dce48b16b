#pragma once
// The rows of a query or table. A recordset is materialised as the list of
// matching record numbers (heap grows with the hits, not with the table);
// values are decoded from the table only when a field is read.
//
// Position: right after opening on the first row (EOF when there is none).
// RecordCount: 0 exactly when empty right after opening; the full count once
// MoveLast has been called (the engine knows it earlier, but reports rows
// "seen so far" as the original engine does: at least 1 when not empty).

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

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

// What a recordset reads its rows from; implemented by the SQL layer.
class RowSource {
 public:
  virtual ~RowSource() = default;
  virtual int columnCount() const = 0;
  virtual const std::string& columnName(int column) const = 0;
  virtual std::size_t rowCount() const = 0;
  virtual dbengine::Value value(std::size_t row, int column) const = 0;
};

class Recordset {
 public:
  explicit Recordset(std::unique_ptr<RowSource> rows);
  ~Recordset();
  Recordset(const Recordset&) = delete;
  Recordset& operator=(const Recordset&) = delete;

  std::int32_t RecordCount() const;
  void MoveFirst();
  void MoveNext();             // past the last row: EOF; at EOF: errc::kNoCurrentRecord
  void MoveLast(int options = 0);
  bool Eof() const;            // the engine's EOF property (EOF is a C macro)
  Fields fields() const { return Fields(this); }
  // Shorthand for fields().Item(...).Value().
  dbengine::Value value(int column) const;
  dbengine::Value value(std::string_view column) const;
  void Close();

  // Exact number of rows, independent of how far the recordset has moved.
  std::size_t size() const;

 private:
  friend class Field;
  friend class Fields;
  void requireOpen() const;
  int columnIndex(std::string_view name) const;  // -1 when absent

  std::unique_ptr<RowSource> rows_;
  std::size_t position_ = 0;
  std::size_t highestVisited_ = 0;
  bool open_ = true;
};

}  // namespace dbengine
