#include "platform/linux/reg_file.h"

#include <cinttypes>
#include <cstdio>

#include "platform/linux/reg_case_fold.h"

namespace platform_linux {
namespace {

constexpr std::string_view kHeader = "WINE REGISTRY Version 2";

std::string_view withoutLineBreak(std::string_view line) {
  if (line.ends_with('\n')) line.remove_suffix(1);
  if (line.ends_with('\r')) line.remove_suffix(1);
  return line;
}

// "[path] 1700000000": the unescaped path, or nullopt when malformed.
std::optional<std::u16string> parseSectionLine(std::string_view line) {
  auto path = parseWineString(line.substr(1), ']');
  if (!path) return std::nullopt;
  std::string_view rest = line.substr(1 + path->end + 1);
  for (char c : rest) {
    if (c != ' ' && c != '\t' && (c < '0' || c > '9')) return std::nullopt;
  }
  return normalizeKeyPath(path->text);
}

std::string sectionHeaderFor(std::u16string_view keyPath, std::int64_t unixTime) {
  std::string out = "[";
  std::size_t start = 0;
  while (true) {
    std::size_t end = keyPath.find(u'\\', start);
    out += escapeWineString(keyPath.substr(start, end - start), "[]");
    if (end == std::u16string_view::npos) break;
    out += "\\\\";
    start = end + 1;
  }
  // Wine's "#time=" is the Windows file time (100 ns since 1601) in hex.
  std::uint64_t fileTime = static_cast<std::uint64_t>(unixTime + 11644473600LL) * 10000000u;
  char buffer[96];
  std::snprintf(buffer, sizeof buffer, "] %" PRId64 "\n#time=%" PRIx64 "\n", unixTime, fileTime);
  return out + buffer;
}

// Ends the line so that another can follow it. A last line that ends in a
// backslash would take the next one as its continuation: an empty line
// absorbs that.
void endLine(std::string& raw) {
  if (!raw.ends_with('\n')) raw += '\n';
  if (withoutLineBreak(raw).ends_with('\\')) raw += '\n';
}

}  // namespace

std::optional<std::u16string> normalizeKeyPath(std::u16string_view keyPath) {
  if (keyPath.ends_with(u'\\')) keyPath.remove_suffix(1);
  if (keyPath.empty()) return std::u16string();
  std::size_t start = 0;
  while (true) {
    std::size_t end = keyPath.find(u'\\', start);
    if (end == start || start == keyPath.size()) return std::nullopt;
    if (end == std::u16string_view::npos) break;
    start = end + 1;
  }
  return std::u16string(keyPath);
}

std::optional<RegFile> RegFile::parse(std::string_view text) {
  RegFile file;
  std::string raw;
  std::string logical;
  std::size_t pos = 0;
  bool first = true;
  while (pos < text.size()) {
    std::size_t end = text.find('\n', pos);
    end = end == std::string_view::npos ? text.size() : end + 1;
    std::string_view physical = text.substr(pos, end - pos);
    pos = end;
    raw += physical;
    std::string_view content = withoutLineBreak(physical);
    if (content.ends_with('\\') && pos < text.size()) {
      logical += content.substr(0, content.size() - 1);
      continue;
    }
    logical += content;
    if (first && logical != kHeader) return std::nullopt;
    first = false;
    file.addLine(std::move(raw), logical);
    raw.clear();
    logical.clear();
  }
  if (first) return std::nullopt;
  return file;
}

RegFile RegFile::createEmpty() {
  return *parse(
      "WINE REGISTRY Version 2\n"
      ";; All keys relative to REGISTRY\\\\User\\\\S-1-5-21-0-0-0-1000\n"
      "\n"
      "#arch=win64\n");
}

void RegFile::addLine(std::string raw, std::string_view logical) {
  Line line;
  line.raw = std::move(raw);
  if (logical.starts_with('[')) {
    auto key = parseSectionLine(logical);
    inKey_ = key.has_value() && !key->empty();
    currentKey_ = inKey_ ? foldCase(*key) : std::u16string();
    line.kind = inKey_ ? Kind::Section : Kind::BadSection;
    line.foldedKey = currentKey_;
  } else if (inKey_ && (logical.starts_with('@') || logical.starts_with('"'))) {
    if (auto value = parseValueLine(logical)) {
      line.kind = Kind::Value;
      line.foldedKey = currentKey_;
      line.foldedName = foldCase(value->name);
      line.value = std::move(value->value);
    }
  }
  lines_.push_back(std::move(line));
}

bool RegFile::hasKey(std::u16string_view keyPath) const {
  auto path = normalizeKeyPath(keyPath);
  if (!path) return false;
  if (path->empty()) return true;
  const std::u16string folded = foldCase(*path);
  for (const Line& line : lines_) {
    if (line.kind != Kind::Section) continue;
    if (line.foldedKey == folded ||
        (line.foldedKey.starts_with(folded) && line.foldedKey[folded.size()] == u'\\')) {
      return true;
    }
  }
  return false;
}

std::optional<std::map<std::u16string, RegValue>> RegFile::valuesOf(
    std::u16string_view keyPath) const {
  if (!hasKey(keyPath)) return std::nullopt;
  const std::u16string folded = foldCase(*normalizeKeyPath(keyPath));
  std::map<std::u16string, RegValue> values;
  for (const Line& line : lines_) {
    if (line.kind == Kind::Value && line.foldedKey == folded) {
      values[line.foldedName] = line.value;
    }
  }
  return values;
}

std::optional<std::size_t> RegFile::lastSectionOf(const std::u16string& foldedKey) const {
  std::optional<std::size_t> found;
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    if (lines_[i].kind == Kind::Section && lines_[i].foldedKey == foldedKey) found = i;
  }
  return found;
}

