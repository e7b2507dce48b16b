#include "standin/call_log.h"

#include "common/path_text.h"

namespace standin {
namespace {

std::string jsonText(std::string_view text) {
  static constexpr char kHex[] = "0123456789abcdef";
  std::string out;
  out.reserve(text.size() + 2);
  out += '"';
  for (const char c : text) {
    switch (c) {
      case '"':
        out += "\\\"";
        break;
      case '\\':
        out += "\\\\";
        break;
      case '\b':
        out += "\\b";
        break;
      case '\f':
        out += "\\f";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\t':
        out += "\\t";
        break;
      default:
        if (static_cast<unsigned char>(c) < 0x20) {
          out += "\\u00";
          out += kHex[static_cast<unsigned char>(c) >> 4];
          out += kHex[static_cast<unsigned char>(c) & 0xF];
        } else {
          out += c;
        }
    }
  }
  out += '"';
  return out;
}

}  // namespace

LogEntry::LogEntry(std::string_view call) {
  text("call", call);
}

LogEntry& LogEntry::text(std::string_view key, std::string_view value) {
  members_.insert_or_assign(std::string(key), jsonText(value));
  return *this;
}

LogEntry& LogEntry::number(std::string_view key, std::int64_t value) {
  members_.insert_or_assign(std::string(key), std::to_string(value));
  return *this;
}

LogEntry& LogEntry::null(std::string_view key) {
  members_.insert_or_assign(std::string(key), "null");
  return *this;
}

LogEntry& LogEntry::values(std::string_view key,
                           const std::vector<std::variant<std::int64_t, std::string>>& values) {
  std::string array = "[";
  for (std::size_t i = 0; i < values.size(); ++i) {
    if (i > 0) array += ',';
    if (const auto* number = std::get_if<std::int64_t>(&values[i])) {
      array += std::to_string(*number);
    } else {
      array += jsonText(std::get<std::string>(values[i]));
    }
  }
  members_.insert_or_assign(std::string(key), array + "]");
  return *this;
}

LogEntry& LogEntry::texts(std::string_view key, const std::vector<std::string>& values) {
  std::string array = "[";
  for (std::size_t i = 0; i < values.size(); ++i) {
    if (i > 0) array += ',';
    array += jsonText(values[i]);
  }
  members_.insert_or_assign(std::string(key), array + "]");
  return *this;
}

std::string LogEntry::json() const {
  std::string line = "{";
  for (const auto& [key, value] : members_) {
    if (line.size() > 1) line += ',';
    line += jsonText(key);
    line += ':';
    line += value;
  }
  return line + "}";
}

bool CallLog::open(std::string_view path) {
  file_.open(common::pathFromUtf8(path), std::ios::out | std::ios::app | std::ios::binary);
  return file_.is_open();
}

void CallLog::write(const LogEntry& entry) {
  if (!file_.is_open()) return;
  file_ << entry.json() << '\n';
  file_.flush();
}

}  // namespace standin
