#include "dbengine/storage/codepage.h"

#include <array>

#include "common/cp1252.h"
#include "common/utf8.h"
#include "dbengine/storage/codepage_tables.h"

namespace dbengine {

namespace {

class Cp1252 final : public Codepage {
 public:
  std::string_view name() const override { return "cp1252"; }
  char32_t toUnicode(std::uint8_t byte) const override { return common::cp1252ToUnicode(byte); }
  int fromUnicode(char32_t ch) const override { return common::unicodeToCp1252(ch); }
};

// A code page whose lower half is ASCII and whose upper half is a table.
class TableCodepage final : public Codepage {
 public:
  TableCodepage(std::string_view name, const std::array<char32_t, 128>& upper)
      : name_(name), upper_(upper) {}
  std::string_view name() const override { return name_; }
  char32_t toUnicode(std::uint8_t byte) const override {
    return byte < 0x80 ? char32_t{byte} : upper_[static_cast<std::size_t>(byte - 0x80)];
  }
  int fromUnicode(char32_t ch) const override {
    if (ch < 0x80) return static_cast<int>(ch);
    for (std::size_t i = 0; i < upper_.size(); ++i) {
      if (upper_[i] == ch) return static_cast<int>(i + 0x80);
    }
    return -1;
  }

 private:
  std::string_view name_;
  const std::array<char32_t, 128>& upper_;
};

}  // namespace

std::string Codepage::decode(std::string_view bytes) const {
  // Most stored text is ASCII, which every code page here leaves as it is.
  std::size_t ascii = 0;
  while (ascii < bytes.size() && static_cast<std::uint8_t>(bytes[ascii]) < 0x80) ++ascii;
  std::string out(bytes.substr(0, ascii));
  if (ascii == bytes.size()) return out;
  out.reserve(bytes.size() + 8);
  for (char c : bytes.substr(ascii)) {
    const auto byte = static_cast<std::uint8_t>(c);
    if (byte < 0x80) {
      out.push_back(c);
    } else {
      common::appendUtf8(out, toUnicode(byte));
    }
  }
  return out;
}

const Codepage& cp1252Codepage() {
  static const Cp1252 page;
  return page;
}

const Codepage& codepageForLanguageDriver(std::uint8_t languageDriver) {
  static const TableCodepage cp437("cp437", codepage_tables::kCp437);
  static const TableCodepage cp850("cp850", codepage_tables::kCp850);
  static const TableCodepage cp852("cp852", codepage_tables::kCp852);
  static const TableCodepage cp865("cp865", codepage_tables::kCp865);
  static const TableCodepage cp866("cp866", codepage_tables::kCp866);
  static const TableCodepage cp1250("cp1250", codepage_tables::kCp1250);
  switch (languageDriver) {
    // The numbers FoxPro writes.
    case 0x01:
      return cp437;
    case 0x02:
      return cp850;
    case 0x64:
      return cp852;
    case 0x65:
      return cp866;
    case 0x66:
      return cp865;
    case 0xC8:
      return cp1250;
    // The national DOS drivers of dBase, which name the same code pages.
    case 0x09:
    case 0x0B:
    case 0x0D:
    case 0x0F:
    case 0x11:
    case 0x15:
    case 0x18:
    case 0x19:
    case 0x1B:
      return cp437;
    case 0x0A:
    case 0x0E:
    case 0x10:
    case 0x12:
    case 0x14:
    case 0x16:
    case 0x1A:
    case 0x1D:
    case 0x25:
    case 0x37:
      return cp850;
    case 0x1F:
    case 0x22:
    case 0x23:
    case 0x40:
      return cp852;
    case 0x26:
      return cp866;
    case 0x08:
    case 0x17:
      return cp865;
    default:
      return cp1252Codepage();  // 0x03, 0x57..0x59, 0 and every byte we do not know
  }
}

}  // namespace dbengine
