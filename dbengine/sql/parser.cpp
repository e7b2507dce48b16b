#include "dbengine/sql/parser.h"

#include <cctype>
#include <charconv>
#include <string>
#include <utility>

#include "dbengine/sql/lexer.h"

namespace dbengine::sql {
namespace {

// Unwinds the parse from the first error to parse(); never leaves this file.
struct ParseFailure {
  SyntaxError error;
};

bool isLeapYear(int year) {
  return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int daysInMonth(int year, int month) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month == 2 && isLeapYear(year)) return 29;
  return kDays[month - 1];
}

// Reads an unsigned decimal number of 1 to maxDigits digits from text at pos.
bool readNumber(std::string_view text, std::size_t& pos, std::size_t maxDigits, int& out) {
  std::size_t start = pos;
  while (pos < text.size() && pos - start < maxDigits && text[pos] >= '0' && text[pos] <= '9') {
    ++pos;
  }
  if (pos == start) return false;
  std::from_chars(text.data() + start, text.data() + pos, out);
  return true;
}

// "YYYY-MM-DD" or the US form "M/D/YYYY" the classic engine reads.
std::optional<Date> parseDate(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  Date date;
  std::size_t pos = 0;
  int first = 0;
  if (!readNumber(text, pos, 4, first) || pos >= text.size()) return std::nullopt;
  char separator = text[pos++];
  if (separator == '-' && pos == 5) {
    date.year = first;
    if (!readNumber(text, pos, 2, date.month) || pos >= text.size() || text[pos++] != '-' ||
        !readNumber(text, pos, 2, date.day)) {
      return std::nullopt;
    }
  } else if (separator == '/' && pos <= 3) {
    date.month = first;
    if (!readNumber(text, pos, 2, date.day) || pos >= text.size() || text[pos++] != '/' ||
        !readNumber(text, pos, 4, date.year)) {
      return std::nullopt;
    }
  } else {
    return std::nullopt;
  }
  if (pos != text.size() || date.year < 100 || date.month < 1 || date.month > 12 || date.day < 1 ||
      date.day > daysInMonth(date.year, date.month)) {
    return std::nullopt;
  }
  return date;
}

class Parser {
 public:
  Parser(std::string_view sql, std::vector<Token> tokens) : sql_(sql), tokens_(std::move(tokens)) {}

  Statement parseStatement() {
    expect(TokenType::kSelect, "SELECT");
    Statement statement;
    parseSelectList(statement);
    expect(TokenType::kFrom, "FROM oder ','");
    statement.table = parseTable();
    if (accept(TokenType::kWhere)) statement.where = parseOr();
    accept(TokenType::kSemicolon);
    if (peek().type != TokenType::kEnd) {
      fail(statement.where ? "AND, OR oder das Ende der Anweisung"
                           : "WHERE oder das Ende der Anweisung");
    }
    return statement;
  }

 private:
  void parseSelectList(Statement& statement) {
    if (accept(TokenType::kStar)) {
      statement.selectAll = true;
      return;
    }
    do {
      statement.items.push_back(parseSelectItem());
    } while (accept(TokenType::kComma));
  }

  SelectItem parseSelectItem() {
    SelectItem item;
    item.offset = peek().offset;
    if (accept(TokenType::kCount)) {
      expect(TokenType::kLeftParen, "'('");
      if (accept(TokenType::kStar)) {
        item.kind = SelectItem::Kind::kCountAll;
      } else {
        item.kind = SelectItem::Kind::kCountColumn;
        item.column = parseColumn("ein Spaltenname oder '*'");
      }
      expect(TokenType::kRightParen, "')'");
    } else {
      item.column = parseColumn("ein Spaltenname, COUNT oder '*'");
    }
    if (accept(TokenType::kAs)) item.alias = expectName("ein Name nach AS");
    return item;
  }

