#pragma once
// The engine's object model, shaped like the desktop database engine the
// program was written against: DBEngine opens a folder as a Database, a
// Database opens Recordsets on SQL texts or table names, a Recordset walks
// its rows and hands out Fields.
//
// Every failing call throws EngineError (number, German description, help file).

#include <memory>
#include <string>
#include <string_view>

#include "dbengine/database.h"
#include "dbengine/storage/engine_error.h"

namespace dbengine {

class DBEngine {
 public:
  // Opens `name`, a folder, as a database whose tables are its table files.
  // `connect` must name the FoxPro/dBase driver ("FoxPro 2.6;" and the like,
  // letter case ignored); `exclusive` and `readOnly` are accepted, and the
  // engine never writes. Throws errc::kInvalidPath (empty, missing or not a folder),
  // errc::kInvalidConnect (unknown driver).
  std::unique_ptr<Database> OpenDatabase(std::string_view name, bool exclusive, bool readOnly,
                                         std::string_view connect);
};

}  // namespace dbengine
