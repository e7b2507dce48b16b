#pragma once
// The settings file: an INI file with one section per settings section.
//
//   ; comment (also "#"), blank lines ignored
//   [Suchbegriffe]
//   0=Meyer
//   1=\sMüller & Söhne\s
//
// Blanks and tabs around a line, a key and a value are not part of them, so
// the file may be edited by hand. Names and values are UTF-8 as given, with
// these escapes, so that every text round-trips and ordinary ones stay
// readable:
//
//   \\  backslash                 \n \r \t  line feed, carriage return, tab
//   \s  blank (written only at the start or end of a text)
//   \xHH  any other control character (and DEL), two hex digits
//   \=  \;  \#  \[  \]  the character itself: written for "=" in a key, for
//       ";", "#" and "[" at the start of a key, and for "]" in a section name
//
// A line that is none of the above (no "=", a "[" without its "]", a broken
// escape) is skipped; a broken section line also hides the keys under it until
// the next good one. Section and key names are compared without regard to
// letter case (reg_case_fold.h); when a key occurs twice the later one wins.
//
// The file keeps every line as it was read: setting a key rewrites that key's
// line or adds one, and leaves all other lines as they were.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform_linux {

enum class IniField { Section, Key, Value };

std::string escapeIniText(std::string_view text, IniField field);
// nullopt when an escape is broken.
std::optional<std::string> unescapeIniText(std::string_view text);

class IniFile {
 public:
  // Never fails: what cannot be read is skipped.
  static IniFile parse(std::string_view text);

  std::optional<std::string> value(std::string_view section, std::string_view key) const;
  void setValue(std::string_view section, std::string_view key, std::string_view value);
  std::string text() const;

 private:
  enum class Kind { Other, Section, BadSection, Entry };
  struct Line {
    std::string raw;  // with its line break
    Kind kind = Kind::Other;
    std::string foldedSection;  // Section and Entry
    std::string foldedKey;      // Entry
    std::string value;          // Entry
  };

  std::vector<Line> lines_;
};

}  // namespace platform_linux
