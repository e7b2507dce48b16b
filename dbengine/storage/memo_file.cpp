#include "dbengine/storage/memo_file.h"

#include <algorithm>
#include <string>
#include <system_error>

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
  return path.filename().string();
}

}  // namespace

std::filesystem::path MemoFile::find(const std::filesystem::path& tablePath,
                                     std::string_view ending) {
  const std::filesystem::path folder =
      tablePath.has_parent_path() ? tablePath.parent_path() : std::filesystem::path(".");
  const std::string wanted = asciiLower(tablePath.stem().string() + std::string(ending));
  std::error_code ec;
  // The usual spellings first, so that most lookups need no directory walk.
  for (const std::string& name : {tablePath.stem().string() + asciiLower(std::string(ending)),
                                  tablePath.stem().string() + std::string(ending)}) {
    if (std::filesystem::is_regular_file(folder / name, ec)) return folder / name;
  }
  for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end;
       it.increment(ec)) {
    if (asciiLower(it->path().filename().string()) == wanted && it->is_regular_file(ec)) {
      return it->path();
    }
  }
  return {};
}

std::unique_ptr<MemoFile> MemoFile::open(const std::filesystem::path& path, MemoFormat format) {
  std::unique_ptr<MemoFile> memo(new MemoFile());
  memo->path_ = path;
  memo->format_ = format;
  MappedFile::Status status = MappedFile::Status::kOk;
  memo->map_ = MappedFile::open(path, status);
  if (!memo->map_) {
    throw EngineError(errc::kFileNotFound, "Die Memodatei '" + fileName(path) +
                                               "' wurde nicht gefunden oder ist nicht lesbar.");
  }
  const std::size_t minimumSize = format == MemoFormat::kDbase4 ? kDbase4HeaderFields : kHeaderSize;
  if (memo->map_->size() < minimumSize) memo->fail("sie ist kürzer als ihr Kopf");
  const std::uint8_t* header = memo->map_->data();
  switch (format) {
    case MemoFormat::kDbase3:
      memo->blockSize_ = 512;
      break;
    case MemoFormat::kDbase4: {
      const std::uint32_t size = std::uint32_t{header[20]} | std::uint32_t{header[21]} << 8;
      memo->blockSize_ = size == 0 ? 512 : size;
      if (memo->map_->size() < memo->blockSize_) memo->fail("sie ist kürzer als ihr Kopf");
      break;
    }
    case MemoFormat::kFoxPro:
      memo->blockSize_ = std::uint32_t{header[6]} << 8 | header[7];
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

std::string_view MemoFile::read(std::uint32_t block) const {
  const std::size_t size = map_->size();
  const std::uint64_t offset = std::uint64_t{block} * blockSize_;
  const std::uint64_t headerSize = format_ == MemoFormat::kDbase4 ? blockSize_ : kHeaderSize;
  if (block == 0 || offset < headerSize) {
    fail("ein Verweis zeigt in ihren Kopf (Block " + std::to_string(block) + ")");
  }
  if (offset >= size) {
    fail("ein Verweis zeigt hinter ihr Ende (Block " + std::to_string(block) + ")");
  }
  const auto* start = map_->data() + offset;
  const std::size_t available = size - static_cast<std::size_t>(offset);
  const auto text = [](const std::uint8_t* p, std::size_t n) {
    return std::string_view(reinterpret_cast<const char*>(p), n);
  };

  if (format_ == MemoFormat::kFoxPro) {
    if (available < 8) fail("der Block " + std::to_string(block) + " ist abgeschnitten");
    const std::uint32_t length = bigEndian32(start + 4);
    if (length > available - 8) {
      fail("der Text in Block " + std::to_string(block) + " reicht über ihr Ende hinaus");
    }
    return text(start + 8, length);
  }

  if (format_ == MemoFormat::kDbase4 && available >= 8 && start[0] == 0xFF && start[1] == 0xFF &&
      start[2] == 0x08 && start[3] == 0x00) {
    const std::uint32_t length = littleEndian32(start + 4);
    if (length < 8 || length - 8 > available - 8) {
      fail("der Text in Block " + std::to_string(block) + " reicht über ihr Ende hinaus");
    }
    return text(start + 8, length - 8);
  }

  // dBase III: up to the end mark 0x1A 0x1A. Some writers end with a single
  // 0x1A, and a last memo may lack the mark: the text then ends there, or at
  // the end of the file.
  const std::uint8_t* end = start + available;
  const std::uint8_t* mark = std::find(start, end, std::uint8_t{0x1A});
  return text(start, static_cast<std::size_t>(mark - start));
}

}  // namespace dbengine
