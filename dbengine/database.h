#pragma once
// An open database: a folder whose table files are its tables. `[NAME]` in
// SQL names NAME.dbf, `[NAME.ext]` the file with that ending; names are
// matched without regard to letter case. Each recordset opens its table file
// afresh (ACT! may have changed it since the last one) and no file stays open
// longer than the recordset that needs it.

#include <filesystem>
#include <memory>
#include <string_view>

#include "dbengine/recordset.h"

namespace dbengine {

class TableFolder;

class Database {
 public:
  explicit Database(std::filesystem::path folder);
  ~Database();
  Database(const Database&) = delete;
  Database& operator=(const Database&) = delete;

  const std::filesystem::path& folder() const { return folder_; }

  // Runs an SQL text, or opens a table when `source` is a bare table name
  // (with or without brackets). The recordset is positioned on its first row.
  // Throws EngineError: errc::kSyntaxError for SQL the dialect does not
  // cover (the description says where), errc::kTableNotFound, errc::kUnknownColumn,
  // the storage errors of a damaged table, errc::kObjectClosed after Close().
  std::unique_ptr<Recordset> OpenRecordset(std::string_view source);

  // Closes the database; every later call of it, Close included, throws
  // errc::kObjectClosed. Recordsets opened before stay usable.
  void Close();
  bool isOpen() const { return open_; }

 private:
  std::filesystem::path folder_;
  bool open_ = true;
  std::unique_ptr<TableFolder> tables_;
};

}  // namespace dbengine
