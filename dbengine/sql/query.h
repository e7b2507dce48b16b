#pragma once
// Running a compiled query: one scan of the table, block by block, that
// copies the returned fields of the records that pass while they lie in the
// buffer (or, for COUNT, keeps only the counts). Values are decoded later,
// when the row source is asked for one; the table file is closed when the
// scan ends, unless rows too wide to copy must be read again from it.

#include <memory>
#include <string_view>

#include "dbengine/sql/query_plan.h"
#include "dbengine/sql/row_source.h"

namespace dbengine::sql {

// Scans the plan's table, skipping deleted records. Throws the storage's
// EngineError when the table cannot be read.
std::unique_ptr<RowSource> execute(QueryPlan plan);

// An SQL text (its first word is SELECT) or a bare table name ("KONTAKTE",
// "[KONTAKTE]", "KONTAKTE.dbf"), planned and run. Throws as planQuery,
// planTable and execute do.
std::unique_ptr<RowSource> runQuery(std::string_view sqlOrTable, TableProvider& tables);

}  // namespace dbengine::sql
