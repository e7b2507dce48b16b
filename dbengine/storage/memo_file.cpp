#include "dbengine/storage/memo_file.h"

#include <algorithm>
#include <string>
#include <system_error>

#include "common/path_text.h"
#include "dbengine/storage/engine_error.h"

namespace dbengine {

namespace {

// The header of .fpt and dBase III .dbt files; a dBase IV .dbt header is its
// first block instead.
constexpr std::size_t kHeaderSize = 512;
constexpr std::size_t kDbase4HeaderFields = 22;  // up to the block size at 20..21

std::uint32_t bigEndian32(const std::uint8_t* p) {
  return std::uint32_t{p[0]} << 24 | std::uint32_t{p[1]} << 16 | std::uint32_t{p[2]} << 8 | p[3];
}
std::uint32_t littleEndian32(const std::uint8_t* p) {
  return std::uint32_t{p[3]} << 24 | std::uint32_t{p[2]} << 16 | std::uint32_t{p[1]} << 8 | p[0];
}

std::string asciiLower(std::string text) {
  for (char& c : text) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return text;
}

std::string fileName(const std::filesystem::path& path) {
  return common::utf8FromPath(path.filename());
}

const std::uint8_t* bytes(const std::string& text) {
  return reinterpret_cast<const std::uint8_t*>(text.data());
}

}  // namespace

std::filesystem::path MemoFile::find(const std::filesystem::path& tablePath,
                                     std::string_view ending) {
  const std::filesystem::path folder =
      tablePath.has_parent_path() ? tablePath.parent_path() : std::filesystem::path(".");
  const std::string stem = common::utf8FromPath(tablePath.stem());
  const std::string wanted = asciiLower(stem + std::string(ending));
  std::error_code ec;
  // The usual spellings first, so that most lookups need no directory walk.
  for (const std::string& name :
       {stem + asciiLower(std::string(ending)), stem + std::string(ending)}) {
    const std::filesystem::path candidate = folder / common::pathFromUtf8(name);
    if (std::filesystem::is_regular_file(candidate, ec)) return candidate;
  }
  for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end;
       it.increment(ec)) {
    if (asciiLower(fileName(it->path())) == wanted && it->is_regular_file(ec)) {
      return it->path();
    }
  }
  return {};
}

std::unique_ptr<MemoFile> MemoFile::open(const std::filesystem::path& path, MemoFormat format,
                                         const FileAccess& access) {
  std::unique_ptr<MemoFile> memo(new MemoFile());
  memo->path_ = path;
  memo->format_ = format;
  memo->lockWait_ = access.lockWait;
  ReadOnlyFile::Status status = ReadOnlyFile::Status::kOk;
  memo->file_ = access.open(path, status);
  if (!memo->file_) {
    throw EngineError(errc::kFileNotFound, "Die Memodatei '" + fileName(path) +
                                               "' wurde nicht gefunden oder ist nicht lesbar.");
  }
  const std::size_t minimumSize = format == MemoFormat::kDbase4 ? kDbase4HeaderFields : kHeaderSize;
  const std::string header = memo->readAt(0, minimumSize);
  if (header.size() < minimumSize) memo->fail("sie ist kürzer als ihr Kopf");
  switch (format) {
    case MemoFormat::kDbase3:
      memo->blockSize_ = 512;
      break;
    case MemoFormat::kDbase4: {
      const std::uint32_t size = std::uint32_t{bytes(header)[20]} | std::uint32_t{bytes(header)[21]}
                                                                        << 8;
      memo->blockSize_ = size == 0 ? 512 : size;
      if (memo->file_->size().value_or(0) < memo->blockSize_)
        memo->fail("sie ist kürzer als ihr Kopf");
      break;
    }
    case MemoFormat::kFoxPro:
      memo->blockSize_ = std::uint32_t{bytes(header)[6]} << 8 | bytes(header)[7];
      if (memo->blockSize_ == 0) memo->fail("die Blockgröße im Kopf ist 0");
      break;
  }
  return memo;
}

