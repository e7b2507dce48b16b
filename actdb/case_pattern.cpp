#include "actdb/case_pattern.h"

#include "common/cp1252.h"
#include "common/utf8.h"

namespace actdb {
namespace {

int casePartner(int c) {
  if ((c >= 97 && c <= 122) || (c >= 224 && c <= 253)) return c - 32;
  if ((c >= 65 && c <= 90) || (c >= 192 && c <= 221)) return c + 32;
  return -1;
}

void appendCode(std::string& out, int code) {
  common::appendUtf8(out, common::cp1252ToUnicode(static_cast<std::uint8_t>(code)));
}

}  // namespace

std::string caseInsensitivePattern(std::string_view fragment) {
  std::string pattern;
  pattern.reserve(fragment.size() * 4);
  for (char32_t ch : common::utf8ToUtf32(fragment)) {
    int c = common::unicodeToCp1252(ch);
    if (c < 0) c = '?';
    if (c == '\'') {
      pattern += "''";
      continue;
    }
    int partner = casePartner(c);
    if (partner < 0) {
      appendCode(pattern, c);
    } else {
      pattern += '[';
      appendCode(pattern, c);
      appendCode(pattern, partner);
      pattern += ']';
    }
  }
  return pattern;
}

}  // namespace actdb
