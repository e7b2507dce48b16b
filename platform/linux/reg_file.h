#pragma once
// A registry file in the format Wine keeps HKEY_CURRENT_USER in (user.reg):
//
//   WINE REGISTRY Version 2
//   ;; All keys relative to REGISTRY\\User\\S-1-5-21-0-0-0-1000
//
//   #arch=win64
//
//   [Software\\Symantec\\ACT!] 1700000000
//   #time=1da0b1c2d3e4f50
//   "NetLinks File Type"="C:\\ACT\\NetLinks"
//
// The first line must be the header. A section line names a key, its path
// components separated by an escaped backslash, followed by the time of its
// last change; the value lines under it (see reg_text.h) belong to that key.
// Lines starting with ";" or "#" are comments or options, blank lines separate
// sections. A key exists when a section names it or a key below it. Key and
// value names are compared without regard to letter case (reg_case_fold.h);
// when a name occurs twice the later line wins.
//
// A malformed line is skipped as Wine skips it: a bad value line loses that
// value, a bad section line the values under it.
//
// The file keeps every line as it was read, so that setting a value changes
// that value's line (or adds lines) and nothing else, byte for byte.

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/linux/reg_text.h"

namespace platform_linux {

class RegFile {
 public:
  // nullopt when the text does not start with the header.
  static std::optional<RegFile> parse(std::string_view text);
  // A file with Wine's header and no keys.
  static RegFile createEmpty();

  // `keyPath`: components separated by "\"; a single trailing "\" is allowed,
  // an empty component is not. The empty path is the root, which always
  // exists. False for an invalid path.
  bool hasKey(std::u16string_view keyPath) const;

  // The key's values by folded name; nullopt when the key does not exist.
  std::optional<std::map<std::u16string, RegValue>> valuesOf(std::u16string_view keyPath) const;

  // Sets the value, replacing its line if it has one, else adding a line to
  // the key's section, else adding a section for the key at the end of the
  // file (with `unixTime` as its time of change). False for an invalid or
  // empty key path; the file is then unchanged.
  bool setValue(std::u16string_view keyPath, std::u16string_view name, const RegValue& value,
                std::int64_t unixTime);

  // The whole file as it would be written.
  std::string text() const;

 private:
  enum class Kind { Other, Section, BadSection, Value };
  struct Line {
    std::string raw;  // the physical lines with their line breaks
    Kind kind = Kind::Other;
    std::u16string foldedKey;   // Section: the key; Value: the key it belongs to
    std::u16string foldedName;  // Value
    RegValue value;             // Value
  };

  void addLine(std::string raw, std::string_view logical);
  std::optional<std::size_t> lastSectionOf(const std::u16string& foldedKey) const;

  std::vector<Line> lines_;
  std::u16string currentKey_;  // while parsing
  bool inKey_ = false;
};

// The key path with its components checked and re-joined by "\", nullopt
// when a component is empty.
std::optional<std::u16string> normalizeKeyPath(std::u16string_view keyPath);

}  // namespace platform_linux
