#pragma once
// The 8-bit code pages of dBase/FoxPro tables, chosen by the language-driver
// byte of the header. Each maps byte codes to Unicode and back.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace dbengine {

class Codepage {
 public:
  virtual ~Codepage() = default;
  // "cp1252", "cp850", ...
  virtual std::string_view name() const = 0;
  // The Unicode character of a byte code.
  virtual char32_t toUnicode(std::uint8_t byte) const = 0;
  // The byte code of a Unicode character, or -1 when the code page has none.
  virtual int fromUnicode(char32_t ch) const = 0;

  // Bytes in this code page to UTF-8. Never fails: every byte has a character.
  std::string decode(std::string_view bytes) const;
};

// The code page of a language-driver byte (header byte 29): every
// single-byte page of the dBase and FoxPro driver tables (DOS 437, 620
// Mazovia, 737, 850, 852, 857, 860, 861, 863, 865, 866, 895 Kamenicky; 874
// Thai; Windows 1250 to 1257; Mac 10000, 10006, 10007, 10029). A byte that
// names no code page (0 included) gives Windows-1252. The result lives for
// the whole program.
const Codepage& codepageForLanguageDriver(std::uint8_t languageDriver);
const Codepage& cp1252Codepage();

// The number of the multibyte code page (932, 936, 949, 950) a
// language-driver byte names, whose tables this engine does not read.
std::optional<int> multibyteCodepage(std::uint8_t languageDriver);

}  // namespace dbengine
