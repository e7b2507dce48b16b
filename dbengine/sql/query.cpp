#include "dbengine/sql/query.h"

#include <cstdint>
#include <utility>
#include <vector>

#include "dbengine/sql/parser.h"

namespace dbengine::sql {
namespace {

// The rows of a plain SELECT: record numbers, decoded on demand.
class RecordRows final : public RowSource {
 public:
  RecordRows(QueryPlan plan, std::vector<std::uint32_t> records)
      : table_(std::move(plan.table)),
        columns_(std::move(plan.columns)),
        records_(std::move(records)) {}

  int columnCount() const override { return static_cast<int>(columns_.size()); }
  const std::string& columnName(int column) const override {
    return columns_[static_cast<std::size_t>(column)].name;
  }
  std::size_t rowCount() const override { return records_.size(); }
  Value value(std::size_t row, int column) const override {
    return table_->value(table_->record(records_[row]),
                         columns_[static_cast<std::size_t>(column)].field);
  }

 private:
  std::shared_ptr<const TableFile> table_;
  std::vector<QueryPlan::Column> columns_;
  std::vector<std::uint32_t> records_;
};

// The one row of a COUNT query.
class CountRow final : public RowSource {
 public:
  CountRow(std::vector<QueryPlan::Column> columns, std::vector<std::int64_t> counts)
      : columns_(std::move(columns)), counts_(std::move(counts)) {}

  int columnCount() const override { return static_cast<int>(columns_.size()); }
  const std::string& columnName(int column) const override {
    return columns_[static_cast<std::size_t>(column)].name;
  }
  std::size_t rowCount() const override { return 1; }
  Value value(std::size_t, int column) const override {
    return Value(counts_[static_cast<std::size_t>(column)]);
  }

 private:
  std::vector<QueryPlan::Column> columns_;
  std::vector<std::int64_t> counts_;
};

}  // namespace

std::unique_ptr<RowSource> execute(QueryPlan plan) {
  const TableFile& table = *plan.table;
  const RowPredicate* where = plan.where.get();
  auto passes = [where](const std::uint8_t* record) {
    return !TableFile::isDeleted(record) &&
           (where == nullptr || where->evaluate(record) == Truth::kTrue);
  };
  const std::uint32_t recordLength = table.recordLength();

  if (plan.counts) {
    std::vector<std::int64_t> counts(plan.columns.size(), 0);
    table.scan([&](std::uint32_t, const std::uint8_t* first, std::uint32_t count) {
      for (std::uint32_t i = 0; i < count; ++i) {
        const std::uint8_t* record = first + static_cast<std::size_t>(i) * recordLength;
        if (!passes(record)) continue;
        for (std::size_t c = 0; c < plan.columns.size(); ++c) {
          int field = plan.columns[c].field;
          if (field < 0 || !table.isNull(record, field)) ++counts[c];
        }
      }
    });
    return std::make_unique<CountRow>(std::move(plan.columns), std::move(counts));
  }

  std::vector<std::uint32_t> records;
  table.scan([&](std::uint32_t firstIndex, const std::uint8_t* first, std::uint32_t count) {
    for (std::uint32_t i = 0; i < count; ++i) {
      if (passes(first + static_cast<std::size_t>(i) * recordLength))
        records.push_back(firstIndex + i);
    }
  });
  records.shrink_to_fit();
  return std::make_unique<RecordRows>(std::move(plan), std::move(records));
}

std::unique_ptr<RowSource> runQuery(std::string_view sqlOrTable, TableProvider& tables) {
  if (startsWithSelect(sqlOrTable)) return execute(planQuery(sqlOrTable, tables));
  return execute(planTable(sqlOrTable, tables));
}

}  // namespace dbengine::sql