bool RegFile::setValue(std::u16string_view keyPath, std::u16string_view name, const RegValue& value,
                       std::int64_t unixTime) {
  auto path = normalizeKeyPath(keyPath);
  if (!path || path->empty()) return false;
  const std::u16string foldedKey = foldCase(*path);
  const std::u16string foldedName = foldCase(name);
  Line newLine;
  newLine.raw = formatValueLine(name, value);
  newLine.kind = Kind::Value;
  newLine.foldedKey = foldedKey;
  newLine.foldedName = foldedName;
  newLine.value = value;

  // The line that wins today is the one to replace.
  for (std::size_t i = lines_.size(); i-- > 0;) {
    Line& line = lines_[i];
    if (line.kind == Kind::Value && line.foldedKey == foldedKey && line.foldedName == foldedName) {
      bool crlf = line.raw.ends_with("\r\n");
      line = std::move(newLine);
      if (crlf) {
        std::string converted;
        for (char c : line.raw) converted += c == '\n' ? std::string("\r\n") : std::string(1, c);
        line.raw = std::move(converted);
      }
      return true;
    }
  }

  if (auto section = lastSectionOf(foldedKey)) {
    // After the section's last line that is not blank.
    std::size_t insertAt = *section + 1;
    for (std::size_t i = *section + 1; i < lines_.size(); ++i) {
      Kind kind = lines_[i].kind;
      if (kind == Kind::Section || kind == Kind::BadSection) break;
      if (!withoutLineBreak(lines_[i].raw).empty()) insertAt = i + 1;
    }
    endLine(lines_[insertAt - 1].raw);
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(insertAt), std::move(newLine));
    return true;
  }

  endLine(lines_.back().raw);
  if (!withoutLineBreak(lines_.back().raw).empty()) {
    Line blank;
    blank.raw = "\n";
    lines_.push_back(std::move(blank));
  }
  Line header;
  header.raw = sectionHeaderFor(*path, unixTime);
  header.kind = Kind::Section;
  header.foldedKey = foldedKey;
  lines_.push_back(std::move(header));
  lines_.push_back(std::move(newLine));
  inKey_ = false;
  return true;
}

std::string RegFile::text() const {
  std::string out;
  for (const Line& line : lines_) out += line.raw;
  return out;
}

}  // namespace platform_linux
