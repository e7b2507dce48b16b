#pragma once
// The program's UTF-8 text and the UTF-16 of the wide (W) Windows functions.
// Both directions are lossless for valid text. Malformed input never throws:
// malformed UTF-8 becomes U+FFFD as common/utf8.h describes, and a lone
// surrogate in UTF-16 becomes U+FFFD.

#include <string>
#include <string_view>

namespace platform_win32 {

std::wstring wideFromUtf8(std::string_view utf8);
std::string utf8FromWide(std::wstring_view wide);

}  // namespace platform_win32
