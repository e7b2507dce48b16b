#pragma once
// The memo file beside a table: the long texts of its memo fields, stored in
// numbered blocks, each memo read by position when it is asked for. A memo
// field of a record holds the number of the block where its text starts.
//
// Formats:
//   dBase III (.dbt): 512-byte blocks; the text runs until 0x1A 0x1A.
//   dBase IV  (.dbt): block size at header bytes 20..21 (little-endian); a
//                     block starts FF FF 08 00 and a 32-bit little-endian
//                     length that counts those 8 bytes. Blocks without that
//                     mark are read the dBase III way.
//   FoxPro    (.fpt): header: next free block (big-endian 32 bits), block
//                     size at bytes 6..7 (big-endian); a block starts with a
//                     big-endian 32-bit type (0 picture, 1 text, 2 object)
//                     and a big-endian 32-bit length of the data after it.
// The header is the first 512 bytes (.fpt, dBase III) or the first block
// (dBase IV); no memo starts inside it.
//
// The file may change while it is open (ACT! writes to it): every read
// checks its bounds against what the file holds at that moment.
//
// Thread safety: immutable after open; concurrent reads are safe.

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

#include "dbengine/storage/lock_wait.h"
#include "dbengine/storage/read_only_file.h"

namespace dbengine {

enum class MemoFormat { kDbase3, kDbase4, kFoxPro };

class MemoFile {
 public:
  // The memo file of the table at tablePath with this ending (".dbt" or
  // ".fpt"): same folder, same name up to the last ".", the ending's letter
  // case and the name's ASCII letter case ignored. Empty when there is none.
  static std::filesystem::path find(const std::filesystem::path& tablePath,
                                    std::string_view ending);

  // Opens and checks the header. Throws EngineError: errc::kFileNotFound
  // when the file is missing or unreadable, errc::kDamagedMemo when it is
  // shorter than its header or names an unusable block size.
  // A read that stays locked by another program for longer than
  // access.lockWait throws errc::kLockedByOther.
  static std::unique_ptr<MemoFile> open(const std::filesystem::path& path, MemoFormat format,
                                        const FileAccess& access = {});

  ~MemoFile();
  MemoFile(const MemoFile&) = delete;
  MemoFile& operator=(const MemoFile&) = delete;

  const std::filesystem::path& path() const { return path_; }
  MemoFormat format() const { return format_; }
  std::uint32_t blockSize() const { return blockSize_; }

  // The stored bytes of the memo that starts in block `block`, without block
  // header or end mark. Throws EngineError errc::kDamagedMemo when the block
  // lies in the header or past the end of the file, or when its length runs
  // past the end; errc::kDiskError when the file cannot be read.
  std::string read(std::uint32_t block) const;

 private:
  MemoFile() = default;
  [[noreturn]] void fail(const std::string& fault) const;
  [[noreturn]] void unreadable() const;
  // Reads up to `length` bytes from `offset`; fewer where the file ends
  // (never past it: a lock there costs nothing).
  std::string readAt(std::uint64_t offset, std::size_t length) const;

  std::filesystem::path path_;
  MemoFormat format_ = MemoFormat::kDbase3;
  std::uint32_t blockSize_ = 512;
  std::unique_ptr<ReadOnlyFile> file_;
  std::chrono::milliseconds lockWait_{};
};

}  // namespace dbengine
