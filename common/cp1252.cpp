#include "common/cp1252.h"

#include <array>

#include "common/utf8.h"

namespace common {
namespace {

// Bytes 0x00-0x7F and 0xA0-0xFF are their own code points; only the row
// 0x80-0x9F differs from Latin-1, so only that row is spelled out.
constexpr std::array<char32_t, 32> kRow80 = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80-87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 88-8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90-97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 98-9F
};

constexpr bool isLatin1Identity(char32_t ch) {
  return ch < 0x80 || (ch >= 0xA0 && ch <= 0xFF);
}

}  // namespace

char32_t cp1252ToUnicode(std::uint8_t byte) {
  if (isLatin1Identity(byte)) return byte;
  return kRow80[byte - 0x80u];
}

int unicodeToCp1252(char32_t ch) {
  if (isLatin1Identity(ch)) return static_cast<int>(ch);
  for (std::size_t i = 0; i < kRow80.size(); ++i) {
    if (kRow80[i] == ch) return static_cast<int>(0x80 + i);
  }
  return -1;
}

std::string cp1252ToUtf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size());
  for (char byte : bytes) appendUtf8(out, cp1252ToUnicode(static_cast<std::uint8_t>(byte)));
  return out;
}

std::string utf8ToCp1252(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  for (char32_t ch : utf8ToUtf32(utf8)) {
    const int byte = unicodeToCp1252(ch);
    out.push_back(byte < 0 ? '?' : static_cast<char>(static_cast<unsigned char>(byte)));
  }
  return out;
}

}  // namespace common
