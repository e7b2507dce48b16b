#pragma once
// The 8-bit code pages of dBase/FoxPro tables, chosen by the language-driver
// byte of the header. Each maps byte codes to Unicode and back.

#include <cstdint>
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

// The code page of a language-driver byte: 0x01 cp437, 0x02 cp850, 0x03 and
// 0x57 cp1252, 0x64 cp852, 0x65 cp866, 0x66 cp865, 0xC8 cp1250, and dBase's
// national DOS drivers for the same pages (0x08 cp865, 0x1F cp852, 0x26
// cp866, ...); every other byte (0 included) cp1252. The result lives for the
// whole program.
const Codepage& codepageForLanguageDriver(std::uint8_t languageDriver);
const Codepage& cp1252Codepage();

}  // namespace dbengine
