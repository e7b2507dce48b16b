#include "dbengine/sql/query_plan.h"

#include <algorithm>
#include <utility>

#include "common/utf8.h"
#include "dbengine/sql/names.h"
#include "dbengine/sql/parser.h"
#include "dbengine/sql/syntax_error.h"

namespace dbengine::sql {
namespace {

// What a value can be compared with.
enum class Kind { kCharacter, kText, kNumber, kDate, kOther };

Kind kindOfField(char type) {
  switch (type) {
    case 'C':
      return Kind::kCharacter;
    case 'M':
    case 'V':  // read through their decoded values
      return Kind::kText;
    case 'N':
    case 'F':
    case 'I':
    case 'B':
    case 'Y':
    case 'L':
      return Kind::kNumber;  // logicals compare as -1 and 0
    case 'D':
    case 'T':
      return Kind::kDate;
    default:
      return Kind::kOther;
  }
}

Kind kindOfLiteral(const Literal& literal) {
  switch (literal.kind) {
    case Literal::Kind::kText:
      return Kind::kText;
    case Literal::Kind::kNumber:
      return Kind::kNumber;
    case Literal::Kind::kDate:
      return Kind::kDate;
  }
  return Kind::kOther;
}

bool compatible(Kind a, Kind b) {
  auto textual = [](Kind k) { return k == Kind::kCharacter || k == Kind::kText; };
  if (textual(a) && textual(b)) return true;
  return a == b && a != Kind::kOther;
}

Value valueOf(const Literal& literal) {
  switch (literal.kind) {
    case Literal::Kind::kText:
      return Value(literal.text);
    case Literal::Kind::kNumber:
      return Value(literal.number);
    case Literal::Kind::kDate:
      return Value(literal.date);
  }
  return Value();
}

CompareOp mirrored(CompareOp op) {
  switch (op) {
    case CompareOp::kLess:
      return CompareOp::kGreater;
    case CompareOp::kLessEqual:
      return CompareOp::kGreaterEqual;
    case CompareOp::kGreater:
      return CompareOp::kLess;
    case CompareOp::kGreaterEqual:
      return CompareOp::kLessEqual;
    default:
      return op;
  }
}

bool hasEnding(std::string_view name) {
  std::size_t dot = name.rfind('.');
  return dot != std::string_view::npos && dot > 0;
}

std::string_view withoutEnding(std::string_view name) {
  return hasEnding(name) ? name.substr(0, name.rfind('.')) : name;
}

class Planner {
 public:
  Planner(std::string_view sql, const Statement& statement, TableProvider& tables)
      : sql_(sql), statement_(statement) {
    plan_.table = tables.table(statement.table.name);
    table_ = plan_.table.get();
  }

  QueryPlan run() {
    planColumns();
    if (statement_.where) plan_.where = planCondition(*statement_.where);
    return std::move(plan_);
  }

 private:
  void planColumns() {
    if (statement_.selectAll) {
      for (std::size_t i = 0; i < table_->fields().size(); ++i) {
        plan_.columns.push_back({table_->fields()[i].name, static_cast<int>(i)});
      }
      return;
    }
    bool anyCount = false;
    bool anyColumn = false;
    int unnamedExpressions = 0;
    for (const SelectItem& item : statement_.items) {
      QueryPlan::Column column;
      if (item.kind == SelectItem::Kind::kColumn) {
        anyColumn = true;
        column.field = fieldOf(item.column);
        column.name = table_->fields()[static_cast<std::size_t>(column.field)].name;
      } else {
        anyCount = true;
        if (item.kind == SelectItem::Kind::kCountColumn) column.field = fieldOf(item.column);
        // Unnamed expressions are called Expr1000, Expr1001, ... as the
        // classic engine calls them.
        if (item.alias.empty()) column.name = "Expr" + std::to_string(1000 + unnamedExpressions++);
      }
      if (!item.alias.empty()) column.name = item.alias;
      plan_.columns.push_back(std::move(column));
    }
    if (anyCount && anyColumn) {
      const SelectItem& first = *std::find_if(
          statement_.items.begin(), statement_.items.end(),
          [](const SelectItem& item) { return item.kind == SelectItem::Kind::kColumn; });
      throw toEngineError(sql_, SyntaxError{first.offset,
                                            "eine Spalte neben COUNT ist nur als Teil einer "
                                            "Aggregatfunktion möglich: '" +
                                                first.column.name + "'"});
    }
    plan_.counts = anyCount;
  }

