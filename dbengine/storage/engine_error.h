#pragma once
// The error every engine call raises when it fails: a number (those of the
// engine this one stands in for, where one fits), a German description and
// the name of a help file (always empty here). The numbers are listed in the
// README.

#include <stdexcept>
#include <string>
#include <utility>

namespace dbengine {

namespace errc {
inline constexpr int kNoCurrentRecord = 3021;       // no current row (EOF)
inline constexpr int kFileNotFound = 3024;          // a table or memo file is missing
inline constexpr int kInvalidPath = 3044;           // the database folder is not a folder
inline constexpr int kReservedOrMisspelled = 3000;  // internal fault that should never be seen
inline constexpr int kNotATable = 3051;             // file cannot be opened as a table
inline constexpr int kDamagedTable = 3049;          // table file damaged (details in description)
inline constexpr int kSyntaxError = 3075;           // syntax error in the SQL text
inline constexpr int kUnknownColumn = 3061;         // too few parameters: an unknown column name
inline constexpr int kTableNotFound = 3078;         // no table of that name
inline constexpr int kItemNotFound = 3265;          // Fields: no item of that name or index
inline constexpr int kTypeMismatch = 3464;          // comparison of incompatible types
inline constexpr int kUnsupportedType = 3349;       // a field type this engine cannot read
inline constexpr int kInvalidConnect = 3170;        // connect text names no driver we have
inline constexpr int kObjectClosed = 3420;          // the object is closed or no longer valid
inline constexpr int kDamagedMemo = 3343;           // memo file damaged or pointer out of range
inline constexpr int kDiskError = 3043;             // the system could not read a file
inline constexpr int kLockedByOther = 3218;         // another program keeps part of a file locked
}  // namespace errc

class EngineError : public std::runtime_error {
 public:
  EngineError(int number, std::string description, std::string helpFile = {})
      : std::runtime_error(description),
        number_(number),
        description_(std::move(description)),
        helpFile_(std::move(helpFile)) {}

  int number() const noexcept { return number_; }
  const std::string& description() const noexcept { return description_; }
  const std::string& helpFile() const noexcept { return helpFile_; }

 private:
  int number_;
  std::string description_;
  std::string helpFile_;
};

}  // namespace dbengine
