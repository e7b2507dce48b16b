#pragma once
// Compiling a statement against its table: names are checked, types of
// comparisons are checked, LIKE patterns are compiled for the table's code
// page. The plan is then run by execute() (query.h) in one scan.

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "dbengine/sql/row_predicate.h"
#include "dbengine/sql/syntax_tree.h"
#include "dbengine/storage/table_file.h"

namespace dbengine::sql {

// Where a plan gets its tables from; the database implements it.
class TableProvider {
 public:
  virtual ~TableProvider() = default;
  // The table named `name` as written in SQL, without brackets: "KONTAKTE"
  // is the file KONTAKTE.dbf, "KONTAKTE.gdb" that very file. Throws
  // EngineError: errc::kTableNotFound, or the storage error of a damaged file.
  virtual std::shared_ptr<const TableFile> table(std::string_view name) = 0;
};

struct QueryPlan {
  struct Column {
    std::string name;  // as the result names it
    int field = -1;    // index into the table's fields; -1 for COUNT(*)
  };
  std::shared_ptr<const TableFile> table;
  std::vector<Column> columns;
  // True for a COUNT query: one row whose columns count the rows that pass
  // (COUNT(*)) or their non-Null values of `field` (COUNT(column)).
  bool counts = false;
  PredicatePtr where;  // null: every live record passes
};

// Parses and compiles an SQL text. Throws EngineError: errc::kSyntaxError
// (also for an invalid LIKE pattern), errc::kUnknownColumn,
// errc::kTypeMismatch, and whatever the provider throws.
QueryPlan planQuery(std::string_view sql, TableProvider& tables);

// All fields of all live records of one table; `name` may be bracketed.
QueryPlan planTable(std::string_view name, TableProvider& tables);

// Whether a column qualifier names the FROM table: letter case ignored, and
// "KONTAKTE" also names the table written "KONTAKTE.dbf" and vice versa.
bool qualifierNamesTable(std::string_view qualifier, std::string_view tableName);

}  // namespace dbengine::sql
