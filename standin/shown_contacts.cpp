#include "standin/shown_contacts.h"

#include <algorithm>
#include <numeric>

namespace standin {
namespace {

// The next character of UTF-8 text at `pos`, advancing `pos`. A byte that
// starts no sequence stands for itself; the texts come from our engine and
// are well-formed anyway.
char32_t nextCharacter(std::string_view text, std::size_t& pos) {
  const auto lead = static_cast<unsigned char>(text[pos++]);
  std::size_t more = 0;
  char32_t ch = lead;
  if ((lead & 0xE0u) == 0xC0u) {
    more = 1;
    ch = lead & 0x1Fu;
  } else if ((lead & 0xF0u) == 0xE0u) {
    more = 2;
    ch = lead & 0x0Fu;
  } else if ((lead & 0xF8u) == 0xF0u) {
    more = 3;
    ch = lead & 0x07u;
  }
  if (pos + more > text.size()) return lead;
  for (std::size_t i = 0; i < more; ++i) {
    ch = (ch << 6) | (static_cast<unsigned char>(text[pos++]) & 0x3Fu);
  }
  return ch;
}

// The lower-case partner of an upper-case letter of the Latin, Greek and
// Cyrillic alphabets; every other character stands for itself.
char32_t folded(char32_t ch) {
  const auto evenIsUpper = [](char32_t c) { return c % 2 == 0 ? c + 1 : c; };
  const auto oddIsUpper = [](char32_t c) { return c % 2 == 1 ? c + 1 : c; };
  if (ch >= U'A' && ch <= U'Z') return ch + 32;
  if (ch < 0xC0) return ch;
  if (ch <= 0xDE && ch != 0xD7) return ch + 32;
  if (ch >= 0x100 && ch <= 0x12F) return evenIsUpper(ch);
  if (ch >= 0x132 && ch <= 0x137) return evenIsUpper(ch);
  if (ch >= 0x139 && ch <= 0x148) return oddIsUpper(ch);
  if (ch >= 0x14A && ch <= 0x177) return evenIsUpper(ch);
  if (ch == 0x178) return 0xFF;
  if (ch >= 0x179 && ch <= 0x17E) return oddIsUpper(ch);
  if (ch >= 0x391 && ch <= 0x3A9 && ch != 0x3A2) return ch + 32;
  if (ch >= 0x400 && ch <= 0x40F) return ch + 80;
  if (ch >= 0x410 && ch <= 0x42F) return ch + 32;
  return ch;
}

}  // namespace

int compareIgnoringCase(std::string_view a, std::string_view b) {
  std::size_t i = 0;
  std::size_t j = 0;
  while (i < a.size() && j < b.size()) {
    const char32_t x = folded(nextCharacter(a, i));
    const char32_t y = folded(nextCharacter(b, j));
    if (x != y) return x < y ? -1 : 1;
  }
  if (i < a.size()) return 1;
  if (j < b.size()) return -1;
  return 0;
}

const char* columnCaption(Column column) {
  switch (column) {
    case Column::kCompany:
      return "Firma";
    case Column::kName:
      return "Name";
    case Column::kCity:
      return "Ort";
    case Column::kPhone:
      return "Telefon";
    case Column::kId:
      return "ID";
  }
  return "";
}

const std::string& fieldOf(const Contact& contact, Column column) {
  switch (column) {
    case Column::kCompany:
      return contact.company;
    case Column::kName:
      return contact.name;
    case Column::kCity:
      return contact.city;
    case Column::kPhone:
      return contact.phone;
    case Column::kId:
      break;
  }
  return contact.id;
}

template <typename Change>
void ShownContacts::change(Change&& apply) {
  if (before_) before_();
  apply();
  if (after_) after_();
}

void ShownContacts::setTable(ContactTable table) {
  change([&] {
    table_ = std::move(table);
    shown_.resize(table_.contacts().size());
    std::iota(shown_.begin(), shown_.end(), 0);
    lookupActive_ = false;
  });
}

void ShownContacts::showAll() {
  change([&] {
    shown_.resize(table_.contacts().size());
    std::iota(shown_.begin(), shown_.end(), 0);
    lookupActive_ = false;
  });
}

void ShownContacts::showLookup(std::vector<int> rows) {
  change([&] {
    shown_ = std::move(rows);
    lookupActive_ = true;
  });
}

const Contact& ShownContacts::at(std::size_t position) const {
  return table_.contacts()[static_cast<std::size_t>(shown_[position])];
}

void ShownContacts::sortBy(Column column, bool descending) {
  const auto& contacts = table_.contacts();
  std::stable_sort(shown_.begin(), shown_.end(), [&](int a, int b) {
    const int c = compareIgnoringCase(fieldOf(contacts[static_cast<std::size_t>(a)], column),
                                      fieldOf(contacts[static_cast<std::size_t>(b)], column));
    return descending ? c > 0 : c < 0;
  });
}

std::string ShownContacts::statusText() const {
  const std::string contacts =
      shown_.size() == 1 ? "1 Kontakt" : std::to_string(shown_.size()) + " Kontakte";
  return contacts + (lookupActive_ ? " angezeigt – Lookup aktiv" : " angezeigt – alle Kontakte");
}

void ShownContacts::onChange(std::function<void()> before, std::function<void()> after) {
  before_ = std::move(before);
  after_ = std::move(after);
}

}  // namespace standin
