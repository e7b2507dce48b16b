// A table that ACT! cuts short while we scan it (packing its database during
// a search) ends the query with rows or an engine error, never with a crash
// or a hang. The cut comes from another thread: it meets our open file as
// another program's would.

#include <gtest/gtest.h>

#include <filesystem>
#include <future>
#include <random>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "dbengine/db_engine.h"
#include "dbengine/storage/table_builder_test_util.h"

namespace dbengine {
namespace {

TEST(OpenRecordset, TableCutShortDuringTheScan) {
  testing::ScratchFolder temp;
  // 20,000 records of 1,000 bytes: a scan of several blocks.
  std::vector<std::string> records(20000, " Mueller" + std::string(992, ' '));
  const std::string bytes = testing::tableBytes(
      0x03, {{"NAME", 'C', 250}, {"A", 'C', 250}, {"B", 'C', 250}, {"C", 'C', 249}}, records);
  // Where the cut lands, by turns: in or just behind the header, or among the
  // records. It comes after up to 50 ms, while scans run one after the other
  // (how many end before it depends on the machine's speed); one is under way
  // when it comes.
  const std::pair<std::size_t, std::size_t> cutRanges[] = {{0, 200}, {200, bytes.size()}};
  auto db = DBEngine().OpenDatabase(temp.path().string(), false, false, "FoxPro 2.6;");
  int rowsSeen = 0, errorsSeen = 0;
  const auto scan = [&] {
    try {
      auto rows = db->OpenRecordset("SELECT NAME FROM K WHERE NAME LIKE '*ll*'");
      EXPECT_EQ(rows->RecordCount(), 20000);
      ++rowsSeen;
    } catch (const EngineError& error) {
      EXPECT_TRUE(error.number() == errc::kDamagedTable || error.number() == errc::kNotATable)
          << error.number() << " " << error.description();
      ++errorsSeen;
    }
  };
  std::mt19937 random(7);
  for (int round = 0; round < 24; ++round) {
    const auto [from, to] = cutRanges[round % 2];
    const std::filesystem::path file = temp.write("K.dbf", bytes);
    scan();  // the whole table
    const std::uintmax_t length = from + random() % (to - from);
    const auto delay = std::chrono::milliseconds(random() % 50);
    std::future<void> cut = std::async(std::launch::async, [&] {
      std::this_thread::sleep_for(delay);
      std::filesystem::resize_file(file, length);
    });
    do scan();
    while (cut.wait_for(std::chrono::seconds(0)) != std::future_status::ready);
    cut.get();
    const int errorsBefore = errorsSeen;
    scan();  // the table cut short
    EXPECT_EQ(errorsSeen, errorsBefore + 1) << "cut at " << length;
  }
  EXPECT_GE(rowsSeen, 24);
}

}  // namespace
}  // namespace dbengine