  int fieldOf(const ColumnRef& column) {
    if (!column.qualifier.empty() &&
        !qualifierNamesTable(column.qualifier, statement_.table.name)) {
      throw EngineError(errc::kUnknownColumn, "Zu wenige Parameter: '" + column.qualifier + "." +
                                                  column.name + "' ist keine Spalte der Tabelle '" +
                                                  statement_.table.name + "' (die Tabelle '" +
                                                  column.qualifier + "' steht nicht in FROM).");
    }
    int field = table_->fieldIndex(column.name);
    if (field < 0) {
      throw EngineError(errc::kUnknownColumn, "Zu wenige Parameter: die Spalte '" + column.name +
                                                  "' gibt es in der Tabelle '" +
                                                  statement_.table.name + "' nicht.");
    }
    return field;
  }

  char typeOf(int field) const { return table_->fields()[static_cast<std::size_t>(field)].type; }

  PredicatePtr planCondition(const Condition& condition) {
    switch (condition.kind) {
      case Condition::Kind::kOr:
      case Condition::Kind::kAnd: {
        std::vector<PredicatePtr> operands;
        for (const ConditionPtr& operand : condition.operands) {
          operands.push_back(planCondition(*operand));
        }
        return condition.kind == Condition::Kind::kOr ? makeOr(std::move(operands))
                                                      : makeAnd(std::move(operands));
      }
      case Condition::Kind::kNot:
        return makeNot(planCondition(*condition.operands.front()));
      case Condition::Kind::kIsNull:
        return planIsNull(condition);
      case Condition::Kind::kLike:
        return planLike(condition);
      case Condition::Kind::kCompare:
        return planCompare(condition);
    }
    return makeConstant(Truth::kUnknown);
  }

  PredicatePtr planIsNull(const Condition& condition) {
    if (const auto* column = std::get_if<ColumnRef>(&condition.left)) {
      return makeIsNull(*table_, fieldOf(*column), condition.negated);
    }
    // A literal is never Null.
    return makeConstant(condition.negated ? Truth::kTrue : Truth::kFalse);
  }

  [[noreturn]] void invalidPattern(const Literal& pattern, common::WildcardError error) const {
    std::string message = "ungültiges Muster '" + pattern.text + "' nach LIKE (";
    message += error == common::WildcardError::kReversedRange ? "Bereich mit vertauschten Enden"
                                                              : "'[' ohne schließende ']'";
    message += ")";
    throw toEngineError(sql_, SyntaxError{pattern.offset, std::move(message)});
  }

  PredicatePtr planLike(const Condition& condition) {
    common::WildcardError error = common::WildcardError::kNone;
    const auto* column = std::get_if<ColumnRef>(&condition.left);
    if (column == nullptr) {
      std::optional<bool> match =
          common::wildcardMatch(std::get<Literal>(condition.left).text, condition.pattern.text);
      if (!match) {
        std::u32string units = common::utf8ToUtf32(condition.pattern.text);
        common::WildcardPattern::compile(units, &error);
        invalidPattern(condition.pattern, error);
      }
      return makeConstant((*match != condition.negated) ? Truth::kTrue : Truth::kFalse);
    }
    int field = fieldOf(*column);
    if (typeOf(field) == 'C') {
      std::optional<LikeMatcher> matcher =
          LikeMatcher::compile(condition.pattern.text, table_->codepage(),
                               LikeMatcher::Strategy::kFastestAvailable, &error);
      if (!matcher) invalidPattern(condition.pattern, error);
      return makeCharacterLike(*table_, field, std::move(*matcher), condition.negated);
    }
    std::u32string units = common::utf8ToUtf32(condition.pattern.text);
    std::optional<common::WildcardPattern> pattern =
        common::WildcardPattern::compile(units, &error);
    if (!pattern) invalidPattern(condition.pattern, error);
    return makeTextFormLike(*table_, field, std::move(*pattern), condition.negated);
  }

