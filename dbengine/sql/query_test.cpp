#include "dbengine/sql/query.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "dbengine/storage/engine_error.h"
#include "tests/fixture_ids.h"

namespace dbengine::sql {
namespace {

// The fixture tables of tests/data/sql, without the database's name lookup.
class FixtureTables : public TableProvider {
 public:
  std::shared_ptr<const TableFile> table(std::string_view name) override {
    std::string file(name);
    if (file.find('.') == std::string::npos) file += ".dbf";
    if (file != "KONTAKTE.dbf" && file != "KONTAKTE.gdb") {
      throw EngineError(errc::kTableNotFound, "keine Tabelle " + file);
    }
    return TableFile::open(std::string(SPURLIX_TEST_DATA) + "/sql/" + file);
  }
};

std::unique_ptr<RowSource> run(std::string_view sql) {
  FixtureTables tables;
  return runQuery(sql, tables);
}

std::vector<std::string> column(const RowSource& rows, int index) {
  std::vector<std::string> values;
  for (std::size_t row = 0; row < rows.rowCount(); ++row) {
    values.push_back(rows.value(row, index).toText());
  }
  return values;
}

// The UNIQUE_IDs of the fixture's contacts by record number (see README.txt).
std::set<std::string> contacts(std::initializer_list<int> records) {
  std::set<std::string> ids;
  for (int record : records) ids.insert(test_support::kFixtureIds[record]);
  return ids;
}

std::set<std::string> idsOf(std::string_view condition) {
  std::unique_ptr<RowSource> rows = run("SELECT UNIQUE_ID FROM KONTAKTE " + std::string(condition));
  std::vector<std::string> ids = column(*rows, 0);
  return {ids.begin(), ids.end()};
}

int errorOf(std::string_view sql) {
  try {
    run(sql);
  } catch (const EngineError& error) {
    return error.number();
  }
  return 0;
}

// The rows are the conditions' business (below); here the columns.
TEST(Query, QualifiedColumnsAreNamedWithoutTheirTable) {
  // Record 7's ID holds a quote (doubled in the literal) and wildcard
  // characters, which "=" compares as they are.
  auto rows =
      run("SELECT [KONTAKTE].COMPANY, [KONTAKTE].UNIQUE_ID FROM [KONTAKTE] WHERE "
          "[KONTAKTE].UNIQUE_ID = '[!7]*?#%''\"§'");
  ASSERT_EQ(rows->columnCount(), 2);
  ASSERT_EQ(rows->rowCount(), 1u);
  EXPECT_EQ(rows->columnName(0), "COMPANY");
  EXPECT_TRUE(rows->value(0, 0).isNull());  // the blank COMPANY of record 7
  EXPECT_EQ(rows->value(0, 1), Value(test_support::kFixtureIds[7]));
}

TEST(Query, CountOfNonNullValues) {
  auto rows = run("select count(CITY) from [KONTAKTE.dbf] where CITY is not null;  ");
  ASSERT_EQ(rows->rowCount(), 1u);
  EXPECT_EQ(rows->columnName(0), "Expr1000");
  EXPECT_EQ(rows->value(0, 0), Value(std::int64_t{7}));

  rows = run("SELECT COUNT(*), COUNT(COMPANY) AS firmen, COUNT(CITY) FROM KONTAKTE.dbf");
  EXPECT_EQ(rows->columnName(0), "Expr1000");
  EXPECT_EQ(rows->columnName(1), "firmen");
  EXPECT_EQ(rows->columnName(2), "Expr1001");
  EXPECT_EQ(rows->value(0, 0), Value(std::int64_t{8}));
  EXPECT_EQ(rows->value(0, 1), Value(std::int64_t{7}));

  rows = run("SELECT COUNT(*) FROM KONTAKTE WHERE NAME LIKE 'nobody'");
  ASSERT_EQ(rows->rowCount(), 1u);  // a count always has its one row
  EXPECT_EQ(rows->value(0, 0), Value(std::int64_t{0}));
}

struct ConditionCase {
  const char* where;
  std::set<std::string> ids;
};

TEST(Query, ConditionsWithThreeValuedLogic) {
  const ConditionCase cases[] = {
      {"", contacts({1, 2, 3, 4, 5, 6, 7, 9})},  // the deleted record 8 never shows
      {"WHERE COMPANY IS NULL", contacts({7})},
      {"WHERE COMPANY LIKE '**'", contacts({1, 2, 3, 4, 5, 6, 9})},
      // Null in LIKE is unknown, and so is NOT unknown: record 7 stays out.
      {"WHERE NOT COMPANY LIKE '*M*'", contacts({3, 4, 9})},
      {"WHERE COMPANY NOT LIKE '*M*'", contacts({3, 4, 9})},
      {"WHERE NOT (COMPANY LIKE 'x' AND NAME LIKE '*')", contacts({1, 2, 3, 4, 5, 6, 9})},
      // Unknown OR true is true.
      {"WHERE COMPANY LIKE '*[mM][üÜ]*' OR NAME LIKE '*[mM][üÜ]*'", contacts({1, 2, 3, 7})},
      {"WHERE COMPANY LIKE '*M*' OR CITY IS NULL", contacts({1, 2, 5, 6})},
      {"WHERE (CITY IS NULL OR CITY < 'C') AND NOT NAME LIKE '*Meier'", contacts({5, 7})},
      {"WHERE NAME NOT LIKE '*e*'", contacts({2, 9})},
      {"WHERE UNIQUE_ID = 'X1'", contacts({9})},
      {"WHERE 'X1' = UNIQUE_ID", contacts({9})},
      {"WHERE [UNIQUE_ID]<>'X1' AND CITY >= 'M'", contacts({1})},
      {"WHERE CITY > 'Köln' AND CITY <= \"München\"", contacts({1, 9})},
      {"WHERE COMPANY = NAME OR NAME <> NAME", contacts({})},
      {"WHERE [kontakte.DBF].NAME LIKE '*Meyer'", contacts({5})},
      {"WHERE 1 = 1", contacts({1, 2, 3, 4, 5, 6, 7, 9})},
      {"WHERE 'Meier' LIKE 'M*' AND 2 < 1", contacts({})},
      {"WHERE NAME LIKE '*#*' OR NAME LIKE 'Eva*'", contacts({3})},
      {"WHERE NAME LIKE '*Ω*'", contacts({})},            // not in the table's code page
      {"WHERE NAME LIKE '*[oO]''[nN]*'", contacts({4})},  // a doubled apostrophe
  };
  for (const ConditionCase& c : cases) {
    SCOPED_TRACE(c.where);
    EXPECT_EQ(idsOf(c.where), c.ids);
  }
}

TEST(Query, SelectAllGivesEveryFieldByItsName) {
  auto rows = run("SELECT * FROM KONTAKTE WHERE UNIQUE_ID = 'X1'");
  ASSERT_EQ(rows->columnCount(), 4);
  EXPECT_EQ(rows->columnName(3), "CITY");
  EXPECT_EQ(rows->value(0, 3), Value("Leipzig"));

  rows = run("SELECT name AS Person, city FROM KONTAKTE WHERE UNIQUE_ID = 'X1'");
  EXPECT_EQ(rows->columnName(0), "Person");
  EXPECT_EQ(rows->columnName(1), "CITY");  // the table's spelling
}

struct Failing {
  const char* sql;
  int error;
};

TEST(Query, RejectsWhatItCannotAnswer) {
  const Failing cases[] = {
      {"SELECT NOPE, [NO PE], Größe FROM KONTAKTE", errc::kUnknownColumn},
      {"SELECT [OTHER].NAME FROM KONTAKTE", errc::kUnknownColumn},
      {"SELECT [KONTAKTE.gdb].NAME FROM KONTAKTE", errc::kUnknownColumn},
      {"SELECT * FROM KONTAKTE WHERE NOPE IS NULL", errc::kUnknownColumn},
      {"SELECT * FROM NOPE", errc::kTableNotFound},
      {"SELECT * FROM KONTAKTE WHERE NAME = 1", errc::kTypeMismatch},
      {"SELECT * FROM KONTAKTE WHERE 1 < NAME", errc::kTypeMismatch},
      {"SELECT * FROM KONTAKTE WHERE NAME = #2024-01-01#", errc::kTypeMismatch},
      {"SELECT * FROM KONTAKTE WHERE 1 = 'a'", errc::kTypeMismatch},
      {"SELECT * FROM KONTAKTE WHERE NAME LIKE '[z-a]'", errc::kSyntaxError},
      {"SELECT * FROM KONTAKTE WHERE NAME LIKE '*[ab'", errc::kSyntaxError},
      {"SELECT * FROM KONTAKTE WHERE 'x' LIKE '*[ab'", errc::kSyntaxError},
      {"SELECT NAME, COUNT(*) FROM KONTAKTE", errc::kSyntaxError},
      {"SELECT [KONTAKTE].COMPANY FROM [KONTAKTE] WHERE [KONTAKTE]. LIKE '**'", errc::kSyntaxError},
  };
  for (const Failing& c : cases) EXPECT_EQ(errorOf(c.sql), c.error) << c.sql;
}

TEST(Query, ErrorsNameWhatIsWrong) {
  const std::pair<const char*, std::vector<const char*>> cases[] = {
      {"SELECT * FROM KONTAKTE WHERE NAME LIKE '[z-a]*'", {"'[z-a]*'", "Zeichen 40"}},
      {"SELECT FIRMA FROM KONTAKTE", {"'FIRMA'", "'KONTAKTE'"}},
  };
  for (const auto& [sql, parts] : cases) {
    std::string description;
    try {
      run(sql);
    } catch (const EngineError& error) {
      description = error.description();
    }
    for (const char* part : parts) EXPECT_NE(description.find(part), std::string::npos) << sql;
  }
}

TEST(QualifierNamesTable, IgnoresCaseAndTheDbfEnding) {
  const std::tuple<const char*, const char*, bool> cases[] = {
      {"kontakte", "KONTAKTE", true},      {"KONTAKTE", "KONTAKTE.dbf", true},
      {"KONTAKTE.DBF", "kontakte", true},  {"KONTAKTE", "KONTAKTE.gdb", true},
      {"KONTAKTE.gdb", "KONTAKTE", false}, {"KONTAKT", "KONTAKTE", false},
  };
  for (const auto& [qualifier, table, names] : cases) {
    EXPECT_EQ(qualifierNamesTable(qualifier, table), names) << qualifier << " / " << table;
  }
}

}  // namespace
}  // namespace dbengine::sql
