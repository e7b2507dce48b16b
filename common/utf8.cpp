#include "common/utf8.h"

#include <cstdint>

namespace common {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

constexpr bool isContinuation(std::uint8_t byte) {
  return (byte & 0xC0u) == 0x80u;
}

// Decodes the character starting at `pos` and advances `pos` past it. A byte
// that does not start a complete, shortest-form sequence of a valid code point
// yields U+FFFD and advances by that one byte only, so the following bytes get
// their own chance to start a character.
char32_t decodeAt(std::string_view utf8, std::size_t& pos) {
  const auto lead = static_cast<std::uint8_t>(utf8[pos]);
  if (lead < 0x80) {
    ++pos;
    return lead;
  }
  // Sequence length, payload bits of the lead byte, and the smallest code point
  // that needs this length (anything below is an overlong form).
  std::size_t length = 0;
  char32_t ch = 0;
  char32_t minimum = 0;
  if ((lead & 0xE0u) == 0xC0u) {
    length = 2;
    ch = lead & 0x1Fu;
    minimum = 0x80;
  } else if ((lead & 0xF0u) == 0xE0u) {
    length = 3;
    ch = lead & 0x0Fu;
    minimum = 0x800;
  } else if ((lead & 0xF8u) == 0xF0u) {
    length = 4;
    ch = lead & 0x07u;
    minimum = 0x10000;
  } else {
    ++pos;
    return kReplacement;
  }
  if (utf8.size() - pos < length) {
    ++pos;
    return kReplacement;
  }
  for (std::size_t i = 1; i < length; ++i) {
    const auto byte = static_cast<std::uint8_t>(utf8[pos + i]);
    if (!isContinuation(byte)) {
      ++pos;
      return kReplacement;
    }
    ch = (ch << 6) | (byte & 0x3Fu);
  }
  if (ch < minimum || ch > 0x10FFFF || (ch >= 0xD800 && ch <= 0xDFFF)) {
    ++pos;
    return kReplacement;
  }
  pos += length;
  return ch;
}

}  // namespace

std::u32string utf8ToUtf32(std::string_view utf8) {
  std::u32string out;
  out.reserve(utf8.size());
  for (std::size_t pos = 0; pos < utf8.size();) out.push_back(decodeAt(utf8, pos));
  return out;
}

std::string utf32ToUtf8(std::u32string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char32_t ch : text) appendUtf8(out, ch);
  return out;
}

void appendUtf8(std::string& out, char32_t ch) {
  if (ch > 0x10FFFF || (ch >= 0xD800 && ch <= 0xDFFF)) ch = kReplacement;
  const auto unit = [&out](char32_t bits) { out.push_back(static_cast<char>(bits & 0xFFu)); };
  if (ch < 0x80) {
    unit(ch);
  } else if (ch < 0x800) {
    unit(0xC0u | (ch >> 6));
    unit(0x80u | (ch & 0x3Fu));
  } else if (ch < 0x10000) {
    unit(0xE0u | (ch >> 12));
    unit(0x80u | ((ch >> 6) & 0x3Fu));
    unit(0x80u | (ch & 0x3Fu));
  } else {
    unit(0xF0u | (ch >> 18));
    unit(0x80u | ((ch >> 12) & 0x3Fu));
    unit(0x80u | ((ch >> 6) & 0x3Fu));
    unit(0x80u | (ch & 0x3Fu));
  }
}

std::u16string utf8ToUtf16(std::string_view utf8) {
  std::u16string out;
  out.reserve(utf8.size());
  for (std::size_t pos = 0; pos < utf8.size();) {
    char32_t ch = decodeAt(utf8, pos);
    if (ch >= 0x10000) {
      ch -= 0x10000;
      out.push_back(static_cast<char16_t>(0xD800 + (ch >> 10)));
      ch = 0xDC00 + (ch & 0x3FF);
    }
    out.push_back(static_cast<char16_t>(ch));
  }
  return out;
}

std::string utf16ToUtf8(std::u16string_view utf16) {
  std::string out;
  out.reserve(utf16.size());
  for (std::size_t i = 0; i < utf16.size(); ++i) {
    char32_t ch = utf16[i];
    if (ch >= 0xD800 && ch <= 0xDBFF && i + 1 < utf16.size() && utf16[i + 1] >= 0xDC00 &&
        utf16[i + 1] <= 0xDFFF) {
      ch = 0x10000 + ((ch - 0xD800) << 10) + (utf16[++i] - 0xDC00u);
    }
    appendUtf8(out, ch);  // a lone surrogate becomes U+FFFD
  }
  return out;
}

std::size_t utf8Length(std::string_view utf8) {
  std::size_t count = 0;
  for (std::size_t pos = 0; pos < utf8.size(); ++count) decodeAt(utf8, pos);
  return count;
}

}  // namespace common
