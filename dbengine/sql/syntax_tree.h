#pragma once
// The syntax tree of one SELECT statement, as the parser builds it. Names are
// kept as written; the planner checks them against the table.

#include <cstddef>
#include <memory>
#include <string>
#include <variant>
#include <vector>

#include "dbengine/storage/value.h"

namespace dbengine::sql {

struct ColumnRef {
  std::string qualifier;  // the table part of [table].column; empty when unqualified
  std::string name;
  std::size_t offset = 0;  // where the reference starts in the SQL text
};

struct Literal {
  enum class Kind { kText, kNumber, kDate };
  Kind kind = Kind::kText;
  std::string text;  // kText: the text (UTF-8); otherwise as written
  double number = 0;
  Date date;
  std::size_t offset = 0;
};

using Operand = std::variant<ColumnRef, Literal>;

enum class CompareOp { kEqual, kNotEqual, kLess, kLessEqual, kGreater, kGreaterEqual };

struct Condition;
using ConditionPtr = std::unique_ptr<Condition>;

struct Condition {
  enum class Kind { kOr, kAnd, kNot, kCompare, kLike, kIsNull };
  Kind kind = Kind::kCompare;
  std::size_t offset = 0;
  std::vector<ConditionPtr> operands;  // kOr, kAnd: two or more; kNot: one
  Operand left;                        // kCompare, kLike, kIsNull
  Operand right;                       // kCompare
  CompareOp op = CompareOp::kEqual;    // kCompare
  Literal pattern;                     // kLike: always a text literal
  bool negated = false;                // NOT LIKE, IS NOT NULL
};

struct SelectItem {
  enum class Kind { kColumn, kCountAll, kCountColumn };
  Kind kind = Kind::kColumn;
  ColumnRef column;   // kColumn, kCountColumn
  std::string alias;  // AS name; empty when none
  std::size_t offset = 0;
};

struct TableRef {
  std::string name;  // as written, without brackets: "KONTAKTE", "KONTAKTE.gdb"
  std::size_t offset = 0;
};

struct Statement {
  bool selectAll = false;         // SELECT *
  std::vector<SelectItem> items;  // empty when selectAll
  TableRef table;
  ConditionPtr where;  // null without WHERE
};

}  // namespace dbengine::sql
