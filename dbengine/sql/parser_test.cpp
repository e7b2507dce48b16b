#include "dbengine/sql/parser.h"

#include <gtest/gtest.h>

#include <string>

namespace dbengine::sql {
namespace {

// Texts the dialect rejects, each with the position the error names.
const struct {
  const char* sql;
  std::size_t characterNumber;  // 1-based, where the error is reported
  const char* messagePart;      // a piece of the message
} kMalformed[] = {
    {"", 1, "SELECT"},
    {"SELEC * FROM T", 1, "SELECT"},
    {"SELECT FROM T", 8, "Spaltenname"},
    {"SELECT * T", 10, "FROM"},
    {"SELECT A B FROM T", 10, "FROM"},
    {"SELECT A, FROM T", 11, "Spaltenname"},
    {"SELECT * FROM", 14, "Tabellenname"},
    {"SELECT * FROM T WHERE", 22, "Spaltenname"},
    {"SELECT * FROM T WHERE A", 24, "LIKE"},
    {"SELECT * FROM T WHERE A LIKE", 29, "Muster"},
    {"SELECT * FROM T WHERE A LIKE B", 30, "Muster"},
    {"SELECT * FROM T WHERE A NOT = 'x'", 29, "LIKE"},
    {"SELECT * FROM T WHERE A IS 'x'", 28, "NULL"},
    {"SELECT * FROM T WHERE A IS NOT", 31, "NULL"},
    {"SELECT * FROM T WHERE (A = 1", 29, "')'"},
    {"SELECT * FROM T WHERE A = 1)", 28, "AND, OR"},
    {"SELECT * FROM T WHERE A = 1 B = 2", 29, "AND, OR"},
    {"SELECT * FROM T WHERE A = ", 27, "Wert"},
    {"SELECT * FROM T WHERE A = -'x'", 28, "Zahl"},
    {"SELECT * FROM T; SELECT * FROM T", 18, "Ende"},
    {"SELECT * FROM T;;", 17, "Ende"},
    {"SELECT * FROM T ORDER BY A", 17, "WHERE"},
    {"SELECT COUNT( FROM T", 15, "Spaltenname"},
    {"SELECT COUNT(A FROM T", 16, "')'"},
    {"SELECT A AS FROM T", 13, "AS"},
    {"SELECT * FROM T WHERE T. LIKE '**'", 26, "nach '.'"},
    {"SELECT * FROM [T] WHERE [T].[] LIKE '**'", 29, "leerer Name"},
    {"SELECT * FROM [T WHERE A = 1", 15, "']'"},
    {"SELECT * FROM T WHERE A LIKE '*[oO]'[nN]*'", 42, "Anführungszeichen"},
    {"SELECT * FROM T WHERE A LIKE \"abc", 30, "Anführungszeichen"},
    {"SELECT * FROM T WHERE A = #2024-01-01", 27, "'#'"},
    {"SELECT * FROM T WHERE A = #2023-02-29#", 27, "Datum"},
    {"SELECT * FROM T WHERE A = #13/01/2024#", 27, "Datum"},
    {"SELECT * FROM T WHERE A = 12x", 27, "Zahl"},
    {"SELECT * FROM T WHERE A ! 1", 25, "Zeichen '!'"},
    {"SELECT * FROM T WHERE A == 1", 26, "Wert"},
    {"SELECT * FROM T WHERE NOT", 26, "Spaltenname"},
    {"SELECT * FROM T WHERE ()", 24, "Spaltenname"},
    {"SELECT COUNT(*) AS n, * FROM T", 23, "Spaltenname"},  // "*" only alone
    {"SELECT * FROM T WHERE Müller LIKE", 34, "Muster"},    // counted in characters, not bytes
};

TEST(ParseMalformed, ReportsPositionAndExpectation) {
  for (const auto& c : kMalformed) {
    SCOPED_TRACE(c.sql);
    ParseResult result = parse(c.sql);
    ASSERT_FALSE(result.statement.has_value());
    ASSERT_TRUE(result.error.has_value());
    EXPECT_EQ(characterNumber(c.sql, result.error->offset), c.characterNumber);
    EXPECT_NE(result.error->message.find(c.messagePart), std::string::npos)
        << result.error->message;
  }
}

TEST(ParseNesting, DeepParenthesesAreASyntaxErrorNotACrash) {
  auto nested = [](int depth) {
    return "SELECT * FROM T WHERE " + std::string(static_cast<std::size_t>(depth), '(') + "A = 1" +
           std::string(static_cast<std::size_t>(depth), ')');
  };
  EXPECT_TRUE(parse(nested(kMaxNesting)).statement.has_value());
  EXPECT_TRUE(parse(nested(200)).error.has_value());
  EXPECT_TRUE(parse(nested(100000)).error.has_value());

  std::string nots = "SELECT * FROM T WHERE ";
  for (int i = 0; i < 100000; ++i) nots += "NOT ";
  EXPECT_TRUE(parse(nots + "A = 1").error.has_value());
}

TEST(ParseNesting, LongOrChainStaysFlat) {
  std::string sql = "SELECT * FROM T WHERE A = 1";
  for (int i = 0; i < 20000; ++i) sql += " OR A = 1";
  ParseResult result = parse(sql);
  ASSERT_TRUE(result.statement.has_value());
  EXPECT_EQ(result.statement->where->kind, Condition::Kind::kOr);
  EXPECT_EQ(result.statement->where->operands.size(), 20001u);
}

TEST(ParseCondition, PrecedenceNotOverAndOverOr) {
  ParseResult result = parse("SELECT * FROM T WHERE NOT A = 1 AND B = 2 OR C = 3");
  ASSERT_TRUE(result.statement.has_value());
  const Condition& top = *result.statement->where;
  ASSERT_EQ(top.kind, Condition::Kind::kOr);
  const Condition& conjunction = *top.operands[0];
  ASSERT_EQ(conjunction.kind, Condition::Kind::kAnd);
  EXPECT_EQ(conjunction.operands[0]->kind, Condition::Kind::kNot);
  EXPECT_EQ(top.operands[1]->kind, Condition::Kind::kCompare);

  result = parse("SELECT * FROM T WHERE NOT (A = 1 OR B = 2)");
  ASSERT_TRUE(result.statement.has_value());
  EXPECT_EQ(result.statement->where->kind, Condition::Kind::kNot);
  EXPECT_EQ(result.statement->where->operands[0]->kind, Condition::Kind::kOr);
}

TEST(ParseCondition, LiteralsOfEveryKind) {
  ParseResult result = parse(
      "SELECT * FROM T WHERE A = 'O''Neil' AND B <> \"say \"\"hi\"\"\" AND C >= -1.5e2 "
      "AND D < #2024-02-29# AND E <= #12/31/1999# AND 3 > F AND A NOT LIKE 'x'");
  ASSERT_TRUE(result.statement.has_value()) << result.error->message;
  const auto& ops = result.statement->where->operands;
  ASSERT_EQ(ops.size(), 7u);
  EXPECT_EQ(std::get<Literal>(ops[0]->right).text, "O'Neil");
  EXPECT_EQ(std::get<Literal>(ops[1]->right).text, "say \"hi\"");
  EXPECT_EQ(ops[1]->op, CompareOp::kNotEqual);
  EXPECT_DOUBLE_EQ(std::get<Literal>(ops[2]->right).number, -150.0);
  EXPECT_EQ(std::get<Literal>(ops[3]->right).date, (Date{2024, 2, 29}));
  EXPECT_EQ(std::get<Literal>(ops[4]->right).date, (Date{1999, 12, 31}));
  EXPECT_DOUBLE_EQ(std::get<Literal>(ops[5]->left).number, 3.0);
  EXPECT_TRUE(ops[6]->negated);
}

TEST(StartsWithSelect, TellsSqlFromTableNames) {
  for (const char* sql : {"  select * from t", "SELECT"}) EXPECT_TRUE(startsWithSelect(sql)) << sql;
  for (const char* name : {"KONTAKTE", "[SELECT]", "SELECTED.dbf", ""}) {
    EXPECT_FALSE(startsWithSelect(name)) << name;
  }
}

}  // namespace
}  // namespace dbengine::sql
