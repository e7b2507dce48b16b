// The demo database as an independent reader sees it, and as our engine does.

#include "tools/demo_data/demo_contacts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <set>
#include <string>
#include <vector>

#include "common/utf8.h"
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

// The IDs, as an independent reader and our engine read them: the same, the
// blank in front kept, unique, and of the kind ACT! makes.
TEST_F(DemoDatabase, IndependentReaderAgrees) {
#ifdef _WIN32
  // A Windows program cannot start the reader (not even under Wine, whose
  // cmd finds no Linux program); WindowsTools.MatchTheLinuxTools reads the
  // tables that actdb-demo.exe writes with it instead.
  GTEST_SKIP() << "the reader is run by WindowsTools.MatchTheLinuxTools";
#endif
  if (!fs::exists("/usr/bin/python3")) GTEST_SKIP() << "no /usr/bin/python3";
  const std::string command =
      "/usr/bin/python3 -c \"import sys, dbfread\n"
      "print(len(list(dbfread.DBF(sys.argv[2], encoding='cp1252'))))\n"
      "for r in dbfread.DBF(sys.argv[1], encoding='cp1252'): print(r['UNIQUE_ID'])\" " +
      summary_.contactTable.string() + " " + summary_.groupTable.string();
  FILE* pipe = ::popen(command.c_str(), "r");
  ASSERT_NE(pipe, nullptr);
  std::string output;
  char buffer[4096];
  for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
    output.append(buffer, n);
  if (::pclose(pipe) != 0) GTEST_SKIP() << "python3-dbfread is not installed";
  std::vector<std::string> readerIds;
  for (std::size_t at = 0, end; (end = output.find('\n', at)) != std::string::npos; at = end + 1) {
    readerIds.push_back(output.substr(at, end - at));
  }
  ASSERT_FALSE(readerIds.empty());
  EXPECT_EQ(readerIds.front(), std::to_string(summary_.groups));
  readerIds.erase(readerIds.begin());

  auto table = dbengine::TableFile::open(summary_.contactTable);
  const int id = table->fieldIndex("UNIQUE_ID");
  std::vector<std::string> ids;
  for (std::uint32_t i = 0; i < table->recordCount(); ++i) {
    const std::vector<std::uint8_t> record = table->readRecord(i);
    if (!dbengine::TableFile::isDeleted(record.data())) {
      ids.push_back(table->value(record.data(), id).toText());
    }
  }
  EXPECT_EQ(ids, readerIds);
  EXPECT_EQ(std::set<std::string>(ids.begin(), ids.end()).size(), summary_.liveContacts);
  const auto count = [&](auto condition) {
    return std::count_if(ids.begin(), ids.end(), condition);
  };
  EXPECT_GT(count([](const std::string& s) { return s.starts_with(' '); }), 30);
  EXPECT_GT(count([](const std::string& s) { return common::utf8Length(s) < 12; }), 60);
  EXPECT_GT(count([](const std::string& s) { return s.find_first_of("\"'[*?#% ") < 12; }), 2000);
  EXPECT_EQ(count([](const std::string& s) { return common::utf8Length(s) > 12; }), 0);
}

}  // namespace
}  // namespace demo_data
