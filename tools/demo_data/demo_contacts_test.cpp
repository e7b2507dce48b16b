// The demo database as an independent reader sees it, and as our engine does.

#include "tools/demo_data/demo_contacts.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "dbengine/storage/table_file.h"

namespace demo_data {
namespace {

class DemoDatabase : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = std::filesystem::temp_directory_path() /
              ("spurlix-demo-" + std::to_string(::getpid()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
    summary_ = writeDemoDatabase(folder_, 3000);
  }
  void TearDown() override { std::filesystem::remove_all(folder_); }

  std::filesystem::path folder_;
  DemoSummary summary_;
};

TEST_F(DemoDatabase, HasActShapeAndCounts) {
  auto table = dbengine::TableFile::open(summary_.contactTable);
  EXPECT_EQ(table->recordCount(), 3000u);
  EXPECT_EQ(summary_.liveContacts + summary_.deletedContacts, 3000u);
  EXPECT_GT(summary_.deletedContacts, 5u);  // about 1 %
  EXPECT_LT(summary_.deletedContacts, 80u);
  EXPECT_GE(table->fields().size(), 55u);
  EXPECT_GT(table->recordLength(), 1000u);
  EXPECT_LT(table->recordLength(), 1200u);
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
  EXPECT_GT(blankCompanies, 30u);
  EXPECT_GT(umlautNames, 100u);
}

TEST_F(DemoDatabase, IsDeterministic) {
  const auto other = std::filesystem::path(folder_.string() + "-again");
  writeDemoDatabase(other, 3000);
  auto read = [](const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), {});
    return bytes.substr(32);  // the header carries today's date
  };
  EXPECT_EQ(read(summary_.contactTable), read(other / "KONTAKTE.dbf"));
  std::filesystem::remove_all(other);
}

TEST_F(DemoDatabase, IndependentReaderAgrees) {
  if (!std::filesystem::exists("/usr/bin/python3")) GTEST_SKIP() << "no /usr/bin/python3";
  const std::string script = folder_.string() + "/count.py";
  std::ofstream(script) << "import sys, dbfread\n"
                           "t = dbfread.DBF(sys.argv[1], encoding='cp1252')\n"
                           "ids = [r['UNIQUE_ID'] for r in t]\n"
                           "g = dbfread.DBF(sys.argv[2], encoding='cp1252')\n"
                           "print(len(ids), len(set(ids)), len(list(g)))\n";
  const std::string command = "/usr/bin/python3 " + script + " " + summary_.contactTable.string() +
                              " " + summary_.groupTable.string();
  FILE* pipe = ::popen(command.c_str(), "r");
  ASSERT_NE(pipe, nullptr);
  unsigned live = 0, unique = 0, groups = 0;
  const int got = std::fscanf(pipe, "%u %u %u", &live, &unique, &groups);
  const int status = ::pclose(pipe);
  if (status != 0) GTEST_SKIP() << "python3-dbfread is not installed";
  ASSERT_EQ(got, 3);
  EXPECT_EQ(live, summary_.liveContacts);
  EXPECT_EQ(unique, live);
  EXPECT_EQ(groups, summary_.groups);
}

}  // namespace
}  // namespace demo_data