  ColumnRef parseColumn(std::string_view expected) {
    ColumnRef column;
    column.offset = peek().offset;
    column.name = expectName(expected);
    if (accept(TokenType::kDot)) {
      column.qualifier = std::move(column.name);
      column.name = expectName("ein Spaltenname nach '.'");
    }
    return column;
  }

  TableRef parseTable() {
    TableRef table;
    table.offset = peek().offset;
    table.name = expectName("ein Tabellenname");
    if (accept(TokenType::kDot)) {
      // FROM KONTAKTE.dbf: the file ending written without brackets.
      table.name += '.';
      table.name += expectName("eine Dateiendung nach '.'");
    }
    return table;
  }

  ConditionPtr parseOr() {
    std::size_t offset = peek().offset;
    ConditionPtr first = parseAnd();
    if (peek().type != TokenType::kOr) return first;
    auto node = std::make_unique<Condition>();
    node->kind = Condition::Kind::kOr;
    node->offset = offset;
    node->operands.push_back(std::move(first));
    while (accept(TokenType::kOr)) node->operands.push_back(parseAnd());
    return node;
  }

  ConditionPtr parseAnd() {
    std::size_t offset = peek().offset;
    ConditionPtr first = parseNot();
    if (peek().type != TokenType::kAnd) return first;
    auto node = std::make_unique<Condition>();
    node->kind = Condition::Kind::kAnd;
    node->offset = offset;
    node->operands.push_back(std::move(first));
    while (accept(TokenType::kAnd)) node->operands.push_back(parseNot());
    return node;
  }

  ConditionPtr parseNot() {
    if (peek().type != TokenType::kNot) return parsePredicate();
    std::size_t offset = peek().offset;
    NestingGuard guard(*this);
    advance();
    auto node = std::make_unique<Condition>();
    node->kind = Condition::Kind::kNot;
    node->offset = offset;
    node->operands.push_back(parseNot());
    return node;
  }

  ConditionPtr parsePredicate() {
    if (peek().type == TokenType::kLeftParen) {
      NestingGuard guard(*this);
      advance();
      ConditionPtr inner = parseOr();
      expect(TokenType::kRightParen, "')', AND oder OR");
      return inner;
    }
    auto node = std::make_unique<Condition>();
    node->offset = peek().offset;
    node->left = parseOperand("ein Spaltenname, ein Wert, NOT oder '('");
    if (auto op = compareOp(peek().type)) {
      advance();
      node->kind = Condition::Kind::kCompare;
      node->op = *op;
      node->right = parseOperand("ein Spaltenname oder ein Wert");
      return node;
    }
    if (accept(TokenType::kIs)) {
      node->kind = Condition::Kind::kIsNull;
      node->negated = accept(TokenType::kNot);
      expect(TokenType::kNull, node->negated ? "NULL" : "NULL oder NOT NULL");
      return node;
    }
    node->negated = accept(TokenType::kNot);
    expect(TokenType::kLike, node->negated ? "LIKE" : "ein Vergleichsoperator, LIKE oder IS");
    node->kind = Condition::Kind::kLike;
    if (peek().type != TokenType::kText) fail("ein Muster in Anführungszeichen nach LIKE");
    node->pattern.kind = Literal::Kind::kText;
    node->pattern.offset = peek().offset;
    node->pattern.text = advance().text;
    return node;
  }

