#pragma once
// Reading files while another program holds byte-range locks on parts of
// them. ACT! locks a record, or a table's header, for the moment a save
// takes; on Windows a read that touches the range fails meanwhile. Such a
// read is tried again after 1, 2, 4 ... ms (at most 50 ms apart) while the
// wait's budget lasts; only a range that stays locked longer fails.

#include <chrono>
#include <cstdint>
#include <span>

#include "dbengine/storage/read_only_file.h"

namespace dbengine {

// How the table and memo readers reach their files.
struct FileAccess {
  ReadOnlyFile::Opener open = &ReadOnlyFile::open;
  // The longest a scan, or a single read of a record or memo, waits for
  // locks in all.
  std::chrono::milliseconds lockWait{2000};
};

class LockWait {
 public:
  explicit LockWait(std::chrono::milliseconds budget)
      : deadline_(std::chrono::steady_clock::now() + budget) {}

  // file.readAt, tried again while it reports kLocked, for at most
  // `patience` and never past the end of the budget; then the locked result.
  ReadOnlyFile::Read read(const ReadOnlyFile& file, std::uint64_t offset,
                          std::span<std::uint8_t> buffer,
                          std::chrono::milliseconds patience = std::chrono::hours(1)) const;

 private:
  std::chrono::steady_clock::time_point deadline_;
};

}  // namespace dbengine
