#pragma once
// The contacts of one ACT! contact table, read once with our database engine,
// and the rule that turns ACT!'s ID list into rows of that table.
//
// Text is UTF-8. Records marked deleted are never part of the table (the
// engine skips them). Missing columns (a table without PHONE, say) read as
// empty texts; only UNIQUE_ID is required.

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace standin {

struct Contact {
  std::string company;
  std::string name;
  std::string city;
  std::string phone;
  std::string id;  // UNIQUE_ID without its trailing blanks
};

class ContactTable {
 public:
  ContactTable() = default;
  ContactTable(std::string path, std::vector<Contact> contacts);

  // The full path of the table file, as it was opened, in the platform's form
  // ("/act/KONTAKTE.dbf", "C:\ACT\KONTAKTE.dbf"); empty for no table.
  const std::string& path() const { return path_; }
  const std::vector<Contact>& contacts() const { return contacts_; }

  // The row of the contact with this ID (compared exactly, trailing blanks
  // ignored), or -1. With duplicate IDs the first row wins.
  int rowOfId(std::string_view id) const;

 private:
  std::string path_;
  std::vector<Contact> contacts_;
  std::unordered_map<std::string, int> rowById_;
};

// Reads the table file `dbfPath` (UTF-8; a .dbf file: its folder is opened as
// the database, its base name is the table). On failure `table` is empty and
// `error` says why, in German.
struct LoadedTable {
  std::optional<ContactTable> table;
  std::string error;
};
LoadedTable loadContactTable(std::string_view dbfPath);

// ACT!'s ID list: 12 characters per contact, blanks on the right, no separator.
inline constexpr std::size_t kIdWidth = 12;

// The IDs of a list (UTF-8; its characters are counted, not its bytes)
// without their trailing blanks, in order; nullopt when the number of
// characters is not a multiple of kIdWidth.
std::optional<std::vector<std::string>> splitIdList(std::string_view idList);

// The rows a lookup shows: the contacts of `ids` in the given order, each
// contact once (a repeated ID adds nothing); `allFound` is false when at
// least one ID named no contact.
struct LookupRows {
  std::vector<int> rows;
  bool allFound = true;
};
LookupRows resolveIds(const ContactTable& table, const std::vector<std::string>& ids);

}  // namespace standin
