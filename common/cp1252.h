#pragma once
// Windows-1252, the 8-bit code page of the program's data and platform calls.
// One table, used both ways.

#include <cstdint>
#include <string>
#include <string_view>

namespace common {

// The Unicode character of a Windows-1252 byte. The five bytes the code page
// leaves undefined (0x81 0x8D 0x8F 0x90 0x9D) map to the C1 controls of the
// same number, as Windows does.
char32_t cp1252ToUnicode(std::uint8_t byte);

// The Windows-1252 byte of a Unicode character, or -1 when it has none.
int unicodeToCp1252(char32_t ch);

// Windows-1252 bytes to UTF-8.
std::string cp1252ToUtf8(std::string_view bytes);

// UTF-8 to Windows-1252 bytes; characters the code page cannot hold (and
// malformed UTF-8) become "?".
std::string utf8ToCp1252(std::string_view utf8);

}  // namespace common
