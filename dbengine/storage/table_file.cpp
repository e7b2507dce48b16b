#include "dbengine/storage/table_file.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "common/path_text.h"
#include "dbengine/storage/field_decoding.h"
#include "dbengine/storage/memo_file.h"
#include "dbengine/storage/read_only_file.h"

namespace dbengine {

namespace fd = field_decoding;

namespace {

constexpr std::size_t kHeaderPrefix = 32;  // fixed part before the field descriptors
constexpr std::size_t kDescriptorSize = 32;
constexpr std::size_t kBacklinkSize = 263;  // Visual FoxPro: path of the owning database
constexpr std::uint8_t kDescriptorEnd = 0x0D;
constexpr std::uint8_t kSystemFieldFlag = 0x01;
constexpr std::uint8_t kNullableFieldFlag = 0x02;

std::uint32_t littleEndian16(const std::uint8_t* p) {
  return std::uint32_t{p[0]} | std::uint32_t{p[1]} << 8;
}
std::uint32_t littleEndian32(const std::uint8_t* p) {
  return static_cast<std::uint32_t>(fd::littleEndianInt32(p));
}

std::string hexByte(std::uint8_t byte) {
  char buffer[8];
  std::snprintf(buffer, sizeof buffer, "0x%02X", byte);
  return buffer;
}

std::string fileName(const std::filesystem::path& path) {
  return common::utf8FromPath(path.filename());
}

// A header is never longer than its 16-bit length field allows.
constexpr std::size_t kLongestHeader = 0x10000;

// ACT! holds a save's locks for milliseconds: a read that can be done
// another way waits that long for them.
constexpr std::chrono::milliseconds kMomentaryLock{100};

bool asciiEqualNoCase(std::string_view a, std::string_view b) {
  const auto lower = [](char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
  };
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                            [&](char x, char y) { return lower(x) == lower(y); });
}

}  // namespace

std::unique_ptr<TableFile> TableFile::open(const std::filesystem::path& path,
                                           const FileAccess& access) {
  std::unique_ptr<TableFile> table(new TableFile());
  table->path_ = path;
  table->access_ = access;
  const std::string name = fileName(path);

  ReadOnlyFile::Status status = ReadOnlyFile::Status::kOk;
  table->file_ = access.open(path, status);
  switch (status) {
    case ReadOnlyFile::Status::kOk:
      break;
    case ReadOnlyFile::Status::kNotFound:
      throw EngineError(errc::kFileNotFound, "Die Datei '" + name + "' wurde nicht gefunden.");
    case ReadOnlyFile::Status::kNotAFile:
      throw EngineError(errc::kNotATable,
                        "'" + name + "' ist keine Datei, sondern ein Ordner oder Gerät.");
    case ReadOnlyFile::Status::kUnreadable:
      throw EngineError(errc::kFileNotFound, "Die Datei '" + name + "' kann nicht gelesen werden.");
  }
  const std::optional<std::uint64_t> size = table->file_->size();
  if (!size) table->unreadable();
  // The descriptors end with 0x0D; search for it in all of the header that
  // the file holds (the header length may be the damaged part).
  std::vector<std::uint8_t> head(
      static_cast<std::size_t>(std::min<std::uint64_t>(*size, kLongestHeader)));
  const LockWait wait(access.lockWait);
  ReadOnlyFile::Read got = wait.read(*table->file_, 0, head, kMomentaryLock);
  if (got.fault == ReadOnlyFile::Read::Fault::kLocked && head.size() > kHeaderPrefix) {
    // The records after the header may be the locked part: the header alone.
    got = wait.read(*table->file_, 0, std::span(head).first(kHeaderPrefix));
    if (got.fault == ReadOnlyFile::Read::Fault::kNone) {
      head.resize(std::max<std::size_t>(littleEndian16(head.data() + 8), kHeaderPrefix + 1));
      got = wait.read(*table->file_, 0, head);
    }
  }
  if (got.fault == ReadOnlyFile::Read::Fault::kLocked) table->locked();
  if (got.fault != ReadOnlyFile::Read::Fault::kNone) table->unreadable();
  head.resize(got.bytes);

  const std::string notATable = "Die Datei '" + name + "' ist keine dBase- oder FoxPro-Tabelle: ";
  if (head.size() < kHeaderPrefix + 1) {
    throw EngineError(errc::kNotATable, notATable + "sie ist zu kurz für einen Tabellenkopf.");
  }
  table->version_ = head[0];
  switch (table->version_) {
    case 0x03:
    case 0x83:
      table->family_ = Family::kDbase3;
      break;
    case 0x43:
    case 0x63:
    case 0x7B:
    case 0x8B:
    case 0x8E:
    case 0xCB:
    case 0xE5:
      table->family_ = Family::kDbase4;
      break;
    case 0xF5:
    case 0xFB:
      table->family_ = Family::kFoxPro;
      break;
    case 0x30:
    case 0x31:
    case 0x32:
      table->family_ = Family::kVisualFoxPro;
      break;
    default:
      throw EngineError(errc::kNotATable,
                        notATable + "unbekannte Versionskennung " + hexByte(table->version_) + ".");
  }
  table->recordCount_ = littleEndian32(head.data() + 4);
  table->headerLength_ = littleEndian16(head.data() + 8);
  table->recordLength_ = littleEndian16(head.data() + 10);
  if (const std::optional<int> multibyte = multibyteCodepage(head[29])) {
    throw EngineError(errc::kNotATable, "Die Tabelle '" + name + "' ist in der Codepage " +
                                            std::to_string(*multibyte) +
                                            " (chinesisch, japanisch oder koreanisch) "
                                            "geschrieben, die dieses Datenbankmodul nicht liest.");
  }
  table->codepage_ = &codepageForLanguageDriver(head[29]);

  table->readFieldDescriptors(head);
  table->checkFieldLengths();

  const std::uint64_t needed = std::uint64_t{table->headerLength_} +
                               std::uint64_t{table->recordCount_} * table->recordLength_;
  if (needed > *size) table->damaged("sie ist kürzer, als ihr Kopf angibt");
  table->checkDeletionFlags();
  return table;
}

