#include "platform/linux/ini_file.h"

#include "platform/linux/reg_case_fold.h"

namespace platform_linux {
namespace {

bool isBlank(char c) {
  return c == ' ' || c == '\t';
}

std::string_view trimBlanks(std::string_view text) {
  while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
  return text;
}

int hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// The position of the first `wanted` that is not escaped, or npos.
std::size_t findUnescaped(std::string_view text, char wanted) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\\') {
      ++i;
    } else if (text[i] == wanted) {
      return i;
    }
  }
  return std::string_view::npos;
}

std::string_view withoutLineBreak(std::string_view line) {
  if (line.ends_with('\n')) line.remove_suffix(1);
  if (line.ends_with('\r')) line.remove_suffix(1);
  return line;
}

}  // namespace

std::string escapeIniText(std::string_view text, IniField field) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    const auto byte = static_cast<unsigned char>(c);
    const bool atEdge = i == 0 || i + 1 == text.size();
    if (c == '\\') {
      out += "\\\\";
    } else if (c == '\n') {
      out += "\\n";
    } else if (c == '\r') {
      out += "\\r";
    } else if (c == '\t') {
      out += "\\t";
    } else if (byte < 0x20 || byte == 0x7F) {
      out += "\\x";
      out += kHex[byte >> 4];
      out += kHex[byte & 0xF];
    } else if (c == ' ' && atEdge) {
      out += "\\s";
    } else if ((field == IniField::Key &&
                (c == '=' || (i == 0 && (c == ';' || c == '#' || c == '[')))) ||
               (field == IniField::Section && c == ']')) {
      out += '\\';
      out += c;
    } else {
      out += c;
    }
  }
  return out;
}

std::optional<std::string> unescapeIniText(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\') {
      out += text[i];
      continue;
    }
    if (++i == text.size()) return std::nullopt;
    switch (text[i]) {
      case '\\':
        out += '\\';
        break;
      case 'n':
        out += '\n';
        break;
      case 'r':
        out += '\r';
        break;
      case 't':
        out += '\t';
        break;
      case 's':
        out += ' ';
        break;
      case '=':
      case ';':
      case '#':
      case '[':
      case ']':
        out += text[i];
        break;
      case 'x': {
        int high = i + 1 < text.size() ? hexDigit(text[i + 1]) : -1;
        int low = i + 2 < text.size() ? hexDigit(text[i + 2]) : -1;
        if (high < 0 || low < 0) return std::nullopt;
        out += static_cast<char>(high * 16 + low);
        i += 2;
        break;
      }
      default:
        return std::nullopt;
    }
  }
  return out;
}

IniFile IniFile::parse(std::string_view text) {
  IniFile file;
  std::optional<std::string> section;  // folded; none before the first good section line
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::size_t end = text.find('\n', pos);
    end = end == std::string_view::npos ? text.size() : end + 1;
    Line line;
    line.raw = std::string(text.substr(pos, end - pos));
    pos = end;
    std::string_view content = trimBlanks(withoutLineBreak(line.raw));
    if (content.empty() || content.front() == ';' || content.front() == '#') {
      // Blank line or comment.
    } else if (content.front() == '[') {
      std::size_t close = findUnescaped(content, ']');
      auto name = close == content.size() - 1 ? unescapeIniText(content.substr(1, close - 1))
                                              : std::nullopt;
      section = name ? std::optional(foldCaseUtf8(*name)) : std::nullopt;
      line.kind = name ? Kind::Section : Kind::BadSection;
      line.foldedSection = section.value_or("");
    } else if (std::size_t equals = findUnescaped(content, '=');
               section && equals != content.npos) {
      auto key = unescapeIniText(trimBlanks(content.substr(0, equals)));
      auto value = unescapeIniText(trimBlanks(content.substr(equals + 1)));
      if (key && value) {
        line.kind = Kind::Entry;
        line.foldedSection = *section;
        line.foldedKey = foldCaseUtf8(*key);
        line.value = std::move(*value);
      }
    }
    file.lines_.push_back(std::move(line));
  }
  return file;
}

std::optional<std::string> IniFile::value(std::string_view section, std::string_view key) const {
  const std::string foldedSection = foldCaseUtf8(section);
  const std::string foldedKey = foldCaseUtf8(key);
  for (auto line = lines_.rbegin(); line != lines_.rend(); ++line) {
    if (line->kind == Kind::Entry && line->foldedSection == foldedSection &&
        line->foldedKey == foldedKey) {
      return line->value;
    }
  }
  return std::nullopt;
}

void IniFile::setValue(std::string_view section, std::string_view key, std::string_view value) {
  Line entry;
  entry.raw =
      escapeIniText(key, IniField::Key) + "=" + escapeIniText(value, IniField::Value) + "\n";
  entry.kind = Kind::Entry;
  entry.foldedSection = foldCaseUtf8(section);
  entry.foldedKey = foldCaseUtf8(key);
  entry.value = std::string(value);

  std::optional<std::size_t> lastSection;
  for (std::size_t i = lines_.size(); i-- > 0;) {
    const Line& line = lines_[i];
    if (line.kind == Kind::Entry && line.foldedSection == entry.foldedSection &&
        line.foldedKey == entry.foldedKey) {
      lines_[i] = std::move(entry);
      return;
    }
    if (!lastSection && line.kind == Kind::Section && line.foldedSection == entry.foldedSection) {
      lastSection = i;
    }
  }

  if (!lines_.empty() && !lines_.back().raw.ends_with('\n')) lines_.back().raw += '\n';
  if (lastSection) {
    std::size_t insertAt = *lastSection + 1;
    for (std::size_t i = *lastSection + 1; i < lines_.size(); ++i) {
      if (lines_[i].kind == Kind::Section || lines_[i].kind == Kind::BadSection) break;
      if (!trimBlanks(withoutLineBreak(lines_[i].raw)).empty()) insertAt = i + 1;
    }
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(insertAt), std::move(entry));
    return;
  }
  if (!lines_.empty() && !trimBlanks(withoutLineBreak(lines_.back().raw)).empty()) {
    Line blank;
    blank.raw = "\n";
    lines_.push_back(std::move(blank));
  }
  Line header;
  header.raw = "[" + escapeIniText(section, IniField::Section) + "]\n";
  header.kind = Kind::Section;
  header.foldedSection = entry.foldedSection;
  lines_.push_back(std::move(header));
  lines_.push_back(std::move(entry));
}

std::string IniFile::text() const {
  std::string out;
  for (const Line& line : lines_) out += line.raw;
  return out;
}

}  // namespace platform_linux
