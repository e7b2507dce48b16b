// The demo database as an independent reader sees it, and as our engine does.

#include "tools/demo_data/demo_contacts.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "dbengine/storage/table_file.h"
#include "tests/scratch.h"

namespace demo_data {
namespace {

namespace fs = std::filesystem;

class DemoDatabase : public ::testing::Test {
 protected:
  test_support::ScratchFolder folder_;
  const DemoSummary summary_ = writeDemoDatabase(folder_.path() / "a", 3000);
};

// (That it is the same every time, the Windows tools' comparison with the
// Linux ones shows.)
TEST_F(DemoDatabase, HasActShapeAndCounts) {
  auto table = dbengine::TableFile::open(summary_.contactTable);
  EXPECT_EQ(table->recordCount(), 3000u);
  EXPECT_EQ(summary_.liveContacts + summary_.deletedContacts, 3000u);
  EXPECT_GE(table->fields().size(), 55u);
  EXPECT_EQ(table->fields()[0].name, "UNIQUE_ID");
  EXPECT_EQ(table->codepage().name(), "cp1252");

  std::uint32_t deleted = 0, blankCompanies = 0, umlautNames = 0;
  const int company = table->fieldIndex("COMPANY"), name = table->fieldIndex("NAME");
  for (std::uint32_t i = 0; i < table->recordCount(); ++i) {
    const std::vector<std::uint8_t> bytes = table->readRecord(i);
    const std::uint8_t* record = bytes.data();
    if (dbengine::TableFile::isDeleted(record)) ++deleted;
    if (table->isNull(record, company)) ++blankCompanies;
    if (table->value(record, name).toText().find("ü") != std::string::npos) ++umlautNames;
  }
  EXPECT_EQ(deleted, summary_.deletedContacts);
  EXPECT_GT(deleted, 5u);  // about 1 %
  EXPECT_LT(deleted, 80u);
  EXPECT_GT(blankCompanies, 30u);
  EXPECT_GT(umlautNames, 100u);
}

TEST_F(DemoDatabase, IndependentReaderAgrees) {
  if (!fs::exists("/usr/bin/python3")) GTEST_SKIP() << "no /usr/bin/python3";
  const std::string command =
      "/usr/bin/python3 -c \"import sys, dbfread\n"
      "ids = [r['UNIQUE_ID'] for r in dbfread.DBF(sys.argv[1], encoding='cp1252')]\n"
      "print(len(ids), len(set(ids)), len(list(dbfread.DBF(sys.argv[2], encoding='cp1252'))))\" " +
      summary_.contactTable.string() + " " + summary_.groupTable.string();
  FILE* pipe = ::popen(command.c_str(), "r");
  ASSERT_NE(pipe, nullptr);
  unsigned live = 0, unique = 0, groups = 0;
  const int got = std::fscanf(pipe, "%u %u %u", &live, &unique, &groups);
  if (::pclose(pipe) != 0) GTEST_SKIP() << "python3-dbfread is not installed";
  ASSERT_EQ(got, 3);
  EXPECT_EQ(live, summary_.liveContacts);
  EXPECT_EQ(unique, live);
  EXPECT_EQ(groups, summary_.groups);
}

}  // namespace
}  // namespace demo_data
