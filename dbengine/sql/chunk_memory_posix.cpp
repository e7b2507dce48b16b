// POSIX backend of the arena chunks: anonymous maps.

#include <sys/mman.h>

#include <new>

#include "dbengine/sql/chunk_memory.h"

namespace dbengine::sql {

std::uint8_t* allocateChunk(std::size_t bytes) {
  void* chunk = ::mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (chunk == MAP_FAILED) throw std::bad_alloc();
#ifdef MADV_HUGEPAGE
  ::madvise(chunk, bytes, MADV_HUGEPAGE);  // only a hint: systems without huge pages ignore it
#endif
  return static_cast<std::uint8_t*>(chunk);
}

void releaseChunk(std::uint8_t* chunk, std::size_t bytes) {
  ::munmap(chunk, bytes);
}

}  // namespace dbengine::sql