void TableFile::checkDeletionFlags() const {
  // A header whose record start or record length is off shifts every value
  // without any other sign: the first records' deletion flags show it.
  constexpr std::uint32_t kCheckedBytes = 64 * 1024;
  const std::uint32_t count =
      std::min(recordCount_, std::max<std::uint32_t>(1, kCheckedBytes / recordLength_));
  std::vector<std::uint8_t> records(std::size_t{count} * recordLength_);
  // Locked by ACT! longer than a moment: not checked now (a scan waits).
  const ReadOnlyFile::Read read =
      LockWait(kMomentaryLock).read(*file_, headerLength_, records, kMomentaryLock);
  if (read.fault == ReadOnlyFile::Read::Fault::kLocked) return;
  check(read, records.size());
  for (std::uint32_t i = 0; i < count; ++i) {
    const std::uint8_t flag = records[std::size_t{i} * recordLength_];
    if (flag != ' ' && flag != '*' && flag != 0) {  // some writers leave a live record's flag NUL
      damaged("ihre Sätze liegen nicht dort, wo ihr Kopf sie angibt (Satz " +
              std::to_string(i + 1) + " beginnt mit " + hexByte(flag) +
              " statt mit einer Löschmarke)");
    }
  }
}

void TableFile::readFieldDescriptors(std::span<const std::uint8_t> head) {
  std::size_t terminator = kHeaderPrefix;
  while (true) {
    if (terminator >= head.size() ||
        (head[terminator] != kDescriptorEnd && terminator + kDescriptorSize > head.size())) {
      damaged("die Feldbeschreibungen haben kein Endezeichen (0x0D)");
    }
    if (head[terminator] == kDescriptorEnd) break;
    terminator += kDescriptorSize;
  }
  const std::size_t minimumHeader =
      terminator + 1 + (family_ == Family::kVisualFoxPro ? kBacklinkSize : 0);
  if (headerLength_ < minimumHeader) damaged("der Kopf ist zu kurz für die Feldbeschreibungen");

  // A character field longer than 255 bytes keeps the high byte of its
  // length where other fields keep their decimals (FoxPro, Clipper, Harbour):
  // taken so when the record length says so.
  const auto lengthOf = [](const std::uint8_t* d, bool wideCharacter) {
    return wideCharacter && d[11] == 'C' ? std::uint32_t{d[16]} | std::uint32_t{d[17]} << 8
                                         : std::uint32_t{d[16]};
  };
  const auto recordLengthWith = [&](bool wideCharacter) {
    std::uint64_t total = 1;  // byte 0 of a record is the deletion flag
    for (std::size_t pos = kHeaderPrefix; pos < terminator; pos += kDescriptorSize) {
      total += lengthOf(head.data() + pos, wideCharacter);
    }
    return total;
  };
  const bool wideCharacter =
      recordLengthWith(false) != recordLength_ && recordLengthWith(true) == recordLength_;
  // Visual FoxPro's stored offsets are checked; writers leave them all 0,
  // or count them from the first field rather than from the deletion flag:
  // with those the lengths place the fields.
  std::uint32_t storedShift = 0;
  for (const std::uint32_t shift : {0u, 1u}) {
    bool all = true;
    std::uint32_t expected = 1;
    for (std::size_t pos = kHeaderPrefix; pos < terminator; pos += kDescriptorSize) {
      all = all && littleEndian32(head.data() + pos + 12) + shift == expected;
      expected += lengthOf(head.data() + pos, wideCharacter);
    }
    if (all) storedShift = shift;
  }
  bool allOffsetsZero = true;
  for (std::size_t pos = kHeaderPrefix; pos < terminator; pos += kDescriptorSize) {
    allOffsetsZero = allOffsetsZero && littleEndian32(head.data() + pos + 12) == 0;
  }

  std::uint32_t nextOffset = 1;
  int nullBits = 0;
  for (std::size_t pos = kHeaderPrefix; pos < terminator; pos += kDescriptorSize) {
    const std::uint8_t* d = head.data() + pos;
    FieldInfo field;
    const auto* nameStart = reinterpret_cast<const char*>(d);
    field.name = codepage_->decode(
        std::string_view(nameStart, static_cast<std::size_t>(std::find(d, d + 11, 0) - d)));
    field.type = static_cast<char>(d[11]);
    field.offset = nextOffset;
    field.length = lengthOf(d, wideCharacter);
    field.decimals = wideCharacter && field.type == 'C' ? 0 : d[17];
    nextOffset += field.length;
    if (family_ != Family::kVisualFoxPro) {
      // dBase keeps a memory address in the offset: the lengths place the fields.
      allFields_.push_back(field);
      fields_.push_back(std::move(field));
      continue;
    }
    const std::uint64_t stored = std::uint64_t{littleEndian32(d + 12)} + storedShift;
    if (stored + field.length > recordLength_) {
      damaged("das Feld '" + field.name + "' reicht über das Satzende hinaus");
    }
    if (!allOffsetsZero && stored != field.offset) {
      damaged("das Feld '" + field.name + "' liegt nicht an der Stelle, die sein Eintrag angibt");
    }
    const std::uint8_t flags = d[18];
    if (field.type == 'V' || field.type == 'Q') field.varLengthBit = nullBits++;
    if ((flags & kNullableFieldFlag) != 0) field.nullBit = nullBits++;
    if ((flags & kSystemFieldFlag) != 0) {
      if (field.type == '0' && asciiEqualNoCase(field.name, "_NullFlags")) {
        nullFlagsField_ = static_cast<int>(allFields_.size());
      }
      allFields_.push_back(field);
      continue;
    }
    allFields_.push_back(field);
    fields_.push_back(std::move(field));
  }

  if (allFields_.empty()) damaged("sie hat keine Felder");
  if (nextOffset != recordLength_) {
    damaged("die Satzlänge im Kopf (" + std::to_string(recordLength_) +
            ") passt nicht zur Summe der Feldlängen (" + std::to_string(nextOffset) + ")");
  }
  if (nullBits > 0 && nullFlagsField_ < 0) {
    // Flags that say "nullable" without the field that would hold the bits
    // (some writers set them so): no value can be marked Null.
    for (std::vector<FieldInfo>* list : {&allFields_, &fields_}) {
      for (FieldInfo& field : *list) field.nullBit = field.varLengthBit = -1;
    }
  } else if (static_cast<std::uint32_t>(nullBits) >
             allFields_[static_cast<std::size_t>(std::max(nullFlagsField_, 0))].length * 8) {
    damaged("das Feld _NullFlags ist zu kurz");
  }
}

