#pragma once
// A dBase/FoxPro table file (.dbf and any other ending).
//
// ACT! keeps its tables open and writes to them while we read, so nothing
// about the file is trusted to stay: opening reads and checks the header and
// the field descriptors as they are now; a scan reads the records in large
// blocks through one reused buffer and ends with an engine error when the
// file turns out shorter than the header promised; single records are read
// by position. Nothing is mapped, and the file is open only as long as the
// TableFile lives.
//
// Supported version bytes: dBase III (0x03, 0x83), dBase IV and its SQL
// variants (0x43, 0x63, 0x7B, 0x8B, 0x8E, 0xCB, 0xE5), FoxBASE/FoxPro 2.x
// (0xF5, 0xFB), Visual FoxPro (0x30, 0x31, 0x32; 263-byte backlink after the
// field descriptors, hidden _NullFlags field). Every other version byte is
// errc::kNotATable.
//
// Field types C N F D L M are read for all versions; I B Y T V for Visual
// FoxPro. Other types (G P Q, dBase's binary B, ...) open fine and raise an
// EngineError (errc::kUnsupportedType) whenever a value of them is read.
//
// Values: character fields lose trailing blanks and NULs (leading ones
// stay) and are decoded from the table's code page (the language-driver
// byte, header byte 29) into UTF-8. N and F fields written without a
// decimal point give an int64 where it fits, otherwise a double. D gives
// Date, L bool, I int64, B double, Y Currency, T DateTime, V text like C
// (its own length from the _NullFlags length bit), M the memo text (decoded
// like C, blanks kept; an empty memo is Null). Values that cannot be read as their type (a number
// field holding letters, a date "20231341") are Null, like blank ones.
//
// The memo file is the table's name with ".dbt" (dBase) or ".fpt" (FoxPro,
// Visual FoxPro) in the same folder, letter case ignored; a 0x03 table
// (which may come from either family) takes whichever of the two exists.
// FoxPro's own files pair .dbc/.dct, .scx/.sct, .vcx/.vct, .frx/.frt,
// .lbx/.lbt, .mnx/.mnt, .pjx/.pjt.
//
// Thread safety: everything may run concurrently. Each scan reads through a
// handle of its own, so scans of different ranges run side by side.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "dbengine/storage/codepage.h"
#include "dbengine/storage/engine_error.h"
#include "dbengine/storage/lock_wait.h"
#include "dbengine/storage/value.h"

namespace dbengine {

class MemoFile;
class ReadOnlyFile;

struct FieldInfo {
  std::string name;          // decoded from the table's code page, without the NUL padding
  char type = 'C';           // the raw type letter: C N F D L M I B Y T G P ...
  std::uint32_t offset = 0;  // byte offset inside the record; byte 0 is the deletion flag
  std::uint32_t length = 0;  // bytes in the record
  std::uint8_t decimals = 0;
  int nullBit = -1;  // Visual FoxPro: bit number in _NullFlags, -1 when not nullable
  // Visual FoxPro V fields: bit in _NullFlags that says the value is shorter
  // than the field and its length is in the field's last byte; -1 otherwise.
  int varLengthBit = -1;
};

class TableFile {
 public:
  // Opens the table and checks its header as it is now. Throws EngineError
  // naming the file and the fault (German description): errc::kFileNotFound
  // when it does not exist or cannot be read, errc::kNotATable when it is no
  // table (too short for a header, unknown version byte, a folder, a
  // multibyte code page), errc::kDamagedTable when header, field descriptors
  // and file size disagree (the file is shorter than header length + record
  // count x record length, the record length is not 1 + the sum of the field
  // lengths, no 0x0D after the descriptors, a header length too small for
  // them, a field length impossible for its type, a deletion flag other than
  // blank, '*' or NUL among the records of the first 64 KiB). Field offsets
  // are those the lengths give; Visual FoxPro's stored ones must agree,
  // unless all are 0 or all count from the first field. Bytes after the last
  // record (the 0x1A end mark) are ignored. A memo file that belongs to the
  // table is opened lazily, on the first memo read.
  //
  // Reads that another program's locks refuse are tried again (lock_wait.h):
  // a scan waits at most access.lockWait in all, and reads a block that stays
  // locked record by record, so that only records that stay locked matter;
  // such a record, or a header that stays locked, is errc::kLockedByOther.
  static std::unique_ptr<TableFile> open(const std::filesystem::path& path,
                                         const FileAccess& access = {});
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

  // Number of records stored, deleted ones included, as the header said
  // when the table was opened.
  std::uint32_t recordCount() const { return recordCount_; }
  std::uint32_t recordLength() const { return recordLength_; }

