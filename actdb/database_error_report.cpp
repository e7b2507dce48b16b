#include "actdb/database_error_report.h"

#include "common/sign_position.h"

namespace actdb {

std::string databaseErrorReportText(int number, const std::string& helpFile,
                                    const std::string& description) {
  return "Konnte Ihre ACT!-Datenbank nicht öffnen !\r\nError #" + common::signPosition(number) +
         " (" + helpFile + ") " + description;
}

std::string databaseErrorReportText(const dbengine::EngineError& error) {
  return databaseErrorReportText(error.number(), error.helpFile(), error.description());
}

}  // namespace actdb