void TableFile::checkFieldLengths() const {
  const bool visualFoxPro = family_ == Family::kVisualFoxPro;
  for (const FieldInfo& field : allFields_) {
    std::uint32_t expected = 0;  // 0: any length from 1
    switch (field.type) {
      case 'D':
        expected = 8;
        break;
      case 'L':
        expected = 1;
        break;
      case 'I':
        expected = visualFoxPro ? 4 : 0;
        break;
      case 'B':
      case 'Y':
      case 'T':
        expected = visualFoxPro ? 8 : 0;
        break;
      case 'M':
        if (field.length != 4 && field.length != 10)
          expected = visualFoxPro ? 4 : 10;
        else
          expected = field.length;
        break;
      default:
        break;
    }
    if (field.length == 0 || (expected != 0 && field.length != expected)) {
      damaged("das Feld '" + field.name + "' hat eine für seinen Typ unmögliche Länge (" +
              std::to_string(field.length) + ")");
    }
  }
}

TableFile::~TableFile() = default;

void TableFile::damaged(const std::string& fault) const {
  throw EngineError(errc::kDamagedTable,
                    "Die Tabelle '" + fileName(path_) + "' ist beschädigt: " + fault + ".");
}

void TableFile::unsupported(const FieldInfo& fi) const {
  throw EngineError(errc::kUnsupportedType, "Der Feldtyp '" + std::string(1, fi.type) +
                                                "' des Feldes '" + fi.name + "' in der Tabelle '" +
                                                fileName(path_) + "' wird nicht unterstützt.");
}

