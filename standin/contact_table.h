#pragma once
// The contacts of one ACT! contact table, read once with our database engine,
// and the rule that turns ACT!'s ID list into rows of that table.
//
// Records marked deleted are never part of the table (the engine skips them).
// Missing columns (a table without PHONE, say) read as empty texts; only
// UNIQUE_ID is required.

#include <QHash>
#include <QString>
#include <QStringView>
#include <optional>
#include <vector>

namespace standin {

struct Contact {
  QString company;
  QString name;
  QString city;
  QString phone;
  QString id;  // UNIQUE_ID without its trailing blanks
};

class ContactTable {
 public:
  ContactTable() = default;
  ContactTable(QString path, std::vector<Contact> contacts);

  // The full path of the table file, as it was opened.
  const QString& path() const { return path_; }
  const std::vector<Contact>& contacts() const { return contacts_; }

  // The row of the contact with this ID (compared exactly, trailing blanks
  // ignored), or -1. With duplicate IDs the first row wins.
  int rowOfId(QStringView id) const;

 private:
  QString path_;
  std::vector<Contact> contacts_;
  QHash<QString, int> rowById_;
};

// Reads the table file `dbfPath` (a .dbf file; its folder is opened as the
// database, its base name is the table). On failure `table` is empty and
// `error` says why, in German.
struct LoadedTable {
  std::optional<ContactTable> table;
  QString error;
};
LoadedTable loadContactTable(const QString& dbfPath);

// ACT!'s ID list: 12 characters per contact, blanks on the right, no separator.
inline constexpr qsizetype kIdWidth = 12;

// The IDs of a list without their trailing blanks, in order; nullopt when the
// length is not a multiple of kIdWidth.
std::optional<std::vector<QString>> splitIdList(QStringView idList);

// The rows a lookup shows: the contacts of `ids` in the given order, each
// contact once (a repeated ID adds nothing); `allFound` is false when at
// least one ID named no contact.
struct LookupRows {
  std::vector<int> rows;
  bool allFound = true;
};
LookupRows resolveIds(const ContactTable& table, const std::vector<QString>& ids);

}  // namespace standin
