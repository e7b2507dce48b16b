#pragma once
// Memory for the row arenas, in whole chunks straight from the system.
//
// A scan's parts collect their rows on threads of their own, and the C
// library keeps what a thread's heap gave out for that thread's later use
// even after it is freed: a search with a million hits would leave tens of
// megabytes behind. Chunks from the system go back to it when released.
// On Linux a chunk of the huge-page size is also asked to be backed by one
// huge page, which spares the many page faults of a large result where the
// kernel places such maps on a huge-page boundary (recent kernels do).

#include <cstddef>
#include <cstdint>

namespace dbengine::sql {

// `bytes` of zeroed, writable memory; throws std::bad_alloc when the system
// has none.
std::uint8_t* allocateChunk(std::size_t bytes);
// Gives back a chunk from allocateChunk with the same size.
void releaseChunk(std::uint8_t* chunk, std::size_t bytes);

}  // namespace dbengine::sql
