#pragma once
// The text forms of Wine's registry files (user.reg): escaped strings and
// value lines. A value line is one of
//
//   "Name"="text"              REG_SZ; @ instead of "Name" for the default value
//   "Name"=str(2):"text"       REG_EXPAND_SZ (str(7): REG_MULTI_SZ, str: REG_SZ)
//   "Name"=dword:0000002a      REG_DWORD
//   "Name"=hex:01,02,ab        REG_BINARY
//   "Name"=hex(b):88,77,...    any type, given in hex, as raw bytes
//
// Strings are UTF-16 code units. Inside quotes, \\ and \" stand for themselves,
// \a \b \e \f \n \r \t \v for the control characters, \xHHHH (one to four hex
// digits) for any code unit and \OOO (one to three octal digits) for small
// ones; another escaped character stands for itself. Any other byte is taken
// as the code unit of the same number (Latin-1). Wine writes characters above
// 127 as \x escapes, so its files are plain ASCII. A string value's data is its
// code units in UTF-16LE followed by a terminating NUL.
//
// Lines ending in a backslash continue on the next one; the caller joins them
// before parsing.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform_linux {

struct RegValue {
  std::uint32_t type = 0;
  std::vector<std::uint8_t> data;  // as Windows stores it (UTF-16LE for strings)
  bool operator==(const RegValue&) const = default;
};

struct RegValueLine {
  std::u16string name;  // empty for the default value
  RegValue value;
};

struct ParsedWineString {
  std::u16string text;
  std::size_t end = 0;  // index of the unescaped `endChar` that closed it
};

// Decodes an escaped string from the start of `text` up to the first unescaped
// `endChar`. nullopt when the text ends first or an escape is cut short.
std::optional<ParsedWineString> parseWineString(std::string_view text, char endChar);

// Escapes `text` as Wine does; `quoteChars` (e.g. "\"" or "[]") are escaped
// with a backslash as well. A single NUL at the very end is left out, as Wine
// leaves out a string value's terminator.
std::string escapeWineString(std::u16string_view text, std::string_view quoteChars);

// Parses one logical value line (continuations already joined). nullopt when
// it is malformed.
std::optional<RegValueLine> parseValueLine(std::string_view line);

// The value line Wine writes for this value, with its line breaks and final
// newline.
std::string formatValueLine(std::u16string_view name, const RegValue& value);

// UTF-16LE bytes of code units, and back (an odd last byte is dropped).
std::vector<std::uint8_t> utf16leBytes(std::u16string_view text);
std::u16string utf16FromLeBytes(const std::vector<std::uint8_t>& bytes);

}  // namespace platform_linux