int TableFile::fieldIndex(std::string_view name) const {
  for (std::size_t i = 0; i < fields_.size(); ++i) {
    if (asciiEqualNoCase(fields_[i].name, name)) return static_cast<int>(i);
  }
  return -1;
}

void TableFile::unreadable() const {
  throw EngineError(errc::kDiskError, "Die Datei '" + fileName(path_) +
                                          "' konnte nicht gelesen werden (Datenträger- oder "
                                          "Netzwerkfehler).");
}

void TableFile::changedWhileReading() const {
  throw EngineError(errc::kDamagedTable,
                    "Die Tabelle '" + fileName(path_) +
                        "' hat sich beim Lesen verändert: sie ist jetzt kürzer, als ihr Kopf "
                        "angibt. Bitte die Suche wiederholen.");
}

void TableFile::locked() const {
  throw EngineError(errc::kLockedByOther,
                    "Die Tabelle '" + fileName(path_) +
                        "' ist gerade zum Teil von ACT! oder einem anderen Programm gesperrt. "
                        "Bitte die Suche wiederholen.");
}

void TableFile::check(const ReadOnlyFile::Read& read, std::size_t wanted) const {
  switch (read.fault) {
    case ReadOnlyFile::Read::Fault::kNone:
      if (read.bytes < wanted) changedWhileReading();
      return;
    case ReadOnlyFile::Read::Fault::kLocked:
      locked();
    case ReadOnlyFile::Read::Fault::kIoError:
      unreadable();
  }
}

void TableFile::readAt(const ReadOnlyFile& file, std::uint64_t offset, std::span<std::uint8_t> into,
                       const LockWait& wait) const {
  check(wait.read(file, offset, into), into.size());
}

std::vector<std::uint8_t> TableFile::readRecord(std::uint32_t i) const {
  std::vector<std::uint8_t> record(recordLength_);
  readAt(*file_, headerLength_ + std::uint64_t{i} * recordLength_, record,
         LockWait(access_.lockWait));
  return record;
}

std::uint32_t TableFile::recordsPerScanBlock() const {
  return std::max<std::uint32_t>(1, static_cast<std::uint32_t>(kScanBlockBytes / recordLength_));
}

void TableFile::scan(std::uint32_t from, std::uint32_t to, const Visit& visit) const {
  if (from >= to) return;
  // A handle of its own, so that scans on other threads do not wait for it.
  const std::unique_ptr<ReadOnlyFile> own = file_->reopen();
  const ReadOnlyFile& file = own ? *own : *file_;
  file.adviseSequential();
  const std::uint32_t perBlock = recordsPerScanBlock();
  std::vector<std::uint8_t> buffer(std::size_t{std::min(perBlock, to - from)} * recordLength_);
  const LockWait wait(access_.lockWait);
  // A block waits a moment for a lock, then its records are read one by
  // one, each waiting for what is left of the scan's wait.
  for (std::uint32_t first = from; first < to;) {
    const std::uint32_t count = std::min(perBlock, to - first);
    const std::span<std::uint8_t> block(buffer.data(), std::size_t{count} * recordLength_);
    const std::uint64_t offset = headerLength_ + std::uint64_t{first} * recordLength_;
    const ReadOnlyFile::Read read = wait.read(file, offset, block, kMomentaryLock);
    if (read.fault == ReadOnlyFile::Read::Fault::kLocked) {
      for (std::size_t at = 0; at < block.size(); at += recordLength_) {
        readAt(file, offset + at, block.subspan(at, recordLength_), wait);
      }
    } else {
      check(read, block.size());
    }
    visit(first, block.data(), count);
    first += count;
  }
}

