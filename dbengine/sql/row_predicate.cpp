#include "dbengine/sql/row_predicate.h"

#include <cstring>
#include <span>
#include <utility>

#include "common/utf8.h"

namespace dbengine::sql {
namespace {

std::span<const std::uint8_t> withoutTrailingBlanks(std::span<const std::uint8_t> raw) {
  // Character fields are mostly padding; skip it eight blanks at a time.
  constexpr std::uint64_t kEightBlanks = 0x2020202020202020u;
  std::size_t length = raw.size();
  while (length >= 8) {
    std::uint64_t word = 0;
    std::memcpy(&word, raw.data() + length - 8, 8);
    if (word != kEightBlanks) break;
    length -= 8;
  }
  // Some writers pad with NULs: the same value as with blanks.
  while (length > 0 && (raw[length - 1] == ' ' || raw[length - 1] == 0)) --length;
  return raw.first(length);
}

// Reads one character field: its bytes without trailing blanks, or nullopt
// when the field holds Null.
class CharacterField {
 public:
  CharacterField(const TableFile& table, int field)
      : table_(table),
        field_(field),
        hasNullFlag_(table.fields()[static_cast<std::size_t>(field)].nullBit >= 0) {}

  std::optional<std::span<const std::uint8_t>> read(const std::uint8_t* record) const {
    if (hasNullFlag_ && table_.isNull(record, field_)) return std::nullopt;
    std::span<const std::uint8_t> bytes = withoutTrailingBlanks(table_.rawField(record, field_));
    if (bytes.empty()) return std::nullopt;
    return bytes;
  }

 private:
  const TableFile& table_;
  int field_;
  bool hasNullFlag_;
};

Truth truthOf(bool value) {
  return value ? Truth::kTrue : Truth::kFalse;
}

Truth negateIf(bool negated, Truth value) {
  if (!negated || value == Truth::kUnknown) return value;
  return value == Truth::kTrue ? Truth::kFalse : Truth::kTrue;
}

template <typename Left, typename Right>
int lexicographic(const Left& left, const Right& right) {
  std::size_t common = std::min(left.size(), right.size());
  for (std::size_t i = 0; i < common; ++i) {
    auto a = static_cast<char32_t>(left[i]);
    auto b = static_cast<char32_t>(right[i]);
    if (a != b) return a < b ? -1 : 1;
  }
  if (left.size() == right.size()) return 0;
  return left.size() < right.size() ? -1 : 1;
}

class Constant final : public RowPredicate {
 public:
  explicit Constant(Truth value) : value_(value) {}
  Truth evaluate(const std::uint8_t*) const override { return value_; }

 private:
  Truth value_;
};

class Not final : public RowPredicate {
 public:
  explicit Not(PredicatePtr operand) : operand_(std::move(operand)) {}
  Truth evaluate(const std::uint8_t* record) const override {
    return negateIf(true, operand_->evaluate(record));
  }

 private:
  PredicatePtr operand_;
};

class And final : public RowPredicate {
 public:
  explicit And(std::vector<PredicatePtr> operands) : operands_(std::move(operands)) {}
  Truth evaluate(const std::uint8_t* record) const override {
    Truth result = Truth::kTrue;
    for (const PredicatePtr& operand : operands_) {
      Truth value = operand->evaluate(record);
      if (value == Truth::kFalse) return Truth::kFalse;
      if (value == Truth::kUnknown) result = Truth::kUnknown;
    }
    return result;
  }

 private:
  std::vector<PredicatePtr> operands_;
};

class Or final : public RowPredicate {
 public:
  explicit Or(std::vector<PredicatePtr> operands) : operands_(std::move(operands)) {}
  Truth evaluate(const std::uint8_t* record) const override {
    Truth result = Truth::kFalse;
    for (const PredicatePtr& operand : operands_) {
      Truth value = operand->evaluate(record);
      if (value == Truth::kTrue) return Truth::kTrue;
      if (value == Truth::kUnknown) result = Truth::kUnknown;
    }
    return result;
  }

