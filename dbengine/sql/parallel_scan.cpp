#include "dbengine/sql/parallel_scan.h"

#include <algorithm>
#include <exception>
#include <thread>
#include <vector>

namespace dbengine::sql {
namespace {

std::uint64_t scanBlocks(const TableFile& table) {
  const std::uint64_t perBlock = table.recordsPerScanBlock();
  return (std::uint64_t{table.recordCount()} + perBlock - 1) / perBlock;
}

}  // namespace

std::size_t scanPartCount(const TableFile& table) {
  const std::uint64_t blocks = scanBlocks(table);
  const std::uint64_t processors = std::max(1u, std::thread::hardware_concurrency());
  return static_cast<std::size_t>(
      std::clamp<std::uint64_t>(std::min(processors, blocks / kMinBlocksPerPart), 1, kMaxScanParts));
}

void scanInParts(const TableFile& table, std::size_t parts, const PartVisit& visit) {
  parts = std::max<std::size_t>(parts, 1);
  const std::uint64_t perBlock = table.recordsPerScanBlock();
  const std::uint64_t records = table.recordCount();
  const std::uint64_t blocks = scanBlocks(table);
  std::vector<std::exception_ptr> failures(parts);
  auto runPart = [&](std::size_t part) {
    const auto from = static_cast<std::uint32_t>(std::min(records, part * blocks / parts * perBlock));
    const auto to =
        static_cast<std::uint32_t>(std::min(records, (part + 1) * blocks / parts * perBlock));
    try {
      table.scan(from, to, [&](std::uint32_t first, const std::uint8_t* block, std::uint32_t count) {
        visit(part, first, block, count);
      });
    } catch (...) {
      failures[part] = std::current_exception();
    }
  };

  // Room for every thread first: once one runs, nothing may throw before it
  // is joined.
  std::vector<std::thread> threads;
  std::vector<std::size_t> leftOver;  // parts no thread could be started for
  threads.reserve(parts - 1);
  leftOver.reserve(parts - 1);
  for (std::size_t part = 1; part < parts; ++part) {
    try {
      threads.emplace_back(runPart, part);
    } catch (...) {
      leftOver.push_back(part);
    }
  }
  runPart(0);
  for (std::size_t part : leftOver) runPart(part);
  for (std::thread& thread : threads) thread.join();
  for (const std::exception_ptr& failure : failures) {
    if (failure) std::rethrow_exception(failure);
  }
}

}  // namespace dbengine::sql