TableFile::Projection TableFile::project(const std::vector<int>& fields) const {
  std::unique_ptr<TableFile> layout(new TableFile());
  layout->path_ = path_;
  layout->version_ = version_;
  layout->family_ = family_;
  layout->codepage_ = codepage_;
  layout->access_ = access_;
  Projection projection;
  const auto add = [&](const FieldInfo& source) {
    FieldInfo copy = source;
    copy.offset = projection.width;
    projection.width += source.length;
    std::vector<Projection::CopyRun>& runs = projection.runs;
    if (!runs.empty() && runs.back().from + runs.back().length == source.offset) {
      runs.back().length += source.length;  // neighbours in the record: one copy
    } else {
      runs.push_back({source.offset, copy.offset, source.length});
    }
    return copy;
  };
  bool needsNullFlags = false;
  for (int f : fields) {
    const FieldInfo& source = fields_[static_cast<std::size_t>(f)];
    needsNullFlags = needsNullFlags || source.nullBit >= 0 || source.varLengthBit >= 0;
    FieldInfo copy = add(source);
    layout->allFields_.push_back(copy);
    layout->fields_.push_back(std::move(copy));
  }
  if (needsNullFlags) {
    layout->nullFlagsField_ = static_cast<int>(layout->allFields_.size());
    layout->allFields_.push_back(add(allFields_[static_cast<std::size_t>(nullFlagsField_)]));
  }
  layout->recordLength_ = projection.width;
  projection.layout = std::move(layout);
  return projection;
}

void TableFile::Projection::copy(const std::uint8_t* record, std::uint8_t* out) const {
  for (const CopyRun& run : runs) std::memcpy(out + run.to, record + run.from, run.length);
}

bool TableFile::nullFlag(const std::uint8_t* record, int bit) const {
  if (bit < 0) return false;
  const FieldInfo& flags = allFields_[static_cast<std::size_t>(nullFlagsField_)];
  const auto index = static_cast<std::uint32_t>(bit);
  return (record[flags.offset + index / 8] >> (index % 8) & 1) != 0;
}

std::span<const std::uint8_t> TableFile::varcharBytes(const std::uint8_t* record,
                                                      const FieldInfo& fi) const {
  std::span<const std::uint8_t> bytes(record + fi.offset, fi.length);
  if (!nullFlag(record, fi.varLengthBit)) return bytes;
  // Shorter than the field: the length is in the last byte.
  return bytes.first(std::min<std::size_t>(bytes.back(), fi.length - 1));
}

bool TableFile::isNull(const std::uint8_t* record, int f) const {
  const FieldInfo& fi = fields_[static_cast<std::size_t>(f)];
  if (nullFlag(record, fi.nullBit)) return true;
  const std::span<const std::uint8_t> raw(record + fi.offset, fi.length);
  const bool visualFoxPro = family_ == Family::kVisualFoxPro;
  switch (fi.type) {
    case 'C':
      return fd::trimTrailingBlanks(raw).empty();
    case 'N':
    case 'F':
      return !fd::number(raw).has_value();
    case 'D':
      return !fd::date(raw).has_value();
    case 'L':
      return !fd::logical(raw[0]).has_value();
    case 'M': {
      const std::int64_t block = fd::memoBlock(raw);
      if (block == fd::kNoBlock) return true;
      if (block == fd::kBadPointer) return false;  // reading it reports the damage
      // Some writers give even an empty memo a block: that is no value either.
      try {
        return memoFile().read(static_cast<std::uint32_t>(block)).empty();
      } catch (const EngineError&) {
        return false;  // missing or damaged memo file: value() reports it
      }
    }
    case 'V':
      if (visualFoxPro) return fd::trimTrailingBlanks(varcharBytes(record, fi)).empty();
      break;
    case 'T':
      if (visualFoxPro) return !fd::dateTime(raw).has_value();
      break;
    case 'I':
    case 'B':
    case 'Y':
      if (visualFoxPro) return false;
      break;
    default:
      break;
  }
  return fd::trimTrailingBlanks(raw).empty();
}

