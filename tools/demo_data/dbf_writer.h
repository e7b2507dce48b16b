#pragma once
// Writes dBase III tables (version byte 0x03, Windows-1252 language driver)
// with character, numeric, date and logical fields, streaming records to the
// file so that tables of any size need constant memory.

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

namespace demo_data {

struct FieldSpec {
  std::string name;  // at most 10 ASCII characters
  char type;         // 'C', 'N', 'D' or 'L'
  std::uint8_t length;
  std::uint8_t decimals = 0;
};

class DbfWriter {
 public:
  // Creates (or replaces) the file and writes a header for `recordCount`
  // records; exactly that many must then be added. Throws std::runtime_error
  // when the file cannot be written or the fields are invalid.
  DbfWriter(const std::filesystem::path& path, std::vector<FieldSpec> fields,
            std::uint32_t recordCount);
  ~DbfWriter();
  DbfWriter(const DbfWriter&) = delete;
  DbfWriter& operator=(const DbfWriter&) = delete;

  std::uint32_t recordLength() const { return recordLength_; }

  // Adds one record. `values` holds one UTF-8 text per field ("" for blank):
  // character values are converted to Windows-1252, cut to the field length
  // and padded with blanks; numbers are right-aligned; dates are YYYYMMDD;
  // logicals "T"/"F". A deleted record carries the deletion flag.
  void add(const std::vector<std::string>& values, bool deleted = false);

  // Writes the end marker and closes the file; checks the record count.
  void finish();

 private:
  std::ofstream out_;
  std::vector<FieldSpec> fields_;
  std::uint32_t recordCount_;
  std::uint32_t written_ = 0;
  std::uint32_t recordLength_ = 1;
  std::string record_;
  std::string buffer_;
  bool finished_ = false;
};

}  // namespace demo_data
