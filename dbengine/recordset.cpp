#include "dbengine/recordset.h"

#include <limits>

#include "dbengine/sql/names.h"
#include "dbengine/storage/engine_error.h"

namespace dbengine {
namespace {

[[noreturn]] void throwNoCurrentRecord() {
  throw EngineError(errc::kNoCurrentRecord, "Kein aktueller Datensatz.");
}

}  // namespace

Value Field::Value() const {
  owner_->requireOpen();
  if (owner_->Eof()) throwNoCurrentRecord();
  return owner_->rows_->value(owner_->position_, column_);
}

int Fields::Count() const {
  owner_->requireOpen();
  return owner_->rows_->columnCount();
}

Field Fields::Item(int index) const {
  owner_->requireOpen();
  if (index < 0 || index >= owner_->rows_->columnCount()) {
    throw EngineError(errc::kItemNotFound, "Element in dieser Auflistung nicht gefunden: Index " +
                                               std::to_string(index) + " (die Abfrage hat " +
                                               std::to_string(owner_->rows_->columnCount()) +
                                               " Spalten).");
  }
  return Field(owner_, index, owner_->rows_->columnName(index));
}

Field Fields::Item(std::string_view name) const {
  owner_->requireOpen();
  int index = owner_->columnIndex(name);
  if (index < 0) {
    throw EngineError(errc::kItemNotFound, "Element in dieser Auflistung nicht gefunden: Spalte '" +
                                               std::string(name) + "'.");
  }
  return Field(owner_, index, owner_->rows_->columnName(index));
}

Recordset::Recordset(std::unique_ptr<RowSource> rows) : rows_(std::move(rows)) {}
Recordset::~Recordset() = default;

void Recordset::requireOpen() const {
  if (!open_) {
    throw EngineError(
        errc::kObjectClosed,
        "Objekt ist ungültig oder nicht mehr festgelegt: das Recordset ist geschlossen.");
  }
}

int Recordset::columnIndex(std::string_view name) const {
  if (lastLookedUpColumn_ >= 0 && name == lastLookedUpName_) return lastLookedUpColumn_;
  for (int i = 0; i < rows_->columnCount(); ++i) {
    if (sql::equalsIgnoringCase(rows_->columnName(i), name)) {
      lastLookedUpName_ = std::string(name);
      lastLookedUpColumn_ = i;
      return i;
    }
  }
  return -1;
}

std::size_t Recordset::size() const {
  requireOpen();
  return rows_->rowCount();
}

std::int32_t Recordset::RecordCount() const {
  std::size_t rows = size();
  constexpr auto kLargest = static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max());
  return static_cast<std::int32_t>(rows < kLargest ? rows : kLargest);
}

void Recordset::MoveFirst() {
  if (size() == 0) throwNoCurrentRecord();
  position_ = 0;
}

void Recordset::MoveNext() {
  if (Eof()) throwNoCurrentRecord();
  ++position_;
}

void Recordset::MoveLast(int /*options*/) {
  std::size_t rows = size();
  if (rows == 0) throwNoCurrentRecord();
  position_ = rows - 1;
}

bool Recordset::Eof() const {
  return position_ >= size();
}

Value Recordset::value(int column) const {
  return fields().Item(column).Value();
}

Value Recordset::value(std::string_view column) const {
  // The search run reads a column by name on every row: no Field in between.
  requireOpen();
  const int index = columnIndex(column);
  if (index < 0) return fields().Item(column).Value();  // raises the error
  if (Eof()) throwNoCurrentRecord();
  return rows_->value(position_, index);
}

void Recordset::Close() {
  requireOpen();
  open_ = false;
  rows_.reset();
}

}  // namespace dbengine
