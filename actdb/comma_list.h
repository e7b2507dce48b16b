#pragma once
// Comma lists of column names ("COMPANY,NAME"): items separated by a
// separator text, each item with blanks removed at both ends. The empty text
// is a list with no items. Positions and comparisons are case-sensitive.

#include <string>
#include <string_view>

namespace actdb {

// Number of items: the separators found from the second character on, plus
// one; 0 for the empty list.
int listCount(std::string_view list, std::string_view separator);

// Item k (1-based), trimmed; the empty text when k is out of range.
std::string listItem(std::string_view list, std::string_view separator, int k);

}  // namespace actdb
