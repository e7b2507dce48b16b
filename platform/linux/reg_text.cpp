#include "platform/linux/reg_text.h"

#include <cstdio>

namespace platform_linux {
namespace {

int hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool isOctal(char c) {
  return c >= '0' && c <= '7';
}
bool isBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

std::size_t skipBlanks(std::string_view text, std::size_t pos) {
  while (pos < text.size() && isBlank(text[pos])) ++pos;
  return pos;
}

bool onlyBlanksFrom(std::string_view text, std::size_t pos) {
  return skipBlanks(text, pos) == text.size();
}

// Comma-separated hex bytes up to the end of the line.
std::optional<std::vector<std::uint8_t>> parseHexBytes(std::string_view text) {
  std::vector<std::uint8_t> bytes;
  std::size_t pos = skipBlanks(text, 0);
  while (pos < text.size() && hexDigit(text[pos]) >= 0) {
    unsigned value = 0;
    std::size_t digits = 0;
    for (; pos < text.size() && hexDigit(text[pos]) >= 0; ++pos, ++digits) {
      value = value * 16 + static_cast<unsigned>(hexDigit(text[pos]));
      if (value > 0xFF) return std::nullopt;
    }
    bytes.push_back(static_cast<std::uint8_t>(value));
    pos = skipBlanks(text, pos);
    if (pos < text.size() && text[pos] == ',') pos = skipBlanks(text, pos + 1);
  }
  if (pos != text.size()) return std::nullopt;
  return bytes;
}

std::optional<std::uint32_t> parseHexNumber(std::string_view text, std::size_t& pos) {
  std::uint64_t value = 0;
  std::size_t start = pos;
  for (; pos < text.size() && hexDigit(text[pos]) >= 0; ++pos) {
    value = value * 16 + static_cast<unsigned>(hexDigit(text[pos]));
    if (value > 0xFFFFFFFFu) return std::nullopt;
  }
  if (pos == start) return std::nullopt;
  return static_cast<std::uint32_t>(value);
}

std::optional<RegValue> parseStringData(std::string_view text, std::uint32_t type) {
  auto parsed = parseWineString(text, '"');
  if (!parsed || !onlyBlanksFrom(text, parsed->end + 1)) return std::nullopt;
  parsed->text.push_back(u'\0');
  return RegValue{type, utf16leBytes(parsed->text)};
}

std::optional<RegValue> parseData(std::string_view text) {
  struct StringPrefix {
    std::string_view prefix;
    std::uint32_t type;
  };
  static constexpr StringPrefix kStringPrefixes[] = {
      {"\"", 1}, {"str:\"", 1}, {"str(2):\"", 2}, {"str(7):\"", 7}};
  for (const StringPrefix& p : kStringPrefixes) {
    if (text.starts_with(p.prefix)) return parseStringData(text.substr(p.prefix.size()), p.type);
  }
  if (text.starts_with("dword:")) {
    std::size_t pos = 6;
    auto number = parseHexNumber(text, pos);
    if (!number || !onlyBlanksFrom(text, pos)) return std::nullopt;
    std::vector<std::uint8_t> data(4);
    for (std::size_t i = 0; i < 4; ++i) data[i] = static_cast<std::uint8_t>(*number >> (8 * i));
    return RegValue{4, data};
  }
  std::uint32_t type = 3;
  std::size_t pos = 0;
  if (text.starts_with("hex:")) {
    pos = 4;
  } else if (text.starts_with("hex(")) {
    pos = 4;
    auto number = parseHexNumber(text, pos);
    if (!number || text.substr(pos, 2) != "):") return std::nullopt;
    type = *number;
    pos += 2;
  } else {
    return std::nullopt;
  }
  auto bytes = parseHexBytes(text.substr(pos));
  if (!bytes) return std::nullopt;
  return RegValue{type, std::move(*bytes)};
}

void appendHex(std::string& out, unsigned value, const char* format) {
  char buffer[16];
  int length = std::snprintf(buffer, sizeof buffer, format, value);
  out.append(buffer, static_cast<std::size_t>(length));
}

bool isTerminatedString(const RegValue& value) {
  const auto& d = value.data;
  return d.size() >= 2 && d.size() % 2 == 0 && d[d.size() - 1] == 0 && d[d.size() - 2] == 0;
}

}  // namespace

std::optional<ParsedWineString> parseWineString(std::string_view text, char endChar) {
  ParsedWineString result;
  std::size_t pos = 0;
  while (pos < text.size() && text[pos] != endChar) {
    char c = text[pos++];
    if (c != '\\') {
      result.text.push_back(static_cast<char16_t>(static_cast<unsigned char>(c)));
      continue;
    }
    if (pos == text.size()) return std::nullopt;
    c = text[pos++];
    switch (c) {
      case 'a':
        result.text.push_back(u'\a');
        break;
      case 'b':
        result.text.push_back(u'\b');
        break;
      case 'e':
        result.text.push_back(u'\x1b');
        break;
      case 'f':
        result.text.push_back(u'\f');
        break;
      case 'n':
        result.text.push_back(u'\n');
        break;
      case 'r':
        result.text.push_back(u'\r');
        break;
      case 't':
        result.text.push_back(u'\t');
        break;
      case 'v':
        result.text.push_back(u'\v');
        break;
      case 'x': {
        if (pos == text.size() || hexDigit(text[pos]) < 0) {
          result.text.push_back(u'x');
          break;
        }
        unsigned value = 0;
        for (int digits = 0; digits < 4 && pos < text.size() && hexDigit(text[pos]) >= 0;
             ++digits) {
          value = value * 16 + static_cast<unsigned>(hexDigit(text[pos++]));
        }
        result.text.push_back(static_cast<char16_t>(value));
        break;
      }
      default:
        if (isOctal(c)) {
          unsigned value = static_cast<unsigned>(c - '0');
          for (int digits = 1; digits < 3 && pos < text.size() && isOctal(text[pos]); ++digits) {
            value = value * 8 + static_cast<unsigned>(text[pos++] - '0');
          }
          result.text.push_back(static_cast<char16_t>(value));
        } else {
          result.text.push_back(static_cast<char16_t>(static_cast<unsigned char>(c)));
        }
    }
  }
  if (pos == text.size()) return std::nullopt;
  result.end = pos;
  return result;
}

std::string escapeWineString(std::u16string_view text, std::string_view quoteChars) {
  // The C escapes Wine uses for control characters; '.' marks "use octal".
  static constexpr std::string_view kControlEscapes = ".......abtnvfr.............e....";
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    char16_t c = text[i];
    bool hasNext = i + 1 < text.size();
    char16_t next = hasNext ? text[i + 1] : u'\0';
    if (c > 127) {
      // Four digits when a hex digit follows, so that it is not read as part of the escape.
      bool nextIsHex = hasNext && next < 128 && hexDigit(static_cast<char>(next)) >= 0;
      appendHex(out, c, nextIsHex ? "\\x%04x" : "\\x%x");
    } else if (c < 32) {
      if (c == 0 && !hasNext) continue;
      if (kControlEscapes[c] != '.') {
        out += '\\';
        out += kControlEscapes[c];
      } else {
        bool nextIsOctal = hasNext && next >= u'0' && next <= u'7';
        appendHex(out, c, nextIsOctal ? "\\%03o" : "\\%o");
      }
    } else {
      char plain = static_cast<char>(c);
      if (plain == '\\' || quoteChars.find(plain) != std::string_view::npos) out += '\\';
      out += plain;
    }
  }
  return out;
}

