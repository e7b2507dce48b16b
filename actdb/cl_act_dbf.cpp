#include "actdb/cl_act_dbf.h"

#include <charconv>
#include <new>

#include "actdb/case_pattern.h"
#include "actdb/comma_list.h"
#include "actdb/database_error_report.h"
#include "actdb/path_parts.h"
#include "common/error_report.h"
#include "common/utf8.h"

namespace actdb {
namespace {

constexpr const char* kConnect = "FoxPro 2.6;";

std::string asciiLower(std::string text) {
  for (char& c : text) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return text;
}

// The whole number written in `text`: optional blanks, an optional sign and
// decimal digits, optional blanks. Anything else, or a number outside 32
// bits, is no whole number.
std::int32_t wholeNumberOfText(std::string_view text) {
  std::size_t first = text.find_first_not_of(' ');
  std::size_t last = text.find_last_not_of(' ');
  if (first == std::string_view::npos) throw NumberConversionError("Typen unverträglich");
  std::string_view digits = text.substr(first, last - first + 1);
  if (!digits.empty() && digits.front() == '+') digits.remove_prefix(1);
  std::int32_t number = 0;
  auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
  if (error == std::errc::result_out_of_range) throw NumberConversionError("Überlauf");
  if (error != std::errc() || end != digits.data() + digits.size()) {
    throw NumberConversionError("Typen unverträglich");
  }
  return number;
}

std::int32_t wholeNumberOf(const dbengine::Value& value) {
  if (const auto* integer = std::get_if<std::int64_t>(&value.variant())) {
    if (*integer < INT32_MIN || *integer > INT32_MAX) throw NumberConversionError("Überlauf");
    return static_cast<std::int32_t>(*integer);
  }
  return wholeNumberOfText(value.toText());
}

// The last `count` characters of UTF-8 text.
std::string rightChars(const std::string& text, std::size_t count) {
  std::u32string chars = common::utf8ToUtf32(text);
  return common::utf32ToUtf8(std::u32string_view(chars).substr(chars.size() - count));
}

}  // namespace

clActDBF::clActDBF(ActDbServices services) : services_(services) {}
clActDBF::~clActDBF() = default;

bool clActDBF::init(const std::string& DBFpfad) {
  std::string s = KurznameVon(DBFpfad);
  DBOrdner_ = OrdnerVon(s);
  DBName_ = DateinameVon(s);

  // A path that does not exist, or whose file name is shorter than its
  // ending, names no table: report it as the missing file it is.
  if (s.empty() || !baseNameOf(s, services_.paths.pathSeparator())) {
    showDatabaseErrorReport(dbengine::EngineError(
        dbengine::errc::kFileNotFound, "Die Datei '" + DBFpfad + "' wurde nicht gefunden."));
    return false;
  }

  try {
    if (!engine_) engine_ = std::make_unique<dbengine::DBEngine>();
    DB_ = engine_->OpenDatabase(DBOrdner_, false, false, kConnect);
  } catch (const dbengine::EngineError& error) {
    DB_.reset();
    showDatabaseErrorReport(error);
    return false;
  }
  return true;
}

void clActDBF::kill() {
  if (DB_) {
    DB_->Close();
    DB_.reset();
  }
}

std::unique_ptr<dbengine::Recordset> clActDBF::Suche(const std::string& Suchfelder,
                                                     const std::string& Anzeigefelder,
                                                     const std::string& Suchbegriff,
                                                     const std::string& Bedingung,
                                                     bool NurinFeld1) {
  const std::string table = "[" + DBName_ + "]";
  const std::string pattern = Suchmuster(Suchbegriff);

  std::string sql = "SELECT ";
  for (int i = 1; i <= ListenAnzahl(Suchfelder, ","); ++i) {
    sql += table + "." + ListenElement(Suchfelder, ",", i) + ", ";
  }
  for (int i = 1; i <= ListenAnzahl(Anzeigefelder, ","); ++i) {
    sql += table + "." + ListenElement(Anzeigefelder, ",", i) + ", ";
  }
  sql += table + ".UNIQUE_ID ";
  sql += "FROM " + table + " " + "WHERE ";
  const int searched = ListenAnzahl(Suchfelder, ",");
  int i = 1;
  do {
    sql += table + "." + ListenElement(Suchfelder, ",", i) + " LIKE '*" + pattern + "*'";
    ++i;
    if (i <= searched && !NurinFeld1) sql += " " + Bedingung + " ";
  } while (!(i > searched || NurinFeld1));

  if (services_.settings.read(kSettingsApplication, "Debug", "Debug", "") == "Debug") {
    services_.clipboard.clear();
    services_.clipboard.setText(sql);
  }

  services_.events.processPendingEvents();

  try {
    return database().OpenRecordset(sql);
  } catch (const dbengine::EngineError& error) {
    showDatabaseErrorReport(error);
    return nullptr;
  }
}

std::int32_t clActDBF::SucheMaxWert(const std::string& ActFeldName, const std::string& Tabellentyp,
                                    const std::string& Preset) {
  const std::string ending = TabellenEndung(Tabellentyp);
  const std::string pattern = Suchmuster(Preset);
  const std::string sql = "SELECT " + ActFeldName + " FROM " + "[" + DBName_ + ending + "]" +
                          " WHERE " + ActFeldName + " LIKE '" + pattern + "*';";

  std::unique_ptr<dbengine::Recordset> rows;
  try {
    rows = database().OpenRecordset(sql);
  } catch (const dbengine::EngineError& error) {
    services_.messageBoxes.show({.text = databaseErrorReportText(error) + "\r\nSQL: " + sql,
                                 .icon = common::MessageIcon::Exclamation});
    return 0;
  }

  // From here on failures go to the caller.
  if (rows->RecordCount() == 0) return 0;
  rows->MoveLast(0);
  const std::int32_t n = rows->RecordCount();
  rows->MoveFirst();
  const std::size_t prefixLength = common::utf8Length(Preset);
  std::int32_t best = 0;
  for (std::int32_t row = 0; row < n; ++row) {
    const std::string value = rows->fields().Item(0).Value().toText();
    const std::size_t valueLength = common::utf8Length(value);
    if (valueLength < prefixLength) throw NumberConversionError("Ungültiger Prozeduraufruf");
    const std::int32_t number = wholeNumberOfText(rightChars(value, valueLength - prefixLength));
    if (number > best) best = number;
    rows->MoveNext();
  }
  return best;
}

std::int32_t clActDBF::getRecordcount(const std::string& Actfeld, const std::string& Tabellentyp) {
  const std::string ending = TabellenEndung(Tabellentyp);
  const std::string sql = "SELECT COUNT(" + Actfeld + ") FROM [" + DBName_ + ending + "] WHERE " +
                          Actfeld + " IS NOT NULL;";
  std::unique_ptr<dbengine::Recordset> rows = database().OpenRecordset(sql);
  std::int32_t count = 0;
  if (rows->RecordCount() > 0) count = wholeNumberOf(rows->fields().Item(0).Value());
  rows->Close();
  return count;
}

std::string clActDBF::KurznameVon(const std::string& path) {
  try {
    return services_.paths.shortPathOf(path);
  } catch (const std::bad_alloc&) {
    common::showStandardErrorReport(services_.messageBoxes, "KurznameVon", 7,
                                    "Nicht genügend Speicher");
  } catch (const std::exception& error) {
    common::showStandardErrorReport(services_.messageBoxes, "KurznameVon", 5, error.what());
  }
  return {};
}

std::string clActDBF::TabellenEndung(const std::string& Tabellentyp) {
  const std::string word = asciiLower(Tabellentyp);
  if (word == "kontakt" || word == "contact") return ".dbf";
  if (word == "gruppen" || word == "gruppe" || word == "group" || word == "groups") return ".gdb";
  services_.messageBoxes.show({.text = "Tabellentyp ist fremd (" + Tabellentyp +
                                       "). Es wird die Kontakt-Tabelle benutzt."});
  return ".dbf";
}

std::string clActDBF::OrdnerVon(const std::string& path) const {
  return folderOf(path, services_.paths.pathSeparator());
}

std::string clActDBF::DateinameVon(const std::string& path) const {
  return baseNameOf(path, services_.paths.pathSeparator()).value_or(std::string());
}

std::string clActDBF::Suchmuster(const std::string& text) {
  return caseInsensitivePattern(text);
}

std::string clActDBF::ListenElement(const std::string& list, const std::string& separator, int k) {
  return listItem(list, separator, k);
}

int clActDBF::ListenAnzahl(const std::string& list, const std::string& separator) {
  return listCount(list, separator);
}

std::unique_ptr<dbengine::Recordset> clActDBF::OeffneTabelle() {
  try {
    return database().OpenRecordset(DBName_);
  } catch (const dbengine::EngineError& error) {
    showDatabaseErrorReport(error);
    return nullptr;
  }
}

dbengine::Database& clActDBF::database() {
  if (!DB_) {
    throw dbengine::EngineError(dbengine::errc::kObjectClosed, "Die Datenbank ist nicht geöffnet.");
  }
  return *DB_;
}

void clActDBF::showDatabaseErrorReport(const dbengine::EngineError& error) {
  services_.messageBoxes.show({.text = databaseErrorReportText(error)});
}

}  // namespace actdb