  // The raw bytes of record i (0 <= i < recordCount()), deletion flag first,
  // read from the file now. Throws EngineError: errc::kDamagedTable when the
  // file no longer reaches that far, errc::kDiskError when it cannot be read,
  // errc::kLockedByOther when it stays locked.
  std::vector<std::uint8_t> readRecord(std::uint32_t i) const;
  static bool isDeleted(const std::uint8_t* record) { return record[0] == '*'; }

  // Walks all records in file order, block by block: visit(index of the
  // block's first record, pointer to that record, number of records in the
  // block); records of a block lie recordLength() bytes apart and stay valid
  // until visit returns. Deleted records are included; visit is not called
  // for an empty table. Throws as readRecord does, when the scan reaches the
  // place where a file that changed while being read ends.
  using Visit = std::function<void(std::uint32_t, const std::uint8_t*, std::uint32_t)>;
  void scan(const Visit& visit) const { scan(0, recordCount_, visit); }
  // The same for the records from `from` up to, not including, `to`
  // (from <= to <= recordCount()).
  void scan(std::uint32_t from, std::uint32_t to, const Visit& visit) const;
  // Records per block of a scan.
  std::uint32_t recordsPerScanBlock() const;

  // The bytes read per block of a scan (a whole number of records, at least one).
  static constexpr std::size_t kScanBlockBytes = std::size_t{1} << 20;

  // A compact copy of some fields of each record, made while the records lie
  // in the scan's buffer. `layout` decodes the copies with isNull and value
  // (its field i is the table's field fields[i]); it reads no table file,
  // only the memo file, opened when a memo value is first asked for.
  struct Projection {
    struct CopyRun {
      std::uint32_t from = 0;  // offset in the table's record
      std::uint32_t to = 0;    // offset in the copy
      std::uint32_t length = 0;
    };
    std::shared_ptr<const TableFile> layout;
    std::vector<CopyRun> runs;
    std::uint32_t width = 0;  // bytes per copy

    void copy(const std::uint8_t* record, std::uint8_t* out) const;
  };
  // `fields`: indexes into fields(), each at most once, in any order.
  Projection project(const std::vector<int>& fields) const;

  // The raw bytes of field f of a record, for matching without decoding.
  std::span<const std::uint8_t> rawField(const std::uint8_t* record, int f) const {
    const FieldInfo& fi = fields_[static_cast<std::size_t>(f)];
    return {record + fi.offset, fi.length};
  }

  // True when field f of the record holds no value: an all-blank field, a
  // blank or unreadable number or date, a "?" logical, a number field full of
  // "*", a Visual FoxPro null flag set, a memo field without a block or whose
  // block holds no text. Never throws: where the memo cannot be read it says
  // false, and value() reports the fault.
  bool isNull(const std::uint8_t* record, int f) const;

  // The decoded value of field f (Null exactly where isNull is true). Throws
  // EngineError: errc::kUnsupportedType for a type this engine cannot read,
  // errc::kFileNotFound when the memo file is missing, errc::kDamagedMemo when
  // a memo pointer or block lies outside the memo file.
  Value value(const std::uint8_t* record, int f) const;

 private:
  enum class Family { kDbase3, kDbase4, kFoxPro, kVisualFoxPro };

  TableFile() = default;
  [[noreturn]] void damaged(const std::string& fault) const;
  [[noreturn]] void changedWhileReading() const;
  [[noreturn]] void unreadable() const;
  [[noreturn]] void locked() const;
  // Reads exactly into.size() bytes or throws.
  void readAt(const ReadOnlyFile& file, std::uint64_t offset, std::span<std::uint8_t> into,
              const LockWait& wait) const;
  void check(const ReadOnlyFile::Read& read, std::size_t wanted) const;
  void readFieldDescriptors(std::span<const std::uint8_t> head);
  void checkFieldLengths() const;
  void checkDeletionFlags() const;
  bool nullFlag(const std::uint8_t* record, int bit) const;
  std::span<const std::uint8_t> varcharBytes(const std::uint8_t* record, const FieldInfo& fi) const;
  [[noreturn]] void unsupported(const FieldInfo& fi) const;
  Value memoValue(const FieldInfo& fi, std::span<const std::uint8_t> raw) const;
  const MemoFile& memoFile() const;

  std::filesystem::path path_;
  std::uint8_t version_ = 0;
  Family family_ = Family::kDbase3;
  const Codepage* codepage_ = nullptr;
  std::vector<FieldInfo> fields_;
  int nullFlagsField_ = -1;  // index into allFields_ of _NullFlags, or -1
  std::vector<FieldInfo> allFields_;
  std::uint32_t recordCount_ = 0;
  std::uint32_t recordLength_ = 0;
  std::uint32_t headerLength_ = 0;
  std::unique_ptr<ReadOnlyFile> file_;  // null for a projection's layout
  FileAccess access_;
  mutable std::mutex memoMutex_;  // guards the lazy opening of memo_
  mutable std::unique_ptr<MemoFile> memo_;
};

}  // namespace dbengine