  Operand parseOperand(std::string_view expected) {
    const Token& token = peek();
    Literal literal;
    literal.offset = token.offset;
    switch (token.type) {
      case TokenType::kName:
        return parseColumn(expected);
      case TokenType::kText:
        literal.kind = Literal::Kind::kText;
        literal.text = advance().text;
        return literal;
      case TokenType::kMinus:
      case TokenType::kNumber: {
        bool negative = accept(TokenType::kMinus);
        if (peek().type != TokenType::kNumber) fail("eine Zahl nach '-'");
        literal.kind = Literal::Kind::kNumber;
        literal.text = (negative ? "-" : "") + advance().text;
        std::from_chars(literal.text.data(), literal.text.data() + literal.text.size(),
                        literal.number);
        return literal;
      }
      case TokenType::kDate: {
        std::optional<Date> date = parseDate(token.text);
        if (!date) {
          throw ParseFailure{{token.offset, "ungültiges Datum '#" + token.text +
                                                "#' (erwartet wird #JJJJ-MM-TT# oder #M/T/JJJJ#)"}};
        }
        literal.kind = Literal::Kind::kDate;
        literal.date = *date;
        literal.text = advance().text;
        return literal;
      }
      default:
        fail(expected);
    }
  }

  static std::optional<CompareOp> compareOp(TokenType type) {
    switch (type) {
      case TokenType::kEqual:
        return CompareOp::kEqual;
      case TokenType::kNotEqual:
        return CompareOp::kNotEqual;
      case TokenType::kLess:
        return CompareOp::kLess;
      case TokenType::kLessEqual:
        return CompareOp::kLessEqual;
      case TokenType::kGreater:
        return CompareOp::kGreater;
      case TokenType::kGreaterEqual:
        return CompareOp::kGreaterEqual;
      default:
        return std::nullopt;
    }
  }

  // Counts one level of nesting for as long as it lives.
  class NestingGuard {
   public:
    explicit NestingGuard(Parser& parser) : parser_(parser) {
      if (++parser_.nesting_ > kMaxNesting) {
        parser_.fail("höchstens " + std::to_string(kMaxNesting) +
                     " verschachtelte Klammern oder NOT; stattdessen");
      }
    }
    ~NestingGuard() { --parser_.nesting_; }
    NestingGuard(const NestingGuard&) = delete;
    NestingGuard& operator=(const NestingGuard&) = delete;

   private:
    Parser& parser_;
  };

  const Token& peek() const { return tokens_[next_]; }

  const Token& advance() {
    const Token& token = tokens_[next_];
    if (token.type != TokenType::kEnd) ++next_;
    return token;
  }

  bool accept(TokenType type) {
    if (peek().type != type) return false;
    advance();
    return true;
  }

  void expect(TokenType type, std::string_view expected) {
    if (!accept(type)) fail(expected);
  }

  std::string expectName(std::string_view expected) {
    if (peek().type != TokenType::kName) fail(expected);
    return advance().text;
  }

  [[noreturn]] void fail(std::string_view expected) const {
    const Token& token = peek();
    std::string message = "erwartet wird ";
    message += expected;
    message += ", gefunden: ";
    if (token.type == TokenType::kEnd) {
      message += describe(TokenType::kEnd);
    } else {
      message += "'";
      message += sql_.substr(token.offset, token.length);
      message += "'";
    }
    throw ParseFailure{{token.offset, std::move(message)}};
  }

  std::string_view sql_;
  std::vector<Token> tokens_;
  std::size_t next_ = 0;
  int nesting_ = 0;
};

}  // namespace

ParseResult parse(std::string_view sql) {
  ParseResult result;
  LexResult lexed = tokenize(sql);
  if (lexed.error) {
    result.error = std::move(lexed.error);
    return result;
  }
  try {
    result.statement = Parser(sql, std::move(lexed.tokens)).parseStatement();
  } catch (ParseFailure& failure) {
    result.error = std::move(failure.error);
  }
  return result;
}

bool startsWithSelect(std::string_view text) {
  std::size_t start = text.find_first_not_of(" \t\r\n");
  if (start == std::string_view::npos) return false;
  std::size_t end = start;
  while (end < text.size() && (std::isalnum(static_cast<unsigned char>(text[end])) != 0 ||
                               text[end] == '_' || static_cast<unsigned char>(text[end]) >= 0x80)) {
    ++end;
  }
  return keywordFor(text.substr(start, end - start)) == TokenType::kSelect;
}

}  // namespace dbengine::sql
