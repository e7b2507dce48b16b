// A scan in parts visits every record once, the parts one after the other,
// and reports the first part's failure; the queries built on it hand out
// their rows in file order on any number of processors.

#include "dbengine/sql/parallel_scan.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <stdexcept>
#include <string>
#include <vector>

#include "dbengine/sql/query.h"
#include "dbengine/storage/table_builder_test_util.h"

namespace dbengine::sql {
namespace {

// 12,000 records of 1,000 bytes (a dozen scan blocks, each no multiple of
// the record length); record i holds i.
constexpr int kRecords = 12000;
std::string numberedTable() {
  std::vector<std::string> records;
  for (int i = 0; i < kRecords; ++i) {
    char number[16];
    std::snprintf(number, sizeof number, "%c%05d", i % 10 == 3 ? '*' : ' ', i);
    records.push_back(number + std::string(994, ' '));
  }
  return testing::tableBytes(0x03, {{"NR", 'C', 5}, {"REST", 'C', 250}, {"MORE", 'C', 250},
                                    {"MOST", 'C', 250}, {"LAST", 'C', 244}},
                             records);
}

TEST(ScanInParts, VisitsEveryRecordOnceInFileOrder) {
  testing::ScratchFolder temp;
  const auto table = TableFile::open(temp.write("K.dbf", numberedTable()));
  for (std::size_t parts : {1u, 2u, 3u, 5u}) {
    std::vector<std::vector<int>> seen(parts);
    scanInParts(*table, parts, [&](std::size_t part, std::uint32_t first, const std::uint8_t* records,
                                   std::uint32_t count) {
      for (std::uint32_t i = 0; i < count; ++i) {
        const auto* number = reinterpret_cast<const char*>(records) + i * table->recordLength() + 1;
        EXPECT_EQ(std::stoi(std::string(number, 5)), static_cast<int>(first + i));
        seen[part].push_back(static_cast<int>(first + i));
      }
    });
    std::vector<int> all;
    for (const std::vector<int>& part : seen) all.insert(all.end(), part.begin(), part.end());
    ASSERT_EQ(all.size(), std::size_t{kRecords}) << parts << " parts";
    for (int i = 0; i < kRecords; ++i) ASSERT_EQ(all[static_cast<std::size_t>(i)], i);
  }
  // Parts 1 and 2 fail: part 1's failure is the one reported.
  EXPECT_THROW(
      try {
        scanInParts(*table, 3, [](std::size_t part, auto...) {
          if (part > 0) throw std::runtime_error(std::to_string(part));
        });
      } catch (const std::runtime_error& failure) {
        EXPECT_STREQ(failure.what(), "1");
        throw;
      },
      std::runtime_error);
}

TEST(ScanInParts, QueriesKeepFileOrder) {
  testing::ScratchFolder temp;
  struct OneTable : TableProvider {
    std::filesystem::path file;
    std::shared_ptr<const TableFile> table(std::string_view) override {
      return TableFile::open(file);
    }
  } tables;
  tables.file = temp.write("K.dbf", numberedTable());
  std::vector<std::string> expected;  // live records whose number ends in 7
  for (int i = 7; i < kRecords; i += 10) expected.push_back(std::to_string(100000 + i).substr(1));
  // Copied rows, and rows too wide to copy, read again by record number.
  for (const char* columns : {"NR", "NR, REST, MORE"}) {
    auto rows = runQuery(std::string("SELECT ") + columns + " FROM K WHERE NR LIKE '*7'", tables);
    std::vector<std::string> got;
    for (std::size_t row = 0; row < rows->rowCount(); ++row) {
      got.push_back(rows->value(row, 0).toText());
    }
    EXPECT_EQ(got, expected) << columns;
  }
  EXPECT_EQ(runQuery("SELECT COUNT(*) FROM K", tables)->value(0, 0).toText(),
            std::to_string(kRecords - kRecords / 10));
}

}  // namespace
}  // namespace dbengine::sql
