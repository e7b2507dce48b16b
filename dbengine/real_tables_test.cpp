// The engine on tables other programs wrote (tests/data/dbf-corpus, see
// SOURCES.md there): each reads as python3-dbfread reads it, as expected.py
// there wrote into expected.txt, with dbfread's mistakes corrected.

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

#include "common/path_text.h"
#include "dbengine/database.h"
#include "dbengine/db_engine.h"
#include "dbengine/storage/table_builder_test_util.h"

namespace dbengine {
namespace {

namespace fs = std::filesystem;

const fs::path kCorpus = fs::path(SPURLIX_TEST_DATA) / "dbf-corpus";

// A value as expected.txt writes it.
std::string expectedForm(const Value& value) {
  if (value.isNull()) return "\\N";
  std::string out;
  for (const char c : value.toText()) {
    const auto byte = static_cast<unsigned char>(c);
    const std::size_t escape = std::string_view("\\\t\n\r").find(c);
    char hex[8];
    std::snprintf(hex, sizeof hex, "\\x%02X", byte);
    out += escape != std::string_view::npos ? std::string{'\\', "\\tnr"[escape]}
           : byte < 0x20                    ? std::string(hex)
                                            : std::string(1, c);
  }
  return out;
}

// The lines after each "== table" line of expected.txt, by table.
std::vector<std::pair<std::string, std::vector<std::string>>> expectedTables() {
  std::ifstream in(kCorpus / "expected.txt", std::ios::binary);
  std::vector<std::pair<std::string, std::vector<std::string>>> tables;
  for (std::string line; std::getline(in, line);) {
    if (line.starts_with("== "))
      tables.push_back({line.substr(3), {}});
    else if (!tables.empty())
      tables.back().second.push_back(line);
  }
  return tables;
}

std::unique_ptr<Database> openFolder(const fs::path& folder) {
  return DBEngine().OpenDatabase(common::utf8FromPath(folder), false, false, "FoxPro 2.6;");
}

TEST(RealTables, ReadAsAnIndependentReaderReadsThem) {
  const auto tables = expectedTables();
  ASSERT_GE(tables.size(), 18u);
  for (const auto& [name, lines] : tables) {
    SCOPED_TRACE(name);
    const fs::path path = kCorpus / common::pathFromUtf8(name);
    const auto db = openFolder(path.parent_path());
    const std::string sql = "SELECT * FROM [" + common::utf8FromPath(path.filename()) + "]";
    if (lines[0].starts_with("error ")) {
      EXPECT_EQ(testing::errorNumberOf([&] { db->OpenRecordset(sql); }),
                std::stoi(lines[0].substr(6)));
      continue;
    }
    // Columns of types the engine does not read (pictures, objects) are not compared.
    const auto rows = db->OpenRecordset(sql);
    std::vector<int> columns;
    std::string names = "fields";
    for (int c = 0; c < rows->fields().Count(); ++c) {
      const std::string column = rows->fields().Item(c).Name();
      if ((lines[0] + "\t").find("\t" + column + "\t") == std::string::npos) continue;
      columns.push_back(c);
      names += "\t" + column;
    }
    std::vector<std::string> got = {names};
    for (; !rows->Eof(); rows->MoveNext()) {
      std::string row;
      for (const int c : columns) row += "\t" + expectedForm(rows->value(c));
      got.push_back(row.substr(1));
    }
    EXPECT_EQ(got, lines);
  }
}

// Searches on those tables: LIKE and comparisons as the table's code page
// writes the characters, and on values padded with NULs.
TEST(RealTables, SearchesMatchInTheTablesCodePage) {
  const std::tuple<const char*, const char*, int> cases[] = {
      {"dbf-ruby", "SELECT RN FROM cp1251 WHERE NAME LIKE '*ПОЛИ*' OR NAME LIKE '*поли*'", 1},
      {"dbf-ruby", "SELECT RN FROM cp1251 WHERE NAME = 'больничное'", 1},
      {"dbf-ruby", "SELECT A1 FROM mazovia WHERE A2 LIKE 'Ś*ś'", 1},
      {"dbfread", "SELECT NAME FROM memotest WHERE MEMO LIKE 'Bob*'", 1},
      {"php-xbase", "SELECT ACCOUNT FROM pr90 WHERE NOTE LIKE '*9999999999'", 1},
      // Of two fields with one name the first is the one found by it.
      {"dbf-ruby", "SELECT Type FROM dbase_03 WHERE Point_ID = '0507121'", 1},
  };
  for (const auto& [folder, sql, count] : cases) {
    EXPECT_EQ(openFolder(kCorpus / folder)->OpenRecordset(sql)->RecordCount(), count) << sql;
  }
}

}  // namespace
}  // namespace dbengine
