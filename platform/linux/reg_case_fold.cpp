#include "platform/linux/reg_case_fold.h"

#include "common/utf8.h"

namespace platform_linux {

char32_t foldCase(char32_t ch) {
  if (ch < 0x80) return ch >= 'A' && ch <= 'Z' ? ch + 0x20 : ch;
  if (ch >= 0xC0 && ch <= 0xDE && ch != 0xD7) return ch + 0x20;
  if (ch >= 0x100 && ch <= 0x17F) {
    // Capital and small letters alternate; the run from U+0139 to U+0148 and
    // the one from U+0179 start on an odd code point.
    if (ch == 0x178) return 0xFF;
    bool oddCapitals = (ch >= 0x139 && ch <= 0x148) || ch >= 0x179;
    if (ch == 0x130 || ch == 0x131 || ch == 0x138 || ch == 0x149 || ch == 0x17F) return ch;
    bool isCapital = oddCapitals ? (ch % 2 == 1) : (ch % 2 == 0);
    return isCapital ? ch + 1 : ch;
  }
  if (ch >= 0x391 && ch <= 0x3A9 && ch != 0x3A2) return ch + 0x20;
  if (ch >= 0x410 && ch <= 0x42F) return ch + 0x20;
  if (ch >= 0x400 && ch <= 0x40F) return ch + 0x50;
  return ch;
}

std::u16string foldCase(std::u16string_view text) {
  std::u16string folded(text);
  for (char16_t& ch : folded) ch = static_cast<char16_t>(foldCase(ch));
  return folded;
}

std::string foldCaseUtf8(std::string_view text) {
  std::u32string chars = common::utf8ToUtf32(text);
  for (char32_t& ch : chars) ch = foldCase(ch);
  return common::utf32ToUtf8(chars);
}

}  // namespace platform_linux