 private:
  std::vector<PredicatePtr> operands_;
};

class IsNull final : public RowPredicate {
 public:
  IsNull(const TableFile& table, int field, bool negated)
      : table_(table), field_(field), negated_(negated) {}
  Truth evaluate(const std::uint8_t* record) const override {
    return truthOf(table_.isNull(record, field_) != negated_);
  }

 private:
  const TableFile& table_;
  int field_;
  bool negated_;
};

class CharacterLike final : public RowPredicate {
 public:
  CharacterLike(const TableFile& table, int field, LikeMatcher matcher, bool negated)
      : field_(table, field), matcher_(std::move(matcher)), negated_(negated) {}
  Truth evaluate(const std::uint8_t* record) const override {
    auto bytes = field_.read(record);
    if (!bytes) return Truth::kUnknown;
    return truthOf(matcher_.matches(*bytes) != negated_);
  }

 private:
  CharacterField field_;
  LikeMatcher matcher_;
  bool negated_;
};

class TextFormLike final : public RowPredicate {
 public:
  TextFormLike(const TableFile& table, int field, common::WildcardPattern pattern, bool negated)
      : table_(table), field_(field), pattern_(std::move(pattern)), negated_(negated) {}
  Truth evaluate(const std::uint8_t* record) const override {
    if (table_.isNull(record, field_)) return Truth::kUnknown;
    std::u32string text = common::utf8ToUtf32(table_.value(record, field_).toText());
    return truthOf(pattern_.matches(std::u32string_view(text)) != negated_);
  }

 private:
  const TableFile& table_;
  int field_;
  common::WildcardPattern pattern_;
  bool negated_;
};

class CharacterCompare final : public RowPredicate {
 public:
  CharacterCompare(const TableFile& table, int field, CompareOp op, std::u32string units)
      : field_(table, field), op_(op), units_(std::move(units)) {}
  Truth evaluate(const std::uint8_t* record) const override {
    auto bytes = field_.read(record);
    if (!bytes) return Truth::kUnknown;
    return truthOf(satisfies(op_, lexicographic(*bytes, units_)));
  }

 private:
  CharacterField field_;
  CompareOp op_;
  std::u32string units_;
};

class CharacterColumnsCompare final : public RowPredicate {
 public:
  CharacterColumnsCompare(const TableFile& table, int left, CompareOp op, int right)
      : left_(table, left), right_(table, right), op_(op) {}
  Truth evaluate(const std::uint8_t* record) const override {
    auto left = left_.read(record);
    auto right = right_.read(record);
    if (!left || !right) return Truth::kUnknown;
    return truthOf(satisfies(op_, lexicographic(*left, *right)));
  }

 private:
  CharacterField left_, right_;
  CompareOp op_;
};

class ValueCompare final : public RowPredicate {
 public:
  ValueCompare(const TableFile& table, int field, CompareOp op, Value literal)
      : table_(table), field_(field), op_(op), literal_(std::move(literal)) {}
  Truth evaluate(const std::uint8_t* record) const override {
    if (table_.isNull(record, field_)) return Truth::kUnknown;
    std::optional<int> comparison = compareValues(table_.value(record, field_), literal_);
    return comparison ? truthOf(satisfies(op_, *comparison)) : Truth::kUnknown;
  }

 private:
  const TableFile& table_;
  int field_;
  CompareOp op_;
  Value literal_;
};

class ValueColumnsCompare final : public RowPredicate {
 public:
  ValueColumnsCompare(const TableFile& table, int left, CompareOp op, int right)
      : table_(table), left_(left), right_(right), op_(op) {}
  Truth evaluate(const std::uint8_t* record) const override {
    if (table_.isNull(record, left_) || table_.isNull(record, right_)) return Truth::kUnknown;
    std::optional<int> comparison =
        compareValues(table_.value(record, left_), table_.value(record, right_));
    return comparison ? truthOf(satisfies(op_, *comparison)) : Truth::kUnknown;
  }

