#include "dbengine/database.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "dbengine/db_engine.h"
#include "dbengine/storage/engine_error.h"
#include "dbengine/storage/table_builder_test_util.h"

namespace dbengine {
namespace {

namespace fs = std::filesystem;

using testing::errorNumberOf;
using testing::errorOf;
using testing::ScratchFolder;

const fs::path kFixtures = fs::path(SPURLIX_TEST_DATA) / "sql";

std::unique_ptr<Database> openFixtures() {
  return DBEngine().OpenDatabase(kFixtures.string(), false, false, "FoxPro 2.6;");
}

// Every row's value of one column, walking the recordset as the program does.
std::vector<std::string> walk(Recordset& rows, std::string_view column) {
  std::vector<std::string> values;
  while (!rows.Eof()) {
    values.push_back(rows.fields().Item(column).Value().toText());
    rows.MoveNext();
  }
  return values;
}

// A dBase III table with one character field NAME C10: "K<n>" for every
// third record, "x<n>" for the others.
std::string namesTable(std::uint32_t records) {
  std::vector<std::string> rows;
  for (std::uint32_t i = 0; i < records; ++i) {
    char record[12];
    std::snprintf(record, sizeof record, " %c%-9u", i % 3 == 0 ? 'K' : 'x', i);
    rows.emplace_back(record, 11);
  }
  return testing::tableBytes(0x03, {{"NAME", 'C', 10}}, rows);
}

TEST(OpenDatabase, RejectsBadFoldersAndDrivers) {
  ScratchFolder temp;
  temp.write("file.txt", "x");
  DBEngine engine;
  const std::tuple<std::string, std::string, int> cases[] = {
      {"", "FoxPro 2.6;", 0},  // the folder of "\\KONTAKTE.DBF": the root
      {(temp.path() / "missing").string(), "FoxPro 2.6;", errc::kInvalidPath},
      {(temp.path() / "file.txt").string(), "FoxPro 2.6;", errc::kInvalidPath},
      {temp.path().string(), "Excel 8.0;", errc::kInvalidConnect},
      {temp.path().string(), "", errc::kInvalidConnect},
      {temp.path().string(), "FoxPro 2.6;", 0},
      {temp.path().string(), "foxpro", 0},
      {temp.path().string(), "dBase III;", 0},
      {temp.path().string(), "DBASE IV;", 0},
  };
  for (const auto& [name, connect, error] : cases) {
    EXPECT_EQ(errorNumberOf([&, &name = name, &connect = connect] {
                engine.OpenDatabase(name, false, false, connect);
              }),
              error)
        << name << " / " << connect;
  }
}

// "S:" (from "S:\\KONTAKTE.DBF") and "" (from "\\KONTAKTE.DBF") name a root, not
// the drive's current folder: the current drive stands for both here.
TEST(OpenDatabase, ABareDriveIsItsRoot) {
  const fs::path here = fs::current_path();
  std::unique_ptr<Database> database =
      DBEngine().OpenDatabase(here.root_name().string(), false, false, "FoxPro 2.6;");
  EXPECT_EQ(database->folder(), here.root_path());
}

// What the rows are is the query's business; here, how the recordset hands them out.
TEST(OpenRecordset, WalksTheProgramsPrefixQuery) {
  auto rows =
      openFixtures()->OpenRecordset("SELECT ID_NR FROM [KONTAKTE.gdb] WHERE ID_NR LIKE '[kK]-*';");
  rows->MoveLast(0);
  EXPECT_EQ(rows->RecordCount(), 3);
  rows->MoveFirst();
  EXPECT_THAT(walk(*rows, "id_nr"), ::testing::ElementsAre("K-7", "k-12", "K-3"));
}

TEST(OpenRecordset, BareTableNamesOpenEveryLiveRecord) {
  auto db = openFixtures();
  for (const char* name : {"KONTAKTE", "[KONTAKTE]", "KONTAKTE.dbf", " [kontakte.DBF] "}) {
    auto rows = db->OpenRecordset(name);
    EXPECT_EQ(rows->RecordCount(), 8) << name;
    EXPECT_EQ(rows->fields().Count(), 4) << name;
  }
  EXPECT_EQ(db->OpenRecordset("kontakte.GDB")->RecordCount(), 5);
  const EngineError missing = errorOf([&] { db->OpenRecordset("KONTAKTE.xyz"); });
  EXPECT_EQ(missing.number(), errc::kTableNotFound);
  EXPECT_NE(missing.description().find("'KONTAKTE.xyz'"), std::string::npos);
  EXPECT_EQ(errorNumberOf([&] { db->OpenRecordset("[../sql/KONTAKTE]"); }), errc::kTableNotFound);
  EXPECT_EQ(errorNumberOf([&] { db->OpenRecordset(""); }), errc::kTableNotFound);
}

// ACT! keeps writing to its tables while the database is open: every query
// reads the table as it is then, and rows already fetched stay as they were.
TEST(OpenRecordset, ReadsTheTableAsItIsNow) {
  ScratchFolder temp;
  const fs::path file = temp.write("NAMEN.dbf", namesTable(9));
  auto db = DBEngine().OpenDatabase(temp.path().string(), false, false, "FoxPro 2.6;");
  const char* query = "SELECT NAME FROM NAMEN WHERE NAME LIKE 'K*'";
  auto before = db->OpenRecordset(query);
  EXPECT_EQ(before->RecordCount(), 3);

  temp.write("NAMEN.dbf", namesTable(12));  // three records appended
  EXPECT_EQ(db->OpenRecordset(query)->RecordCount(), 4);

  fs::resize_file(file, fs::file_size(file) - 20);  // cut off while packing
  const EngineError error = errorOf([&] { db->OpenRecordset(query); });
  EXPECT_EQ(error.number(), errc::kDamagedTable);
  EXPECT_NE(error.description().find("'NAMEN.dbf'"), std::string::npos);
  before->MoveLast();
  EXPECT_EQ(before->value(0), Value("K6"));

  temp.write("NAMEN.dbf", namesTable(2));  // rewritten smaller, header and all
  EXPECT_EQ(db->OpenRecordset(query)->RecordCount(), 1);

  // Rows too wide to copy are read again when a value is asked for: from a
  // table cut short meanwhile that is the engine error, not a crash.
  const fs::path wide = temp.write(
      "BREIT.dbf",
      testing::tableBytes(0x03, {{"A", 'C', 200}, {"B", 'C', 200}},
                          {" eins" + std::string(396, ' '), " zwei" + std::string(396, ' ')}));
  auto rows = db->OpenRecordset("SELECT * FROM BREIT");
  rows->MoveLast();
  EXPECT_EQ(rows->value("A"), Value("zwei"));
  fs::resize_file(wide, 300);
  rows->MoveFirst();
  EXPECT_EQ(errorNumberOf([&] { rows->value("A"); }), errc::kDamagedTable);
}

TEST(Recordset, WalksAndReportsNoCurrentRecord) {
  auto db = openFixtures();
  auto rows = db->OpenRecordset("SELECT NAME, CITY FROM KONTAKTE WHERE CITY LIKE 'B*'");
  ASSERT_EQ(rows->RecordCount(), 2);
  EXPECT_FALSE(rows->Eof());
  Field name = rows->fields()["name"];
  EXPECT_EQ(name.Name(), "NAME");
  EXPECT_EQ(name.Value(), Value("Peter Meyer"));
  rows->MoveNext();
  EXPECT_EQ(name.Value(), Value("Jürgen Mühlbauer"));  // a Field follows the current row
  rows->MoveNext();
  EXPECT_TRUE(rows->Eof());
  EXPECT_EQ(rows->RecordCount(), 2);
  EXPECT_EQ(errorNumberOf([&] { name.Value(); }), errc::kNoCurrentRecord);
  EXPECT_EQ(errorNumberOf([&] { rows->MoveNext(); }), errc::kNoCurrentRecord);
  rows->MoveLast();
  EXPECT_EQ(rows->value("city"), Value("Bonn"));
  EXPECT_EQ(errorNumberOf([&] { rows->fields().Item(2); }), errc::kItemNotFound);
  EXPECT_EQ(errorNumberOf([&] { rows->fields().Item(-1); }), errc::kItemNotFound);
  EXPECT_EQ(errorNumberOf([&] { rows->value("COMPANY"); }), errc::kItemNotFound);
}

TEST(Recordset, EmptyResult) {
  auto db = openFixtures();
  auto rows = db->OpenRecordset("SELECT NAME FROM KONTAKTE WHERE NAME LIKE 'nobody'");
  EXPECT_EQ(rows->RecordCount(), 0);
  EXPECT_TRUE(rows->Eof());
  EXPECT_EQ(errorNumberOf([&] { rows->value(0); }), errc::kNoCurrentRecord);
  EXPECT_EQ(errorNumberOf([&] { rows->MoveFirst(); }), errc::kNoCurrentRecord);
  EXPECT_EQ(errorNumberOf([&] { rows->MoveLast(0); }), errc::kNoCurrentRecord);
  EXPECT_EQ(errorNumberOf([&] { rows->MoveNext(); }), errc::kNoCurrentRecord);
}

TEST(Recordset, ClosedObjectsRefuseEveryCall) {
  auto db = openFixtures();
  auto rows = db->OpenRecordset("KONTAKTE");
  Field name = rows->fields().Item("NAME");
  db->Close();
  EXPECT_FALSE(db->isOpen());
  EXPECT_EQ(rows->value("NAME"), Value("Hans Müller"));  // still readable after the database
  EXPECT_EQ(errorNumberOf([&] { db->OpenRecordset("KONTAKTE"); }), errc::kObjectClosed);
  EXPECT_EQ(errorNumberOf([&] { db->Close(); }), errc::kObjectClosed);

  rows->Close();
  EXPECT_EQ(errorNumberOf([&] { rows->RecordCount(); }), errc::kObjectClosed);
  EXPECT_EQ(errorNumberOf([&] { rows->MoveNext(); }), errc::kObjectClosed);
  EXPECT_EQ(errorNumberOf([&] { rows->Eof(); }), errc::kObjectClosed);
  EXPECT_EQ(errorNumberOf([&] { name.Value(); }), errc::kObjectClosed);
  EXPECT_EQ(errorNumberOf([&] { rows->fields().Count(); }), errc::kObjectClosed);
  EXPECT_EQ(errorNumberOf([&] { rows->Close(); }), errc::kObjectClosed);
}

TEST(Recordset, CountsBeyondSixteenBits) {
  ScratchFolder temp;
  temp.write("GROSS.dbf", namesTable(300000));
  auto db = DBEngine().OpenDatabase(temp.path().string(), false, false, "dBase III");
  EXPECT_EQ(db->OpenRecordset("GROSS")->RecordCount(), 300000);
  auto rows = db->OpenRecordset("SELECT NAME FROM GROSS WHERE NAME LIKE '*[kK]*'");
  EXPECT_EQ(rows->RecordCount(), 100000);
  rows->MoveLast(0);
  EXPECT_EQ(rows->value(0), Value("K299997"));
  auto count = db->OpenRecordset("SELECT COUNT(*) FROM GROSS WHERE NAME LIKE 'x*'");
  EXPECT_EQ(count->value(0), Value(std::int64_t{200000}));
}

}  // namespace
}  // namespace dbengine
