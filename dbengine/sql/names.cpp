#include "dbengine/sql/names.h"

#include <algorithm>
#include <string>

#include "common/utf8.h"

namespace dbengine::sql {
namespace {

char32_t foldCase(char32_t c) {
  if ((c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7)) return c + 32;
  return c;
}

bool isAscii(std::string_view text) {
  return std::all_of(text.begin(), text.end(),
                     [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

}  // namespace

bool equalsIgnoringCase(std::string_view utf8A, std::string_view utf8B) {
  // Column names are nearly always ASCII, and a result's columns are looked
  // up by name once per row: compare those in place, without decoding.
  if (isAscii(utf8A) && isAscii(utf8B)) {
    return std::equal(utf8A.begin(), utf8A.end(), utf8B.begin(), utf8B.end(), [](char x, char y) {
      return foldCase(static_cast<unsigned char>(x)) == foldCase(static_cast<unsigned char>(y));
    });
  }
  std::u32string a = common::utf8ToUtf32(utf8A);
  std::u32string b = common::utf8ToUtf32(utf8B);
  return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                    [](char32_t x, char32_t y) { return foldCase(x) == foldCase(y); });
}

std::string_view withoutBrackets(std::string_view name) {
  auto isBlank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
  while (!name.empty() && isBlank(name.front())) name.remove_prefix(1);
  while (!name.empty() && isBlank(name.back())) name.remove_suffix(1);
  if (name.size() >= 2 && name.front() == '[' && name.back() == ']') {
    name = name.substr(1, name.size() - 2);
  }
  return name;
}

}  // namespace dbengine::sql
