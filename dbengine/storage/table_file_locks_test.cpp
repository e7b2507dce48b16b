// TableFile on a table another program holds partly locked, through a file
// backend that refuses chosen ranges (real locks: read_only_file_win32_test).

#include <gtest/gtest.h>

#include "dbengine/storage/locked_file_fake.h"
#include "dbengine/storage/table_builder_test_util.h"
#include "dbengine/storage/table_file.h"

namespace dbengine {
namespace {

using namespace std::chrono_literals;
using testing::errorNumberOf;
using testing::LockedRanges;

constexpr std::uint32_t kRecords = 1000;
constexpr std::uint64_t recordAt(std::uint32_t i) {
  return 32 + 32 + 1 + i * 100;  // after the header, one descriptor and 0x0D
}

TEST(TableFileLocks, LocksAreWaitedForAndOnlyRecordsThatStayLockedFail) {
  testing::ScratchFolder folder;
  const std::filesystem::path path = folder.write(
      "t.dbf", testing::tableBytes(0x03, {{"NAME", 'C', 99}},
                                   std::vector<std::string>(kRecords, " " + std::string(99, 'x'))));
  const struct {
    const char* what;
    std::uint64_t from, length;
    int times;
    int error;  // of open or scan, 0 for none
  } cases[] = {
      {"a save's lock, gone after three tries", recordAt(500), 100, 3, 0},
      // The block gives up after a moment; then its records are read one by one.
      {"a lock held longer than a block waits", recordAt(700), 10, 12, 0},
      {"record locks beyond the end of the file", 1u << 30, 1000, LockedRanges::kForGood, 0},
      {"a record that stays locked", recordAt(700) + 10, 1, LockedRanges::kForGood,
       errc::kLockedByOther},
      {"a header that stays locked", 0, 32, LockedRanges::kForGood, errc::kLockedByOther},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    LockedRanges locks;
    locks.lock(c.from, c.length, c.times);
    std::uint32_t visited = 0;
    EXPECT_EQ(errorNumberOf([&] {
                TableFile::open(path, locks.access(300ms))->scan([&](auto, auto, std::uint32_t n) {
                  visited += n;
                });
              }),
              c.error);
    if (c.error == 0) {
      EXPECT_EQ(visited, kRecords);
      EXPECT_EQ(locks.refused(), c.times == LockedRanges::kForGood ? 0 : c.times);
    }
  }
}

TEST(TableFileLocks, AMemoThatStaysLockedIsReportedAsSuch) {
  testing::ScratchFolder folder;
  std::string memo(512 + 64, '\0');
  memo[7] = 64;  // block size
  memo.replace(512, 12, std::string("\0\0\0\x01\0\0\0\x04Text", 12));
  folder.write("m.fpt", memo);
  const std::filesystem::path path = folder.write(
      "m.dbf", testing::tableBytes(0xF5, {{"NOTIZ", 'M', 10}}, {"          8", "          8"}));
  LockedRanges locks;
  const auto table = TableFile::open(path, locks.access(20ms));
  EXPECT_EQ(table->value(table->readRecord(1).data(), 0), Value("Text"));
  locks.lock(512, 8);
  EXPECT_EQ(errorNumberOf([&] { table->value(table->readRecord(0).data(), 0); }),
            errc::kLockedByOther);
}

}  // namespace
}  // namespace dbengine