Value TableFile::value(const std::uint8_t* record, int f) const {
  const FieldInfo& fi = fields_[static_cast<std::size_t>(f)];
  const bool visualFoxPro = family_ == Family::kVisualFoxPro;
  const std::span<const std::uint8_t> raw(record + fi.offset, fi.length);
  const bool supported =
      std::string_view("CNFDLM").find(fi.type) != std::string_view::npos ||
      (visualFoxPro && std::string_view("IBYTV").find(fi.type) != std::string_view::npos);
  if (!supported) unsupported(fi);
  if (nullFlag(record, fi.nullBit)) return Null{};

  switch (fi.type) {
    case 'C':
    case 'V': {
      const std::string_view text =
          fd::trimTrailingBlanks(fi.type == 'V' ? varcharBytes(record, fi) : raw);
      if (text.empty()) return Null{};
      return codepage_->decode(text);
    }
    case 'N':
    case 'F':
      return fd::number(raw).value_or(Value{});
    case 'D': {
      const auto d = fd::date(raw);
      return d ? Value(*d) : Value();
    }
    case 'L': {
      const auto b = fd::logical(raw[0]);
      return b ? Value(*b) : Value();
    }
    case 'M':
      return memoValue(fi, raw);
    case 'I':
      return Value(std::int64_t{fd::littleEndianInt32(raw.data())});
    case 'B':
      return Value(fd::littleEndianDouble(raw.data()));
    case 'Y':
      return Value(Currency{fd::littleEndianInt64(raw.data())});
    case 'T': {
      const auto t = fd::dateTime(raw);
      return t ? Value(*t) : Value();
    }
    default:
      unsupported(fi);
  }
}

Value TableFile::memoValue(const FieldInfo& fi, std::span<const std::uint8_t> raw) const {
  const std::int64_t block = fd::memoBlock(raw);
  if (block == fd::kNoBlock) return Null{};
  if (block == fd::kBadPointer) {
    throw EngineError(errc::kDamagedMemo, "Die Tabelle '" + fileName(path_) + "' ist beschädigt: " +
                                              "der Memoverweis des Feldes '" + fi.name +
                                              "' ist keine Zahl.");
  }
  const std::string text = memoFile().read(static_cast<std::uint32_t>(block));
  if (text.empty()) return Null{};
  return codepage_->decode(text);
}

const MemoFile& TableFile::memoFile() const {
  std::lock_guard<std::mutex> lock(memoMutex_);
  if (memo_) return *memo_;
  struct Candidate {
    const char* ending;
    MemoFormat format;
  };
  std::vector<Candidate> candidates;
  switch (family_) {
    case Family::kDbase3:
      candidates = {{".dbt", MemoFormat::kDbase3}};
      if (version_ == 0x03) candidates.push_back({".fpt", MemoFormat::kFoxPro});
      break;
    case Family::kDbase4:
      candidates = {{".dbt", MemoFormat::kDbase4}};
      break;
    case Family::kFoxPro:
    case Family::kVisualFoxPro:
      candidates = {{".fpt", MemoFormat::kFoxPro}};
      break;
  }
  // FoxPro's own files (database container, forms, class libraries,
  // reports, labels, menus, projects) keep their memos under endings of their own.
  static constexpr std::pair<const char*, const char*> kOwnMemoEndings[] = {
      {".dbc", ".dct"}, {".scx", ".sct"}, {".vcx", ".vct"}, {".frx", ".frt"},
      {".lbx", ".lbt"}, {".mnx", ".mnt"}, {".pjx", ".pjt"}};
  const std::string ending = fileName(path_.extension());
  for (const auto& [table, memo] : kOwnMemoEndings) {
    if (asciiEqualNoCase(ending, table)) candidates = {{memo, MemoFormat::kFoxPro}};
  }
  for (const Candidate& candidate : candidates) {
    const std::filesystem::path found = MemoFile::find(path_, candidate.ending);
    if (!found.empty()) {
      memo_ = MemoFile::open(found, candidate.format, access_);
      return *memo_;
    }
  }
  throw EngineError(errc::kFileNotFound,
                    "Die Memodatei (" + std::string(candidates.front().ending) + ") zur Tabelle '" +
                        fileName(path_) + "' wurde nicht gefunden.");
}

}  // namespace dbengine
