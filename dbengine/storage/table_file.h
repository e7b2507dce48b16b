#pragma once
// A dBase/FoxPro table file (.dbf and any other ending), read in place.
//
// Opening reads and checks the header and the field descriptors only; the
// records are read where they lie (memory map), never copied whole into the
// heap. Every check that could let a later read leave the file is made at
// open time, so the accessors below need no bounds checks of their own.
//
// Supported: dBase III (0x03, 0x83), dBase IV (0x8B, 0x8E? see .cpp),
// FoxBASE/FoxPro 2.x (0xF5, 0xFB and relatives), Visual FoxPro (0x30, 0x31,
// 0x32; 263-byte backlink, _NullFlags). Field types C N F D L M read for all;
// I B Y T for Visual FoxPro; other types open fine and raise an EngineError
// (errc::kUnsupportedType) only when a value of them is read.
//
// Thread safety: a TableFile is immutable after open; concurrent reads are safe.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "dbengine/storage/codepage.h"
#include "dbengine/storage/value.h"

namespace dbengine {

class MemoFile;

struct FieldInfo {
  std::string name;          // as stored (ASCII), without the NUL padding
  char type = 'C';           // the raw type letter: C N F D L M I B Y T G P ...
  std::uint32_t offset = 0;  // byte offset inside the record; byte 0 is the deletion flag
  std::uint32_t length = 0;  // bytes in the record
  std::uint8_t decimals = 0;
  int nullBit = -1;  // Visual FoxPro: bit number in _NullFlags, -1 when not nullable
};

class TableFile {
 public:
  // Opens and checks the table. Throws EngineError naming the file and the
  // fault: errc::kFileNotFound when it does not exist, errc::kNotATable when it
  // is no table, errc::kDamagedTable when header and size disagree. A memo
  // file that belongs to the table is opened lazily, on the first memo read.
  static std::unique_ptr<TableFile> open(const std::filesystem::path& path);
  ~TableFile();
  TableFile(const TableFile&) = delete;
  TableFile& operator=(const TableFile&) = delete;

  const std::filesystem::path& path() const { return path_; }
  std::uint8_t versionByte() const { return version_; }
  const Codepage& codepage() const { return *codepage_; }

  // Fields as the caller sees them: Visual FoxPro's hidden _NullFlags field
  // is not among them.
  const std::vector<FieldInfo>& fields() const { return fields_; }
  // Index into fields() of the field with this name (letter case ignored), or -1.
  int fieldIndex(std::string_view name) const;

  // Number of records stored, deleted ones included.
  std::uint32_t recordCount() const { return recordCount_; }
  std::uint32_t recordLength() const { return recordLength_; }

  // The raw bytes of record i (0 <= i < recordCount()), deletion flag first.
  // Valid as long as the TableFile lives.
  const std::uint8_t* record(std::uint32_t i) const {
    return data_ + headerLength_ + static_cast<std::size_t>(i) * recordLength_;
  }
  static bool isDeleted(const std::uint8_t* record) { return record[0] == '*'; }

  // Walks all records in file order in runs of consecutive records:
  // visit(first index, pointer to that record, number of records in the run).
  // Lets the storage choose how it brings records in (one map, or blocks).
  void scan(const std::function<void(std::uint32_t, const std::uint8_t*, std::uint32_t)>& visit) const;

  // The raw bytes of field f of a record, for matching without decoding.
  std::span<const std::uint8_t> rawField(const std::uint8_t* record, int f) const {
    const FieldInfo& fi = fields_[static_cast<std::size_t>(f)];
    return {record + fi.offset, fi.length};
  }

  // True when field f of the record holds no value: an all-blank field, a
  // blank number or date, a "?" logical, a number field full of "*", a
  // Visual FoxPro null flag set, a memo field without a block.
  bool isNull(const std::uint8_t* record, int f) const;

  // The decoded value of field f (Null as above; character fields without
  // trailing blanks, in UTF-8). Throws EngineError for unsupported types and
  // damaged or missing memo files.
  Value value(const std::uint8_t* record, int f) const;

 private:
  TableFile() = default;

  std::filesystem::path path_;
  std::uint8_t version_ = 0;
  const Codepage* codepage_ = nullptr;
  std::vector<FieldInfo> fields_;
  int nullFlagsField_ = -1;  // index into allFields_ of _NullFlags, or -1
  std::vector<FieldInfo> allFields_;
  std::uint32_t recordCount_ = 0;
  std::uint32_t recordLength_ = 0;
  std::uint32_t headerLength_ = 0;
  const std::uint8_t* data_ = nullptr;
  std::size_t size_ = 0;
  mutable std::unique_ptr<MemoFile> memo_;
  mutable bool memoOpened_ = false;
};

}  // namespace dbengine