std::optional<RegValueLine> parseValueLine(std::string_view line) {
  RegValueLine result;
  std::size_t pos = 0;
  if (line.starts_with('@')) {
    pos = 1;
  } else if (line.starts_with('"')) {
    auto name = parseWineString(line.substr(1), '"');
    if (!name) return std::nullopt;
    result.name = std::move(name->text);
    pos = 1 + name->end + 1;
  } else {
    return std::nullopt;
  }
  pos = skipBlanks(line, pos);
  if (pos == line.size() || line[pos] != '=') return std::nullopt;
  pos = skipBlanks(line, pos + 1);
  auto value = parseData(line.substr(pos));
  if (!value) return std::nullopt;
  result.value = std::move(*value);
  return result;
}

std::string formatValueLine(std::u16string_view name, const RegValue& value) {
  std::string out;
  if (name.empty()) {
    out = "@=";
  } else {
    out = '"' + escapeWineString(name, "\"") + "\"=";
  }
  const bool isString = value.type == 1 || value.type == 2 || value.type == 7;
  if (isString && isTerminatedString(value)) {
    if (value.type != 1) appendHex(out, value.type, "str(%x):");
    out += '"' + escapeWineString(utf16FromLeBytes(value.data), "\"") + "\"\n";
    return out;
  }
  if (value.type == 4 && value.data.size() == 4) {
    std::uint32_t dw = 0;
    for (std::size_t i = 0; i < 4; ++i) dw |= std::uint32_t{value.data[i]} << (8 * i);
    appendHex(out, dw, "dword:%08x\n");
    return out;
  }
  if (value.type == 3) {
    out += "hex:";
  } else {
    appendHex(out, value.type, "hex(%x):");
  }
  // Wine wraps after the comma that takes the line past 76 characters.
  std::size_t column = out.size();
  for (std::size_t i = 0; i < value.data.size(); ++i) {
    appendHex(out, value.data[i], "%02x");
    column += 2;
    if (i + 1 < value.data.size()) {
      out += ',';
      if (++column > 76) {
        out += "\\\n  ";
        column = 2;
      }
    }
  }
  out += '\n';
  return out;
}

std::vector<std::uint8_t> utf16leBytes(std::u16string_view text) {
  std::vector<std::uint8_t> bytes;
  bytes.reserve(text.size() * 2);
  for (char16_t c : text) {
    bytes.push_back(static_cast<std::uint8_t>(c & 0xFF));
    bytes.push_back(static_cast<std::uint8_t>(c >> 8));
  }
  return bytes;
}

std::u16string utf16FromLeBytes(const std::vector<std::uint8_t>& bytes) {
  std::u16string text;
  text.reserve(bytes.size() / 2);
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
    text.push_back(static_cast<char16_t>(bytes[i] | bytes[i + 1] << 8));
  }
  return text;
}

}  // namespace platform_linux
