#pragma once
// UTF-8 to and from code points. Malformed input never throws: each byte that
// does not start a complete, shortest-form sequence of a valid code point
// (overlong forms, surrogates and values above U+10FFFF count as malformed)
// becomes one U+FFFD, and decoding goes on with the next byte. Encoding a
// surrogate or a value above U+10FFFF writes U+FFFD.

#include <string>
#include <string_view>

namespace common {

std::u32string utf8ToUtf32(std::string_view utf8);
std::string utf32ToUtf8(std::u32string_view text);
void appendUtf8(std::string& out, char32_t ch);

// UTF-8 and UTF-16 (the wide text of Windows and of its registry files).
// Both directions are lossless for valid text; a surrogate without its
// partner becomes U+FFFD.
std::u16string utf8ToUtf16(std::string_view utf8);
std::string utf16ToUtf8(std::u16string_view utf16);

// Number of characters (code points) in UTF-8 text.
std::size_t utf8Length(std::string_view utf8);

}  // namespace common
