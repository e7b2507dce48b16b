// A table that another process cuts short while we scan it (ACT! packing its
// database during a search) ends the query with rows or an engine error,
// never with a crash or a hang.

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <utility>
#include <vector>

#include "dbengine/db_engine.h"
#include "dbengine/file_cutter_test_util.h"
#include "dbengine/storage/table_builder_test_util.h"

namespace dbengine {
namespace {

TEST(OpenRecordset, TableCutShortByAnotherProcessDuringTheScan) {
  testing::ScratchFolder temp;
  // 20,000 records of 1,000 bytes: a scan of several blocks.
  std::vector<std::string> records(20000, " Mueller" + std::string(992, ' '));
  const std::string bytes = testing::tableBytes(
      0x03, {{"NAME", 'C', 250}, {"A", 'C', 250}, {"B", 'C', 250}, {"C", 'C', 249}}, records);
  // Where the cut lands, by turns: in or just behind the header, or among the
  // records. It comes after up to 50 ms, while scans run one after the other:
  // some end before it, one is under way when it comes.
  const std::pair<std::size_t, std::size_t> cutRanges[] = {{0, 200}, {200, bytes.size()}};
  auto db = DBEngine().OpenDatabase(temp.path().string(), false, false, "FoxPro 2.6;");
  std::mt19937 random(7);
  int rowsSeen = 0, errorsSeen = 0;
  for (int round = 0; round < 24; ++round) {
    const auto [from, to] = cutRanges[round % 2];
    const testing::CutterStatus cutter =
        testing::startFileCutter(temp.write("K.dbf", bytes), from + random() % (to - from),
                                 std::chrono::milliseconds(random() % 50));
    ASSERT_TRUE(cutter);
    std::optional<bool> cut;
    do {
      try {
        auto rows = db->OpenRecordset("SELECT NAME FROM K WHERE NAME LIKE '*ll*'");
        EXPECT_EQ(rows->RecordCount(), 20000);
        ++rowsSeen;
      } catch (const EngineError& error) {
        EXPECT_TRUE(error.number() == errc::kDamagedTable || error.number() == errc::kNotATable)
            << error.number() << " " << error.description();
        ++errorsSeen;
      }
    } while (!(cut = cutter()));
    ASSERT_TRUE(*cut);
  }
  EXPECT_GT(rowsSeen, 0);
  EXPECT_GT(errorsSeen, 0);
}

}  // namespace
}  // namespace dbengine
