#pragma once
// A scan of a table in a few consecutive ranges of records at once, one
// thread each. On a warm cache a scan is bound by copying the file's bytes
// out of the system's cache, which one processor does at a time; with two
// processors the scan of a large table takes little more than half as long.
// Each part collects into state of its own, and the caller joins the parts'
// results in file order. The call still blocks until every part is done.

#include <cstddef>
#include <cstdint>
#include <functional>

#include "dbengine/storage/table_file.h"

namespace dbengine::sql {

// One part's state alone on its cache lines: parts that count or append side
// by side on a shared line would slow each other down at every record.
template <typename T>
struct alignas(64) PartState {
  T state;
};

// Parts for a scan of `table`: one per processor, at most kMaxScanParts, and
// no more than give each part kMinBlocksPerPart blocks (a thread costs more
// than it saves on a small table).
inline constexpr std::size_t kMaxScanParts = 4;
inline constexpr std::uint32_t kMinBlocksPerPart = 4;
std::size_t scanPartCount(const TableFile& table);

// Scans every record of `table` in `parts` consecutive ranges of whole
// blocks: part 0 on the calling thread, the others on threads of their own;
// visit(part, index of the block's first record, records, count) as in
// TableFile::scan. Returns when all parts are done. When parts threw, the
// exception of the first of them in file order is rethrown.
using PartVisit =
    std::function<void(std::size_t, std::uint32_t, const std::uint8_t*, std::uint32_t)>;
void scanInParts(const TableFile& table, std::size_t parts, const PartVisit& visit);

}  // namespace dbengine::sql