MemoFile::~MemoFile() = default;

void MemoFile::fail(const std::string& fault) const {
  throw EngineError(errc::kDamagedMemo,
                    "Die Memodatei '" + fileName(path_) + "' ist beschädigt: " + fault + ".");
}

void MemoFile::unreadable() const {
  throw EngineError(errc::kDiskError, "Die Memodatei '" + fileName(path_) +
                                          "' konnte nicht gelesen werden (Datenträger- oder "
                                          "Netzwerkfehler).");
}

std::string MemoFile::readAt(std::uint64_t offset, std::size_t length) const {
  const std::optional<std::uint64_t> size = file_->size();
  if (!size) unreadable();
  std::string text(offset >= *size ? 0 : std::min<std::uint64_t>(length, *size - offset), '\0');
  if (text.empty()) return text;
  const ReadOnlyFile::Read got = LockWait(lockWait_).read(
      *file_, offset, {reinterpret_cast<std::uint8_t*>(text.data()), text.size()});
  if (got.fault == ReadOnlyFile::Read::Fault::kLocked) {
    throw EngineError(errc::kLockedByOther, "Die Memodatei '" + fileName(path_) +
                                                "' ist gerade von ACT! oder einem anderen "
                                                "Programm gesperrt. Bitte die Suche wiederholen.");
  }
  if (got.fault != ReadOnlyFile::Read::Fault::kNone) unreadable();
  text.resize(got.bytes);
  return text;
}

std::string MemoFile::read(std::uint32_t block) const {
  const std::uint64_t size = file_->size().value_or(0);
  const std::uint64_t offset = std::uint64_t{block} * blockSize_;
  const std::uint64_t headerSize = format_ == MemoFormat::kDbase4 ? blockSize_ : kHeaderSize;
  if (block == 0 || offset < headerSize) {
    fail("ein Verweis zeigt in ihren Kopf (Block " + std::to_string(block) + ")");
  }
  if (offset >= size) {
    fail("ein Verweis zeigt hinter ihr Ende (Block " + std::to_string(block) + ")");
  }
  const std::uint64_t available = size - offset;
  const auto runsPastEnd = [&] {
    fail("der Text in Block " + std::to_string(block) + " reicht über ihr Ende hinaus");
  };

  if (format_ == MemoFormat::kFoxPro) {
    const std::string blockHeader = readAt(offset, 8);
    if (blockHeader.size() < 8) fail("der Block " + std::to_string(block) + " ist abgeschnitten");
    const std::uint32_t length = bigEndian32(bytes(blockHeader) + 4);
    if (length > available - 8) runsPastEnd();
    std::string text = readAt(offset + 8, length);
    if (text.size() < length) runsPastEnd();  // the file shrank meanwhile
    return text;
  }

  if (format_ == MemoFormat::kDbase4 && available >= 8) {
    const std::string blockHeader = readAt(offset, 8);
    const std::uint8_t* mark = bytes(blockHeader);
    if (blockHeader.size() == 8 && mark[0] == 0xFF && mark[1] == 0xFF && mark[2] == 0x08 &&
        mark[3] == 0x00) {
      const std::uint32_t length = littleEndian32(mark + 4);
      if (length < 8 || length - 8 > available - 8) runsPastEnd();
      std::string text = readAt(offset + 8, length - 8);
      if (text.size() < length - 8) runsPastEnd();
      return text;
    }
  }

  // dBase III: up to the end mark 0x1A 0x1A. Some writers end with a single
  // 0x1A, and a last memo may lack the mark: the text then ends there, or at
  // the end of the file. Read block by block until the mark shows.
  std::string text;
  for (std::uint64_t at = offset;;) {
    const std::string chunk = readAt(at, blockSize_);
    const std::size_t mark = chunk.find('\x1A');
    text.append(chunk, 0, mark == std::string::npos ? chunk.size() : mark);
    if (mark != std::string::npos || chunk.size() < blockSize_) return text;
    at += chunk.size();
  }
}

}  // namespace dbengine
