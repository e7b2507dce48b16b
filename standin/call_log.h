#pragma once
// The log of automation calls for tests: one JSON object per line and per
// call, appended and flushed before the call is answered, so a test that
// has its answer can read the entry. A closed log (no file given) writes
// nothing.
//
// Entries: "call" (the member name), the arguments ("args" for Create, "ids"
// or "idList" for CreateLookup, "view" for the number of the view called),
// and "result" (null when the stand-in left without answering). Keys are
// written in alphabetical order, text as UTF-8 with JSON's escapes.

#include <cstdint>
#include <fstream>
#include <map>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace standin {

class LogEntry {
 public:
  explicit LogEntry(std::string_view call);

  LogEntry& text(std::string_view key, std::string_view value);
  LogEntry& number(std::string_view key, std::int64_t value);
  LogEntry& null(std::string_view key);
  // An array whose items are numbers or texts, each as it was given.
  LogEntry& values(std::string_view key,
                   const std::vector<std::variant<std::int64_t, std::string>>& values);
  LogEntry& texts(std::string_view key, const std::vector<std::string>& values);

  // The entry as one line of JSON, without the line break.
  std::string json() const;

 private:
  std::map<std::string, std::string, std::less<>> members_;  // key -> JSON value
};

class CallLog {
 public:
  // Opens `path` (UTF-8) for appending, creating the file when missing;
  // false (and a closed log) when it cannot.
  bool open(std::string_view path);
  bool isOpen() const { return file_.is_open(); }

  void write(const LogEntry& entry);

 private:
  std::ofstream file_;
};

}  // namespace standin
