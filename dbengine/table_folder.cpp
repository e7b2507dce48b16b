#include "dbengine/table_folder.h"

#include <system_error>

#include "common/path_text.h"
#include "dbengine/sql/names.h"
#include "dbengine/storage/engine_error.h"

namespace dbengine {

TableFolder::TableFolder(std::filesystem::path folder) : folder_(std::move(folder)) {}

std::optional<std::filesystem::path> TableFolder::fileOf(std::string_view name) const {
  if (name.empty() || name.find_first_of("/\\") != std::string_view::npos) return std::nullopt;
  std::string fileName(name);
  std::size_t dot = fileName.rfind('.');
  if (dot == std::string::npos || dot == 0) fileName += ".dbf";

  std::error_code error;
  std::filesystem::path exact = folder_ / common::pathFromUtf8(fileName);
  if (std::filesystem::is_regular_file(exact, error)) return exact;
  for (std::filesystem::directory_iterator it(folder_, error), end; !error && it != end;
       it.increment(error)) {
    std::string candidate = common::utf8FromPath(it->path().filename());
    if (sql::equalsIgnoringCase(candidate, fileName) && it->is_regular_file(error)) {
      return it->path();
    }
  }
  return std::nullopt;
}

std::shared_ptr<const TableFile> TableFolder::table(std::string_view name) {
  std::optional<std::filesystem::path> file = fileOf(name);
  if (!file) {
    throw EngineError(errc::kTableNotFound,
                      "Das Datenbankmodul findet die Eingabetabelle oder Abfrage '" +
                          std::string(name) + "' im Ordner '" + common::utf8FromPath(folder_) +
                          "' nicht. Stellen Sie sicher, dass sie existiert und dass ihr Name "
                          "richtig geschrieben ist.");
  }
  return TableFile::open(*file);
}

}  // namespace dbengine
