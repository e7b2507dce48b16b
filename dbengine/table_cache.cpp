#include "dbengine/table_cache.h"

#include <system_error>

#include "dbengine/sql/names.h"
#include "dbengine/storage/engine_error.h"

namespace dbengine {

TableCache::TableCache(std::filesystem::path folder) : folder_(std::move(folder)) {}

std::optional<std::filesystem::path> TableCache::fileOf(std::string_view name) const {
  if (name.empty() || name.find_first_of("/\\") != std::string_view::npos) return std::nullopt;
  std::string fileName(name);
  std::size_t dot = fileName.rfind('.');
  if (dot == std::string::npos || dot == 0) fileName += ".dbf";

  std::error_code error;
  std::filesystem::path exact = folder_ / fileName;
  if (std::filesystem::is_regular_file(exact, error)) return exact;
  for (std::filesystem::directory_iterator it(folder_, error), end; !error && it != end;
       it.increment(error)) {
    std::string candidate = it->path().filename().string();
    if (sql::equalsIgnoringCase(candidate, fileName) && it->is_regular_file(error)) {
      return it->path();
    }
  }
  return std::nullopt;
}

std::shared_ptr<const TableFile> TableCache::table(std::string_view name) {
  std::optional<std::filesystem::path> file = fileOf(name);
  if (!file) {
    throw EngineError(errc::kTableNotFound,
                      "Das Datenbankmodul findet die Eingabetabelle oder Abfrage '" +
                          std::string(name) + "' im Ordner '" + folder_.string() +
                          "' nicht. Stellen Sie sicher, dass sie existiert und dass ihr Name "
                          "richtig geschrieben ist.");
  }
  auto found = open_.find(*file);
  if (found != open_.end()) return found->second;
  std::shared_ptr<const TableFile> table = TableFile::open(*file);
  open_.emplace(*file, table);
  return table;
}

}  // namespace dbengine