 private:
  const TableFile& table_;
  int left_, right_;
  CompareOp op_;
};

std::optional<double> numberOf(const Value::Variant& v) {
  if (const auto* d = std::get_if<double>(&v)) return *d;
  if (const auto* i = std::get_if<std::int64_t>(&v)) return static_cast<double>(*i);
  if (const auto* c = std::get_if<Currency>(&v))
    return static_cast<double>(c->tenThousandths) / 10000.0;
  if (const auto* b = std::get_if<bool>(&v)) return *b ? -1.0 : 0.0;  // the engine's True is -1
  return std::nullopt;
}

std::optional<DateTime> dateTimeOf(const Value::Variant& v) {
  if (const auto* d = std::get_if<Date>(&v)) return DateTime{*d, 0};
  if (const auto* t = std::get_if<DateTime>(&v)) return *t;
  return std::nullopt;
}

template <typename T>
int threeWay(const T& a, const T& b) {
  if (a < b) return -1;
  return b < a ? 1 : 0;
}

}  // namespace

std::optional<int> compareValues(const Value& left, const Value& right) {
  const Value::Variant& a = left.variant();
  const Value::Variant& b = right.variant();
  if (left.isNull() || right.isNull()) return std::nullopt;
  if (left.isText() || right.isText()) {
    if (!left.isText() || !right.isText()) return std::nullopt;
    // UTF-8 byte order is code point order.
    return threeWay(std::get<std::string>(a), std::get<std::string>(b));
  }
  const auto* i = std::get_if<std::int64_t>(&a);
  const auto* j = std::get_if<std::int64_t>(&b);
  if (i != nullptr && j != nullptr) return threeWay(*i, *j);
  if (auto x = numberOf(a)) {
    auto y = numberOf(b);
    if (!y) return std::nullopt;
    return threeWay(*x, *y);
  }
  auto x = dateTimeOf(a);
  auto y = dateTimeOf(b);
  if (!x || !y) return std::nullopt;
  return threeWay(*x, *y);
}

bool satisfies(CompareOp op, int comparison) {
  switch (op) {
    case CompareOp::kEqual:
      return comparison == 0;
    case CompareOp::kNotEqual:
      return comparison != 0;
    case CompareOp::kLess:
      return comparison < 0;
    case CompareOp::kLessEqual:
      return comparison <= 0;
    case CompareOp::kGreater:
      return comparison > 0;
    case CompareOp::kGreaterEqual:
      return comparison >= 0;
  }
  return false;
}

PredicatePtr makeConstant(Truth value) {
  return std::make_unique<Constant>(value);
}
PredicatePtr makeNot(PredicatePtr operand) {
  return std::make_unique<Not>(std::move(operand));
}
PredicatePtr makeAnd(std::vector<PredicatePtr> operands) {
  return std::make_unique<And>(std::move(operands));
}
PredicatePtr makeOr(std::vector<PredicatePtr> operands) {
  return std::make_unique<Or>(std::move(operands));
}
PredicatePtr makeIsNull(const TableFile& table, int field, bool negated) {
  return std::make_unique<IsNull>(table, field, negated);
}
PredicatePtr makeCharacterLike(const TableFile& table, int field, LikeMatcher matcher,
                               bool negated) {
  return std::make_unique<CharacterLike>(table, field, std::move(matcher), negated);
}
PredicatePtr makeTextFormLike(const TableFile& table, int field, common::WildcardPattern pattern,
                              bool negated) {
  return std::make_unique<TextFormLike>(table, field, std::move(pattern), negated);
}
PredicatePtr makeCharacterCompare(const TableFile& table, int field, CompareOp op,
                                  std::u32string codepageUnits) {
  return std::make_unique<CharacterCompare>(table, field, op, std::move(codepageUnits));
}
PredicatePtr makeCharacterColumnsCompare(const TableFile& table, int left, CompareOp op,
                                         int right) {
  return std::make_unique<CharacterColumnsCompare>(table, left, op, right);
}
PredicatePtr makeValueCompare(const TableFile& table, int field, CompareOp op, Value literal) {
  return std::make_unique<ValueCompare>(table, field, op, std::move(literal));
}
PredicatePtr makeValueColumnsCompare(const TableFile& table, int left, CompareOp op, int right) {
  return std::make_unique<ValueColumnsCompare>(table, left, op, right);
}

}  // namespace dbengine::sql
