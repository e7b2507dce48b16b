#include "standin/contact_table.h"

#include <filesystem>
#include <unordered_set>

#include "common/path_text.h"
#include "dbengine/db_engine.h"

namespace standin {
namespace {

std::string_view withoutTrailingBlanks(std::string_view text) {
  std::size_t end = text.size();
  while (end > 0 && text[end - 1] == ' ') --end;
  return text.substr(0, end);
}

bool equalIgnoringAsciiCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

// Column numbers of the fields we show; -1 for a field the table lacks.
struct Columns {
  int id = -1, company = -1, name = -1, city = -1, phone = -1;
};

Columns findColumns(const dbengine::Recordset& records) {
  Columns columns;
  const dbengine::Fields fields = records.fields();
  for (int i = 0; i < fields.Count(); ++i) {
    const std::string name = fields.Item(i).Name();
    if (equalIgnoringAsciiCase(name, "UNIQUE_ID")) columns.id = i;
    if (equalIgnoringAsciiCase(name, "COMPANY")) columns.company = i;
    if (equalIgnoringAsciiCase(name, "NAME")) columns.name = i;
    if (equalIgnoringAsciiCase(name, "CITY")) columns.city = i;
    if (equalIgnoringAsciiCase(name, "PHONE")) columns.phone = i;
  }
  return columns;
}

std::string textAt(const dbengine::Recordset& records, int column) {
  if (column < 0) return {};
  return records.value(column).toText();
}

// The absolute, normalised form of `path` with the platform's separators.
std::filesystem::path fullPathOf(const std::filesystem::path& path) {
  std::error_code error;
  std::filesystem::path full = std::filesystem::absolute(path, error);
  if (error) full = path;
  return full.lexically_normal().make_preferred();
}

}  // namespace

ContactTable::ContactTable(std::string path, std::vector<Contact> contacts)
    : path_(std::move(path)), contacts_(std::move(contacts)) {
  rowById_.reserve(contacts_.size());
  for (std::size_t row = 0; row < contacts_.size(); ++row) {
    rowById_.try_emplace(contacts_[row].id, static_cast<int>(row));
  }
}

LoadedTable loadContactTable(std::string_view dbfPath) {
  const std::filesystem::path file = fullPathOf(common::pathFromUtf8(dbfPath));
  const std::string fullPath = common::utf8FromPath(file);
  std::error_code error;
  if (!std::filesystem::is_regular_file(file, error)) {
    return {std::nullopt, "Die Kontakttabelle \"" + fullPath + "\" gibt es nicht."};
  }
  try {
    dbengine::DBEngine engine;
    auto database =
        engine.OpenDatabase(common::utf8FromPath(file.parent_path()), false, true, "FoxPro 2.6;");
    // A table file with another ending than .dbf is named with its ending.
    const std::string source =
        equalIgnoringAsciiCase(common::utf8FromPath(file.extension()), ".dbf")
            ? common::utf8FromPath(file.stem())
            : "[" + common::utf8FromPath(file.filename()) + "]";
    auto records = database->OpenRecordset(source);
    const Columns columns = findColumns(*records);
    if (columns.id < 0) {
      return {std::nullopt, "Die Tabelle \"" + fullPath + "\" hat kein Feld UNIQUE_ID."};
    }
    std::vector<Contact> contacts;
    contacts.reserve(records->size());
    for (; !records->Eof(); records->MoveNext()) {
      contacts.push_back(Contact{textAt(*records, columns.company), textAt(*records, columns.name),
                                 textAt(*records, columns.city), textAt(*records, columns.phone),
                                 std::string(withoutTrailingBlanks(textAt(*records, columns.id)))});
    }
    return {ContactTable(fullPath, std::move(contacts)), {}};
  } catch (const dbengine::EngineError& engineError) {
    return {std::nullopt,
            "Die Kontakttabelle \"" + fullPath + "\" kann nicht gelesen werden: Fehler " +
                std::to_string(engineError.number()) + ": " + engineError.description()};
  }
}

int ContactTable::rowOfId(std::string_view id) const {
  const auto found = rowById_.find(std::string(withoutTrailingBlanks(id)));
  return found == rowById_.end() ? -1 : found->second;
}

std::optional<std::vector<std::string>> splitIdList(std::string_view idList) {
  // Each character starts at a byte that is no UTF-8 continuation byte.
  std::vector<std::size_t> starts;
  std::size_t characters = 0;
  for (std::size_t i = 0; i < idList.size(); ++i) {
    if ((static_cast<unsigned char>(idList[i]) & 0xC0u) == 0x80u) continue;
    if (characters % kIdWidth == 0) starts.push_back(i);
    ++characters;
  }
  if (characters % kIdWidth != 0) return std::nullopt;
  std::vector<std::string> ids;
  ids.reserve(starts.size());
  for (std::size_t k = 0; k < starts.size(); ++k) {
    const std::size_t end = k + 1 < starts.size() ? starts[k + 1] : idList.size();
    ids.emplace_back(withoutTrailingBlanks(idList.substr(starts[k], end - starts[k])));
  }
  return ids;
}

LookupRows resolveIds(const ContactTable& table, const std::vector<std::string>& ids) {
  LookupRows result;
  result.rows.reserve(ids.size());
  std::unordered_set<int> seen;
  seen.reserve(ids.size());
  for (const std::string& id : ids) {
    const int row = table.rowOfId(id);
    if (row < 0) {
      result.allFound = false;
    } else if (seen.insert(row).second) {
      result.rows.push_back(row);
    }
  }
  return result;
}

}  // namespace standin
