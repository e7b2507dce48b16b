#pragma once
// The compiled WHERE condition: a tree of predicates evaluated on the raw
// bytes of one record, with the three-valued logic of SQL (a comparison with
// Null is unknown; only rows whose condition is true pass). Evaluating never
// decodes a character field and never allocates, except where a memo or a
// non-character field has to be turned into text for LIKE.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "common/wildcard.h"
#include "dbengine/sql/like_matcher.h"
#include "dbengine/sql/syntax_tree.h"
#include "dbengine/storage/table_file.h"

namespace dbengine::sql {

enum class Truth : std::uint8_t { kFalse, kTrue, kUnknown };

class RowPredicate {
 public:
  virtual ~RowPredicate() = default;
  virtual Truth evaluate(const std::uint8_t* record) const = 0;
};

using PredicatePtr = std::unique_ptr<RowPredicate>;

// The constructors below keep a reference to the table; it must outlive them.

PredicatePtr makeConstant(Truth value);
PredicatePtr makeNot(PredicatePtr operand);
PredicatePtr makeAnd(std::vector<PredicatePtr> operands);  // stops at the first false
PredicatePtr makeOr(std::vector<PredicatePtr> operands);   // stops at the first true
PredicatePtr makeIsNull(const TableFile& table, int field, bool negated);

// LIKE on a character field: its raw bytes without trailing blanks.
PredicatePtr makeCharacterLike(const TableFile& table, int field, LikeMatcher matcher,
                               bool negated);
// LIKE on any other field: its text form (Value::toText) as code points.
PredicatePtr makeTextFormLike(const TableFile& table, int field, common::WildcardPattern pattern,
                              bool negated);

// A character field against text already in the table's code page (see
// toCodepageUnits), by character code.
PredicatePtr makeCharacterCompare(const TableFile& table, int field, CompareOp op,
                                  std::u32string codepageUnits);
// Two character fields of the same table, by character code.
PredicatePtr makeCharacterColumnsCompare(const TableFile& table, int left, CompareOp op, int right);
// Decoded values: a field against a literal value.
PredicatePtr makeValueCompare(const TableFile& table, int field, CompareOp op, Value literal);
// Decoded values: two fields.
PredicatePtr makeValueColumnsCompare(const TableFile& table, int left, CompareOp op, int right);

// Compares two non-Null values of compatible kinds: below 0, 0 or above 0;
// nullopt when one is Null or the kinds do not compare (text with number).
std::optional<int> compareValues(const Value& left, const Value& right);

// Whether a comparison result satisfies the operator.
bool satisfies(CompareOp op, int comparison);

}  // namespace dbengine::sql
