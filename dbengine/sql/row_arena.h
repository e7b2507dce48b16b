#pragma once
// Fixed-width rows appended one by one, kept in chunks of about a mebibyte:
// the heap grows with the rows, and no row moves once written (growing never
// copies what is there, so a million hits cost no reallocation).

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace dbengine::sql {

class RowArena {
 public:
  explicit RowArena(std::size_t width)
      : width_(std::max<std::size_t>(width, 1)),
        perChunk_(std::max<std::size_t>(1, kChunkBytes / width_)) {}

  // Room for one more row, width bytes, uninitialised.
  std::uint8_t* append() {
    if (size_ % perChunk_ == 0) {
      chunks_.push_back(std::make_unique_for_overwrite<std::uint8_t[]>(perChunk_ * width_));
    }
    return chunks_.back().get() + (size_++ % perChunk_) * width_;
  }
  // 0 <= i < size().
  const std::uint8_t* row(std::size_t i) const {
    return chunks_[i / perChunk_].get() + (i % perChunk_) * width_;
  }
  std::size_t size() const { return size_; }

 private:
  static constexpr std::size_t kChunkBytes = std::size_t{1} << 20;
  std::size_t width_;
  std::size_t perChunk_;
  std::size_t size_ = 0;
  std::vector<std::unique_ptr<std::uint8_t[]>> chunks_;
};

}  // namespace dbengine::sql
