#pragma once
// The tables of one database folder. A table name as written in SQL, without
// brackets, names a file of the folder: "KONTAKTE" the file KONTAKTE.dbf,
// "KONTAKTE.gdb" (any name with an ending) that very file. File names are
// matched without regard to letter case, as on Windows; a name with a path
// separator names no table.
//
// Every query opens its table afresh and reads the header as it is then, so
// records that ACT! appended since the last query are found, and no file
// stays open between queries.

#include <filesystem>
#include <memory>
#include <optional>
#include <string_view>

#include "dbengine/sql/query_plan.h"

namespace dbengine {

class TableFolder final : public sql::TableProvider {
 public:
  explicit TableFolder(std::filesystem::path folder);

  // Throws EngineError: errc::kTableNotFound when no file fits, the storage
  // errors when the file is no readable table.
  std::shared_ptr<const TableFile> table(std::string_view name) override;

  // The file a table name stands for, or nullopt when there is none.
  std::optional<std::filesystem::path> fileOf(std::string_view name) const;

 private:
  std::filesystem::path folder_;
};

}  // namespace dbengine
