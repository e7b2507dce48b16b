#pragma once
// The contacts the stand-in shows: all contacts of the open table, or the
// rows of the current lookup in the order ACT! was handed them. Rows are
// indexes into the table's vector, so a lookup of 100,000 contacts is one
// vector. The window of each front shows what this holds.
//
// A front that must know of a change before it happens (a table model that
// resets) sets `onChange`: `before` runs right before the shown rows change
// through setTable, showAll or showLookup, `after` right after. Sorting is a
// front's own doing and is not announced.

#include <functional>
#include <string>
#include <vector>

#include "standin/contact_table.h"

namespace standin {

enum class Column { kCompany, kName, kCity, kPhone, kId };
inline constexpr int kColumnCount = 5;

// The column's caption in the list ("Firma", "Name", ...).
const char* columnCaption(Column column);
// The contact's text in that column.
const std::string& fieldOf(const Contact& contact, Column column);

class ShownContacts {
 public:
  // Replaces the table and shows all of its contacts.
  void setTable(ContactTable table);
  const ContactTable& table() const { return table_; }

  // Shows every contact in file order; ends a lookup.
  void showAll();
  // Shows exactly these rows of the table, in this order, as the current lookup.
  void showLookup(std::vector<int> rows);

  bool lookupActive() const { return lookupActive_; }
  std::size_t size() const { return shown_.size(); }
  // The table rows shown, in display order.
  const std::vector<int>& rows() const { return shown_; }
  // The contact shown at `position` (below size()).
  const Contact& at(std::size_t position) const;

  // Sorts the shown rows by one column, letter case ignored; rows that
  // compare equal keep their order.
  void sortBy(Column column, bool descending);

  // The status line: "2 Kontakte angezeigt – alle Kontakte",
  // "1 Kontakt angezeigt – Lookup aktiv".
  std::string statusText() const;

  void onChange(std::function<void()> before, std::function<void()> after);

 private:
  template <typename Change>
  void change(Change&& apply);

  ContactTable table_;
  std::vector<int> shown_;
  bool lookupActive_ = false;
  std::function<void()> before_;
  std::function<void()> after_;
};

// Compares UTF-8 texts character by character with letter case folded (Latin,
// Greek and Cyrillic letters); negative, zero or positive.
int compareIgnoringCase(std::string_view a, std::string_view b);

}  // namespace standin
