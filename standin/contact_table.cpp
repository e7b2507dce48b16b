#include "standin/contact_table.h"

#include <QFileInfo>
#include <unordered_set>

#include "dbengine/db_engine.h"

namespace standin {
namespace {

QString withoutTrailingBlanks(QStringView text) {
  qsizetype end = text.size();
  while (end > 0 && text[end - 1] == u' ') --end;
  return text.first(end).toString();
}

// Column numbers of the fields we show; -1 for a field the table lacks.
struct Columns {
  int id = -1, company = -1, name = -1, city = -1, phone = -1;
};

Columns findColumns(const dbengine::Recordset& records) {
  Columns columns;
  const dbengine::Fields fields = records.fields();
  for (int i = 0; i < fields.Count(); ++i) {
    const QString name = QString::fromStdString(fields.Item(i).Name()).toUpper();
    if (name == u"UNIQUE_ID") columns.id = i;
    if (name == u"COMPANY") columns.company = i;
    if (name == u"NAME") columns.name = i;
    if (name == u"CITY") columns.city = i;
    if (name == u"PHONE") columns.phone = i;
  }
  return columns;
}

QString textAt(const dbengine::Recordset& records, int column) {
  if (column < 0) return {};
  return QString::fromStdString(records.value(column).toText());
}

}  // namespace

ContactTable::ContactTable(QString path, std::vector<Contact> contacts)
    : path_(std::move(path)), contacts_(std::move(contacts)) {
  rowById_.reserve(static_cast<qsizetype>(contacts_.size()));
  for (std::size_t row = 0; row < contacts_.size(); ++row) {
    if (!rowById_.contains(contacts_[row].id))
      rowById_.insert(contacts_[row].id, static_cast<int>(row));
  }
}

LoadedTable loadContactTable(const QString& dbfPath) {
  const QFileInfo file(dbfPath);
  const QString fullPath = file.absoluteFilePath();
  if (!file.isFile()) {
    return {std::nullopt, QStringLiteral("Die Kontakttabelle \"%1\" gibt es nicht.").arg(fullPath)};
  }
  try {
    dbengine::DBEngine engine;
    auto database =
        engine.OpenDatabase(file.absolutePath().toStdString(), false, true, "FoxPro 2.6;");
    // A table file with another ending than .dbf is named with its ending.
    const QString source = file.suffix().compare(u"dbf", Qt::CaseInsensitive) == 0
                               ? file.completeBaseName()
                               : u'[' + file.fileName() + u']';
    auto records = database->OpenRecordset(source.toStdString());
    const Columns columns = findColumns(*records);
    if (columns.id < 0) {
      return {std::nullopt,
              QStringLiteral("Die Tabelle \"%1\" hat kein Feld UNIQUE_ID.").arg(fullPath)};
    }
    std::vector<Contact> contacts;
    contacts.reserve(records->size());
    for (; !records->Eof(); records->MoveNext()) {
      contacts.push_back(Contact{textAt(*records, columns.company), textAt(*records, columns.name),
                                 textAt(*records, columns.city), textAt(*records, columns.phone),
                                 withoutTrailingBlanks(textAt(*records, columns.id))});
    }
    return {ContactTable(fullPath, std::move(contacts)), {}};
  } catch (const dbengine::EngineError& error) {
    return {std::nullopt, QStringLiteral("Die Kontakttabelle \"%1\" kann nicht gelesen werden: "
                                         "Fehler %2: %3")
                              .arg(fullPath)
                              .arg(error.number())
                              .arg(QString::fromStdString(error.description()))};
  }
}

int ContactTable::rowOfId(QStringView id) const {
  return rowById_.value(withoutTrailingBlanks(id), -1);
}

std::optional<std::vector<QString>> splitIdList(QStringView idList) {
  if (idList.size() % kIdWidth != 0) return std::nullopt;
  std::vector<QString> ids;
  ids.reserve(static_cast<std::size_t>(idList.size() / kIdWidth));
  for (qsizetype start = 0; start < idList.size(); start += kIdWidth) {
    ids.push_back(withoutTrailingBlanks(idList.sliced(start, kIdWidth)));
  }
  return ids;
}

LookupRows resolveIds(const ContactTable& table, const std::vector<QString>& ids) {
  LookupRows result;
  result.rows.reserve(ids.size());
  std::unordered_set<int> seen;
  seen.reserve(ids.size());
  for (const QString& id : ids) {
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
