#include "dbengine/storage/codepage.h"

#include <array>
#include <string>

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

namespace {

struct Driver {
  std::uint8_t byte;
  int codepage;
};

// The language-driver bytes of dBase and FoxPro headers and the code pages
// they name; several drivers (national sort orders) share a page.
constexpr Driver kDrivers[] = {
    {0x01, 437},   {0x02, 850},   {0x03, 1252}, {0x04, 10000}, {0x08, 865},  {0x09, 437},
    {0x0A, 850},   {0x0B, 437},   {0x0D, 437},  {0x0E, 850},   {0x0F, 437},  {0x10, 850},
    {0x11, 437},   {0x12, 850},   {0x13, 932},  {0x14, 850},   {0x15, 437},  {0x16, 850},
    {0x17, 865},   {0x18, 437},   {0x19, 437},  {0x1A, 850},   {0x1B, 437},  {0x1C, 863},
    {0x1D, 850},   {0x1F, 852},   {0x22, 852},  {0x23, 852},   {0x24, 860},  {0x25, 850},
    {0x26, 866},   {0x37, 850},   {0x40, 852},  {0x4D, 936},   {0x4E, 949},  {0x4F, 950},
    {0x50, 874},   {0x57, 1252},  {0x58, 1252}, {0x59, 1252},  {0x64, 852},  {0x65, 866},
    {0x66, 865},   {0x67, 861},   {0x68, 895},  {0x69, 620},   {0x6A, 737},  {0x6B, 857},
    {0x6C, 863},   {0x78, 950},   {0x79, 949},  {0x7A, 936},   {0x7B, 932},  {0x7C, 874},
    {0x7D, 1255},  {0x7E, 1256},  {0x86, 737},  {0x87, 852},   {0x88, 857},  {0x96, 10007},
    {0x97, 10029}, {0x98, 10006}, {0xC8, 1250}, {0xC9, 1251},  {0xCA, 1254}, {0xCB, 1253},
    {0xCC, 1257},
};

int codepageNumber(std::uint8_t languageDriver) {
  for (const Driver& driver : kDrivers) {
    if (driver.byte == languageDriver) return driver.codepage;
  }
  return 1252;  // 0 and every byte that names no code page
}

}  // namespace

std::optional<int> multibyteCodepage(std::uint8_t languageDriver) {
  const int number = codepageNumber(languageDriver);
  if (number == 932 || number == 936 || number == 949 || number == 950) return number;
  return std::nullopt;
}

const Codepage& codepageForLanguageDriver(std::uint8_t languageDriver) {
  namespace t = codepage_tables;
  static const TableCodepage pages[] = {
      {"cp437", t::kCp437},      {"cp620", t::kCp620},         {"cp737", t::kCp737},
      {"cp850", t::kCp850},      {"cp852", t::kCp852},         {"cp857", t::kCp857},
      {"cp860", t::kCp860},      {"cp861", t::kCp861},         {"cp863", t::kCp863},
      {"cp865", t::kCp865},      {"cp866", t::kCp866},         {"cp895", t::kCp895},
      {"cp874", t::kCp874},      {"cp1250", t::kCp1250},       {"cp1251", t::kCp1251},
      {"cp1253", t::kCp1253},    {"cp1254", t::kCp1254},       {"cp1255", t::kCp1255},
      {"cp1256", t::kCp1256},    {"cp1257", t::kCp1257},       {"cp10000", t::kMacRoman},
      {"cp10006", t::kMacGreek}, {"cp10007", t::kMacCyrillic}, {"cp10029", t::kMacLatin2},
  };
  const std::string name = "cp" + std::to_string(codepageNumber(languageDriver));
  for (const TableCodepage& page : pages) {
    if (page.name() == name) return page;
  }
  return cp1252Codepage();  // Windows-1252 itself, and the multibyte pages (refused on open)
}

}  // namespace dbengine
