#include "platform/win32/wide_text.h"

#include "common/utf8.h"

namespace platform_win32 {

// wchar_t is a UTF-16 code unit on Windows.
static_assert(sizeof(wchar_t) == sizeof(char16_t));

std::wstring wideFromUtf8(std::string_view utf8) {
  const std::u16string utf16 = common::utf8ToUtf16(utf8);
  return std::wstring(utf16.begin(), utf16.end());
}

std::string utf8FromWide(std::wstring_view wide) {
  const std::u16string utf16(wide.begin(), wide.end());
  return common::utf16ToUtf8(utf16);
}

}  // namespace platform_win32
