#include "dbengine/db_engine.h"

#include <filesystem>
#include <system_error>

#include "common/path_text.h"
#include "dbengine/sql/names.h"

namespace dbengine {
namespace {

// The connect text names the driver first: "FoxPro 2.6;", "dBase III;".
bool namesOurDriver(std::string_view connect) {
  std::string_view text = connect;
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  for (std::string_view driver : {std::string_view("FoxPro"), std::string_view("dBase")}) {
    if (text.size() >= driver.size() &&
        sql::equalsIgnoringCase(text.substr(0, driver.size()), driver)) {
      return true;
    }
  }
  return false;
}

// The folder a database name stands for. A bare drive ("S:", the folder part
// of "S:\KONTAKTE.DBF") and the empty name (the folder part of
// "\KONTAKTE.DBF") mean a root; joined as they stand, "S:" and a file name
// would name the drive's current folder instead.
std::filesystem::path folderNamed(std::string_view name) {
  std::filesystem::path folder = common::pathFromUtf8(name);
  if (!folder.has_relative_path() && !folder.has_root_directory()) {
    folder /= std::filesystem::path("/").make_preferred();
  }
  return folder;
}

}  // namespace

std::unique_ptr<Database> DBEngine::OpenDatabase(std::string_view name, bool /*exclusive*/,
                                                 bool /*readOnly*/, std::string_view connect) {
  if (!namesOurDriver(connect)) {
    throw EngineError(errc::kInvalidConnect,
                      "Installierbares ISAM nicht gefunden: die Verbindungszeichenfolge '" +
                          std::string(connect) + "' nennt keinen FoxPro- oder dBase-Treiber.");
  }
  std::error_code error;
  std::filesystem::path folder = folderNamed(name);
  if (!std::filesystem::is_directory(folder, error)) {
    throw EngineError(errc::kInvalidPath,
                      "'" + std::string(name) +
                          "' ist kein zulässiger Pfad. Stellen Sie sicher, dass der Pfad richtig "
                          "geschrieben ist und dass Sie mit dem Server verbunden sind, auf dem "
                          "sich die Datei befindet.");
  }
  return std::make_unique<Database>(std::move(folder));
}

}  // namespace dbengine
