// Windows backend of the arena chunks: VirtualAlloc.

#include <windows.h>

#include <new>

#include "dbengine/sql/chunk_memory.h"

namespace dbengine::sql {

std::uint8_t* allocateChunk(std::size_t bytes) {
  void* chunk = VirtualAlloc(nullptr, bytes, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
  if (chunk == nullptr) throw std::bad_alloc();
  return static_cast<std::uint8_t*>(chunk);
}

void releaseChunk(std::uint8_t* chunk, std::size_t) {
  VirtualFree(chunk, 0, MEM_RELEASE);
}

}  // namespace dbengine::sql
