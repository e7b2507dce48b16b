#include "dbengine/database.h"

#include "dbengine/sql/query.h"
#include "dbengine/storage/engine_error.h"
#include "dbengine/table_folder.h"

namespace dbengine {

Database::Database(std::filesystem::path folder)
    : folder_(std::move(folder)), tables_(std::make_unique<TableFolder>(folder_)) {}

Database::~Database() = default;

std::unique_ptr<Recordset> Database::OpenRecordset(std::string_view source) {
  if (!open_) {
    throw EngineError(
        errc::kObjectClosed,
        "Objekt ist ungültig oder nicht mehr festgelegt: die Datenbank ist geschlossen.");
  }
  return std::make_unique<Recordset>(sql::runQuery(source, *tables_));
}

void Database::Close() {
  if (!open_) {
    throw EngineError(
        errc::kObjectClosed,
        "Objekt ist ungültig oder nicht mehr festgelegt: die Datenbank ist geschlossen.");
  }
  open_ = false;
  tables_.reset();
}

}  // namespace dbengine
