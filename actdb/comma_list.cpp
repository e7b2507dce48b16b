#include "actdb/comma_list.h"

namespace actdb {
namespace {

// Position (1-based) of `separator` in `list` searching from position `from`
// on; 0 when not found. An empty separator is found at once, as the classic
// string search does.
std::size_t findFrom(std::string_view list, std::string_view separator, std::size_t from) {
  if (from > list.size()) return 0;
  std::size_t found = list.find(separator, from - 1);
  return found == std::string_view::npos ? 0 : found + 1;
}

std::string trimBlanks(std::string_view text) {
  std::size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  std::size_t last = text.find_last_not_of(' ');
  return std::string(text.substr(first, last - first + 1));
}

}  // namespace

int listCount(std::string_view list, std::string_view separator) {
  if (list.empty()) return 0;
  if (separator.empty()) return 1;
  int n = 0;
  std::size_t p = 1;
  do {
    p = findFrom(list, separator, p + 1);
    ++n;
  } while (p != 0);
  return n;
}

std::string listItem(std::string_view list, std::string_view separator, int k) {
  int m = listCount(list, separator);
  if (m == 0 || k < 1 || k > m) return {};
  if (separator.empty()) return trimBlanks(list);
  std::size_t p = 0, s = 0;
  for (int i = 0; i < k; ++i) {
    s = p + 1;
    p = findFrom(list, separator, s);
  }
  std::string_view item = p != 0 ? list.substr(s - 1, p - s) : list.substr(s - 1);
  return trimBlanks(item);
}

}  // namespace actdb
