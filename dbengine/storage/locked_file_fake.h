#pragma once
// Test fake: the system's file, but reads that touch chosen byte ranges are
// refused as locked (as Windows refuses ranges another process has locked
// with LockFileEx), a chosen number of times or for good.

#include <limits>
#include <mutex>
#include <vector>

#include "dbengine/storage/lock_wait.h"

namespace dbengine::testing {

class LockedRanges {
 public:
  static constexpr int kForGood = std::numeric_limits<int>::max();
  // Refuses the next `times` reads that touch [from, from + length).
  void lock(std::uint64_t from, std::uint64_t length, int times = kForGood) {
    const std::lock_guard<std::mutex> guard(mutex_);
    ranges_.push_back({from, from + length, times});
  }
  // Opens files through this, waiting `lockWait` for locks.
  FileAccess access(std::chrono::milliseconds lockWait) {
    return {[this](const std::filesystem::path& path, ReadOnlyFile::Status& status) {
              std::unique_ptr<ReadOnlyFile> file = ReadOnlyFile::open(path, status);
              return file ? std::make_unique<File>(this, std::move(file)) : nullptr;
            },
            lockWait};
  }
  int refused() const { return refused_; }

 private:
  struct Range {
    std::uint64_t from, to;
    int times;
  };
  struct File final : ReadOnlyFile {
    File(LockedRanges* o, std::unique_ptr<ReadOnlyFile> f) : owner(o), file(std::move(f)) {}
    std::optional<std::uint64_t> size() const override { return file->size(); }
    std::unique_ptr<ReadOnlyFile> reopen() const override {
      return std::make_unique<File>(owner, file->reopen());
    }
    Read readAt(std::uint64_t offset, std::span<std::uint8_t> buffer) const override {
      if (owner->refuse(offset, offset + buffer.size())) return {0, Read::Fault::kLocked};
      return file->readAt(offset, buffer);
    }
    LockedRanges* owner;
    std::unique_ptr<ReadOnlyFile> file;
  };

  bool refuse(std::uint64_t from, std::uint64_t to) {
    const std::lock_guard<std::mutex> guard(mutex_);
    for (Range& range : ranges_) {
      if (range.times == 0 || to <= range.from || range.to <= from) continue;
      if (range.times != kForGood) --range.times;
      return ++refused_ > 0;
    }
    return false;
  }

  std::mutex mutex_;
  std::vector<Range> ranges_;
  int refused_ = 0;  // under mutex_
};

}  // namespace dbengine::testing
