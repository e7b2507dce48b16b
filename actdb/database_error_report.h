#pragma once
// The report every guarded query of the database layer shows when the engine
// fails:
//
//   Konnte Ihre ACT!-Datenbank nicht öffnen !
//   Error # 3078 (helpfile) description
//
// The number is in sign-position form (one blank before a number >= 0, the
// minus sign before a negative one); the help file is empty here.

#include <string>

#include "dbengine/storage/engine_error.h"

namespace actdb {

std::string databaseErrorReportText(int number, const std::string& helpFile,
                                    const std::string& description);
std::string databaseErrorReportText(const dbengine::EngineError& error);

}  // namespace actdb
