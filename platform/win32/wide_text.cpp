#include "platform/win32/wide_text.h"

#include "common/cp1252.h"
#include "common/utf8.h"

namespace platform_win32 {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool isHighSurrogate(char32_t unit) {
  return unit >= 0xD800 && unit <= 0xDBFF;
}
bool isLowSurrogate(char32_t unit) {
  return unit >= 0xDC00 && unit <= 0xDFFF;
}

std::u32string codePointsOf(std::wstring_view wide) {
  std::u32string out;
  out.reserve(wide.size());
  for (std::size_t i = 0; i < wide.size(); ++i) {
    const char32_t unit = static_cast<char16_t>(wide[i]);
    if (isHighSurrogate(unit) && i + 1 < wide.size() &&
        isLowSurrogate(static_cast<char16_t>(wide[i + 1]))) {
      const char32_t low = static_cast<char16_t>(wide[++i]);
      out += 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00);
    } else {
      out += isHighSurrogate(unit) || isLowSurrogate(unit) ? kReplacement : unit;
    }
  }
  return out;
}

std::wstring wideOf(std::u32string_view text) {
  std::wstring out;
  out.reserve(text.size());
  for (char32_t c : text) {
    if (c >= 0x10000) {
      c -= 0x10000;
      out += static_cast<wchar_t>(0xD800 + (c >> 10));
      out += static_cast<wchar_t>(0xDC00 + (c & 0x3FF));
    } else {
      out += static_cast<wchar_t>(c);
    }
  }
  return out;
}

}  // namespace

std::wstring wideFromUtf8(std::string_view utf8) {
  return wideOf(common::utf8ToUtf32(utf8));
}

std::string utf8FromWide(std::wstring_view wide) {
  return common::utf32ToUtf8(codePointsOf(wide));
}

std::wstring wideFromCp1252(std::string_view bytes) {
  std::wstring out;
  out.reserve(bytes.size());
  for (char byte : bytes) {
    out += static_cast<wchar_t>(common::cp1252ToUnicode(static_cast<std::uint8_t>(byte)));
  }
  return out;
}

std::string cp1252FromWide(std::wstring_view wide) {
  std::string out;
  out.reserve(wide.size());
  for (char32_t c : codePointsOf(wide)) {
    const int byte = common::unicodeToCp1252(c);
    out += byte < 0 ? '?' : static_cast<char>(byte);
  }
  return out;
}

}  // namespace platform_win32
