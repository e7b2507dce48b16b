#pragma once
// Fixed-width rows appended one by one, kept in chunks of two mebibytes from
// the system: the memory grows with the rows, and no row moves once written
// (growing never copies what is there, so a million hits cost no
// reallocation).

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

#include "dbengine/sql/chunk_memory.h"

namespace dbengine::sql {

class RowArena {
 public:
  explicit RowArena(std::size_t width)
      : width_(std::max<std::size_t>(width, 1)),
        chunkBytes_(std::max(kChunkBytes, width_)),
        perChunk_(chunkBytes_ / width_) {}

  // Room for one more row, width bytes, uninitialised.
  std::uint8_t* append() {
    if (size_ % perChunk_ == 0) {
      Chunk chunk(allocateChunk(chunkBytes_), ReleaseChunk{chunkBytes_});
      chunks_.push_back(std::move(chunk));
    }
    return chunks_.back().get() + (size_++ % perChunk_) * width_;
  }
  // 0 <= i < size().
  const std::uint8_t* row(std::size_t i) const {
    return chunks_[i / perChunk_].get() + (i % perChunk_) * width_;
  }
  std::size_t size() const { return size_; }

 private:
  // The huge-page size of x86-64 Linux.
  static constexpr std::size_t kChunkBytes = std::size_t{2} << 20;
  struct ReleaseChunk {
    std::size_t bytes;
    void operator()(std::uint8_t* chunk) const { releaseChunk(chunk, bytes); }
  };
  using Chunk = std::unique_ptr<std::uint8_t, ReleaseChunk>;
  std::size_t width_;
  std::size_t chunkBytes_;
  std::size_t perChunk_;
  std::size_t size_ = 0;
  std::vector<Chunk> chunks_;
};

}  // namespace dbengine::sql
