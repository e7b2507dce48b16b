#pragma once
// clActDBF: the program's only access to the data of the ACT! database that
// is open in ACT!. It opens the folder that holds the ACT! database file as a
// database of the embedded engine (driver "FoxPro 2.6;"), so every table file
// of that folder can be queried with SQL, and it answers three queries: the
// fragment search (Suche), the highest number of a numbered series
// (SucheMaxWert) and a count of the rows in which a column has a value
// (getRecordcount).
//
// Tables: the contact table is [DBName] (the file DBName.dbf), the group
// table [DBName.gdb]; DBName is the database file's name without its ending.
//
// Failures: init, Suche, SucheMaxWert (up to its query) and OeffneTabelle
// catch engine errors, show the database error report and return a neutral
// result (false, none, 0). getRecordcount and the row walk of SucheMaxWert
// let failures go to the caller (EngineError, or NumberConversionError for a
// value whose part behind the prefix is no number).
//
// One instance per program run; used on the user-interface thread only.

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>

#include "common/clipboard.h"
#include "common/event_pump.h"
#include "common/message_boxes.h"
#include "common/settings_store.h"
#include "common/short_path.h"
#include "dbengine/db_engine.h"

namespace actdb {

// The platform services the class needs.
struct ActDbServices {
  common::MessageBoxes& messageBoxes;
  common::SettingsStore& settings;
  common::Clipboard& clipboard;
  common::EventPump& events;
  common::ShortPathResolver& paths;
};

// A value behind the prefix in SucheMaxWert that is no whole number.
class NumberConversionError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class clActDBF {
 public:
  explicit clActDBF(ActDbServices services);
  ~clActDBF();
  clActDBF(const clActDBF&) = delete;
  clActDBF& operator=(const clActDBF&) = delete;

  // Opens the database that holds the file DBFpfad (the full path ACT!
  // reports). True when it is open; false after the report has been shown.
  bool init(const std::string& DBFpfad);
  // Closes the database when it is open.
  void kill();

  // The rows of the contact table in which the fragment occurs anywhere in
  // one of the columns of Suchfelder (comma list), in any letter case. The
  // columns: Suchfelder, then Anzeigefelder, then UNIQUE_ID. With NurinFeld1
  // only the first column is searched; Bedingung joins the conditions ("OR").
  // None after the report when the engine rejects the query. The settings key
  // Debug/Debug = "Debug" puts the SQL text on the clipboard first.
  std::unique_ptr<dbengine::Recordset> Suche(const std::string& Suchfelder,
                                             const std::string& Anzeigefelder,
                                             const std::string& Suchbegriff,
                                             const std::string& Bedingung, bool NurinFeld1);

  // The highest number behind the prefix Preset among the values of column
  // ActFeldName that begin with Preset in any letter case; 0 when none.
  std::int32_t SucheMaxWert(const std::string& ActFeldName, const std::string& Tabellentyp,
                            const std::string& Preset);

  // The number of rows whose column Actfeld has a value.
  std::int32_t getRecordcount(const std::string& Actfeld, const std::string& Tabellentyp);

  // For inspection: the folder and base name init derived, and whether the
  // database is open.
  const std::string& DBOrdner() const { return DBOrdner_; }
  const std::string& DBName() const { return DBName_; }
  bool isOpen() const { return DB_ != nullptr; }

  // The settings application under which the Debug switch is read.
  static constexpr const char* kSettingsApplication = "Spurlix light";

 private:
  friend class ClActDbfTestAccess;

  std::string KurznameVon(const std::string& path);
  std::string TabellenEndung(const std::string& Tabellentyp);
  std::string OrdnerVon(const std::string& path) const;
  std::string DateinameVon(const std::string& path) const;
  static std::string Suchmuster(const std::string& text);
  static std::string ListenElement(const std::string& list, const std::string& separator, int k);
  static int ListenAnzahl(const std::string& list, const std::string& separator);
  std::unique_ptr<dbengine::Recordset> OeffneTabelle();

  // The open database; an engine error when init has not opened one.
  dbengine::Database& database();
  void showDatabaseErrorReport(const dbengine::EngineError& error);

  ActDbServices services_;
  std::string DBOrdner_;
  std::string DBName_;
  std::unique_ptr<dbengine::DBEngine> engine_;
  std::unique_ptr<dbengine::Database> DB_;
};

}  // namespace actdb
