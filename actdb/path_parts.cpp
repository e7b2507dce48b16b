#include "actdb/path_parts.h"

#include "common/utf8.h"

namespace actdb {
namespace {

// 1-based position of the last separator at position 2 or later, else 1.
std::size_t lastSeparator(std::u32string_view path, char separator) {
  std::size_t p = 1;
  for (std::size_t i = 1; i < path.size(); ++i) {
    if (path[i] == static_cast<char32_t>(separator)) p = i + 1;
  }
  return p;
}

}  // namespace

std::string folderOf(std::string_view path, char separator) {
  std::u32string text = common::utf8ToUtf32(path);
  std::size_t p = lastSeparator(text, separator);
  return common::utf32ToUtf8(std::u32string_view(text).substr(0, p - 1));
}

std::optional<std::string> baseNameOf(std::string_view path, char separator) {
  std::u32string text = common::utf8ToUtf32(path);
  std::size_t p = lastSeparator(text, separator);
  if (text.size() < p + 4) return std::nullopt;
  return common::utf32ToUtf8(std::u32string_view(text).substr(p, text.size() - p - 4));
}

}  // namespace actdb