  [[noreturn]] void typeMismatch(const Condition& condition) const {
    throw EngineError(errc::kTypeMismatch,
                      "Datentypen in Kriterienausdruck unverträglich (bei Zeichen " +
                          std::to_string(characterNumber(sql_, condition.offset)) +
                          "): Text lässt sich nur mit Text, eine Zahl nur mit einer Zahl und ein "
                          "Datum nur mit einem Datum vergleichen.");
  }

  PredicatePtr planCompare(const Condition& condition) {
    const auto* leftColumn = std::get_if<ColumnRef>(&condition.left);
    const auto* rightColumn = std::get_if<ColumnRef>(&condition.right);
    if (leftColumn != nullptr && rightColumn != nullptr) {
      int left = fieldOf(*leftColumn);
      int right = fieldOf(*rightColumn);
      Kind leftKind = kindOfField(typeOf(left));
      Kind rightKind = kindOfField(typeOf(right));
      if (!compatible(leftKind, rightKind)) typeMismatch(condition);
      if (leftKind == Kind::kCharacter && rightKind == Kind::kCharacter) {
        return makeCharacterColumnsCompare(*table_, left, condition.op, right);
      }
      return makeValueColumnsCompare(*table_, left, condition.op, right);
    }
    if (leftColumn == nullptr && rightColumn == nullptr) {
      std::optional<int> comparison = compareValues(valueOf(std::get<Literal>(condition.left)),
                                                    valueOf(std::get<Literal>(condition.right)));
      if (!comparison) typeMismatch(condition);
      return makeConstant(satisfies(condition.op, *comparison) ? Truth::kTrue : Truth::kFalse);
    }
    // Column against literal, the column put on the left.
    const ColumnRef& column = leftColumn != nullptr ? *leftColumn : *rightColumn;
    const Literal& literal =
        std::get<Literal>(leftColumn != nullptr ? condition.right : condition.left);
    CompareOp op = leftColumn != nullptr ? condition.op : mirrored(condition.op);
    int field = fieldOf(column);
    Kind fieldKind = kindOfField(typeOf(field));
    if (!compatible(fieldKind, kindOfLiteral(literal))) typeMismatch(condition);
    if (fieldKind == Kind::kCharacter) {
      return makeCharacterCompare(*table_, field, op,
                                  toCodepageUnits(literal.text, table_->codepage()));
    }
    return makeValueCompare(*table_, field, op, valueOf(literal));
  }

  std::string_view sql_;
  const Statement& statement_;
  QueryPlan plan_;
  const TableFile* table_ = nullptr;
};

}  // namespace

bool qualifierNamesTable(std::string_view qualifier, std::string_view tableName) {
  if (equalsIgnoringCase(qualifier, tableName)) return true;
  auto isDbf = [](std::string_view name) {
    return name.size() > 4 && equalsIgnoringCase(name.substr(name.size() - 4), ".dbf");
  };
  if (!hasEnding(qualifier) && hasEnding(tableName)) {
    return equalsIgnoringCase(qualifier, withoutEnding(tableName));
  }
  if (isDbf(qualifier) && !hasEnding(tableName)) {
    return equalsIgnoringCase(withoutEnding(qualifier), tableName);
  }
  return false;
}

QueryPlan planQuery(std::string_view sql, TableProvider& tables) {
  ParseResult parsed = parse(sql);
  if (parsed.error) throw toEngineError(sql, *parsed.error);
  return Planner(sql, *parsed.statement, tables).run();
}

QueryPlan planTable(std::string_view name, TableProvider& tables) {
  QueryPlan plan;
  plan.table = tables.table(withoutBrackets(name));
  for (std::size_t i = 0; i < plan.table->fields().size(); ++i) {
    plan.columns.push_back({plan.table->fields()[i].name, static_cast<int>(i)});
  }
  return plan;
}

}  // namespace dbengine::sql
