// A table that another process cuts short while we scan it (ACT! packing its
// database during a search) ends the query with rows or an engine error,
// never with a signal or a hang.

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <random>
#include <string>
#include <vector>

#include "dbengine/db_engine.h"
#include "dbengine/storage/table_builder_test_util.h"

namespace dbengine {
namespace {

TEST(OpenRecordset, TableCutShortByAnotherProcessDuringTheScan) {
  testing::ScratchFolder temp;
  // 20,000 records of 1,000 bytes: a scan of several blocks.
  std::vector<std::string> records(20000, " Mueller" + std::string(992, ' '));
  const std::string bytes = testing::tableBytes(
      0x03, {{"NAME", 'C', 250}, {"A", 'C', 250}, {"B", 'C', 250}, {"C", 'C', 249}}, records);
  auto db = DBEngine().OpenDatabase(temp.path().string(), false, false, "FoxPro 2.6;");
  std::mt19937 random(7);
  int rowsSeen = 0, errorsSeen = 0;
  for (int round = 0; round < 60; ++round) {
    const std::string file = temp.write("K.dbf", bytes).string();
    const auto delayMicroseconds = static_cast<useconds_t>(random() % 8000);
    const auto cut = static_cast<off_t>(random() % bytes.size());
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      ::usleep(delayMicroseconds);
      ::_exit(::truncate(file.c_str(), cut) == 0 ? 0 : 1);
    }
    int status = 0;
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
    } while (::waitpid(child, &status, WNOHANG) == 0);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  }
  EXPECT_GT(rowsSeen, 0);
  EXPECT_GT(errorsSeen, 0);
}

}  // namespace
}  // namespace dbengine
