#include "dbengine/sql/lexer.h"

#include <string>

namespace dbengine::sql {
namespace {

bool isNameStart(unsigned char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' || c >= 0x80;
}
bool isDigit(unsigned char c) {
  return c >= '0' && c <= '9';
}
bool isNamePart(unsigned char c) {
  return isNameStart(c) || isDigit(c);
}
bool isBlank(unsigned char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

class Lexer {
 public:
  explicit Lexer(std::string_view sql) : sql_(sql) {}

  LexResult run() {
    LexResult result;
    while (true) {
      while (pos_ < sql_.size() && isBlank(at(pos_))) ++pos_;
      if (pos_ >= sql_.size()) break;
      Token token;
      token.offset = pos_;
      if (auto error = next(token)) {
        result.tokens.clear();
        result.error = std::move(error);
        return result;
      }
      token.length = pos_ - token.offset;
      result.tokens.push_back(std::move(token));
    }
    Token end;
    end.offset = sql_.size();
    result.tokens.push_back(std::move(end));
    return result;
  }

 private:
  unsigned char at(std::size_t i) const { return static_cast<unsigned char>(sql_[i]); }

  std::optional<SyntaxError> next(Token& token) {
    unsigned char c = at(pos_);
    if (isNameStart(c)) return bareWord(token);
    if (isDigit(c)) return number(token);
    switch (c) {
      case '[':
        return bracketedName(token);
      case '\'':
      case '"':
        return quotedText(token, static_cast<char>(c));
      case '#':
        return date(token);
      case '<':
        if (pos_ + 1 < sql_.size() && sql_[pos_ + 1] == '>')
          return symbol(token, TokenType::kNotEqual, 2);
        if (pos_ + 1 < sql_.size() && sql_[pos_ + 1] == '=')
          return symbol(token, TokenType::kLessEqual, 2);
        return symbol(token, TokenType::kLess, 1);
      case '>':
        if (pos_ + 1 < sql_.size() && sql_[pos_ + 1] == '=')
          return symbol(token, TokenType::kGreaterEqual, 2);
        return symbol(token, TokenType::kGreater, 1);
      case '=':
        return symbol(token, TokenType::kEqual, 1);
      case ',':
        return symbol(token, TokenType::kComma, 1);
      case '.':
        return symbol(token, TokenType::kDot, 1);
      case ';':
        return symbol(token, TokenType::kSemicolon, 1);
      case '(':
        return symbol(token, TokenType::kLeftParen, 1);
      case ')':
        return symbol(token, TokenType::kRightParen, 1);
      case '*':
        return symbol(token, TokenType::kStar, 1);
      case '-':
        return symbol(token, TokenType::kMinus, 1);
      default:
        break;
    }
    std::string message = "unerwartetes Zeichen '";
    message += static_cast<char>(c);
    message += "'";
    return SyntaxError{pos_, std::move(message)};
  }

  std::optional<SyntaxError> symbol(Token& token, TokenType type, std::size_t length) {
    token.type = type;
    token.text = std::string(sql_.substr(pos_, length));
    pos_ += length;
    return std::nullopt;
  }

  std::optional<SyntaxError> bareWord(Token& token) {
    std::size_t start = pos_;
    while (pos_ < sql_.size() && isNamePart(at(pos_))) ++pos_;
    token.text = std::string(sql_.substr(start, pos_ - start));
    token.type = keywordFor(token.text).value_or(TokenType::kName);
    return std::nullopt;
  }

  std::optional<SyntaxError> bracketedName(Token& token) {
    std::size_t close = sql_.find(']', pos_ + 1);
    if (close == std::string_view::npos) {
      return SyntaxError{pos_, "'[' ohne schließende ']'"};
    }
    if (close == pos_ + 1) return SyntaxError{pos_, "leerer Name '[]'"};
    token.type = TokenType::kName;
    token.bracketed = true;
    token.text = std::string(sql_.substr(pos_ + 1, close - pos_ - 1));
    pos_ = close + 1;
    return std::nullopt;
  }

  std::optional<SyntaxError> quotedText(Token& token, char quote) {
    std::size_t start = pos_;
    ++pos_;
    std::string text;
    while (true) {
      if (pos_ >= sql_.size()) {
        return SyntaxError{start, "Text ohne schließendes Anführungszeichen"};
      }
      if (sql_[pos_] == quote) {
        if (pos_ + 1 < sql_.size() && sql_[pos_ + 1] == quote) {
          text += quote;
          pos_ += 2;
          continue;
        }
        ++pos_;
        break;
      }
      text += sql_[pos_++];
    }
    token.type = TokenType::kText;
    token.text = std::move(text);
    return std::nullopt;
  }

  std::optional<SyntaxError> number(Token& token) {
    std::size_t start = pos_;
    while (pos_ < sql_.size() && isDigit(at(pos_))) ++pos_;
    if (pos_ + 1 < sql_.size() && sql_[pos_] == '.' && isDigit(at(pos_ + 1))) {
      ++pos_;
      while (pos_ < sql_.size() && isDigit(at(pos_))) ++pos_;
    }
    if (pos_ < sql_.size() && (sql_[pos_] == 'e' || sql_[pos_] == 'E')) {
      std::size_t exponent = pos_ + 1;
      if (exponent < sql_.size() && (sql_[exponent] == '+' || sql_[exponent] == '-')) ++exponent;
      if (exponent < sql_.size() && isDigit(at(exponent))) {
        pos_ = exponent;
        while (pos_ < sql_.size() && isDigit(at(pos_))) ++pos_;
      }
    }
    if (pos_ < sql_.size() && isNameStart(at(pos_))) {
      return SyntaxError{
          start, "ungültige Zahl '" + std::string(sql_.substr(start, pos_ + 1 - start)) + "'"};
    }
    token.type = TokenType::kNumber;
    token.text = std::string(sql_.substr(start, pos_ - start));
    return std::nullopt;
  }

  std::optional<SyntaxError> date(Token& token) {
    std::size_t close = sql_.find('#', pos_ + 1);
    if (close == std::string_view::npos) return SyntaxError{pos_, "'#' ohne schließendes '#'"};
    token.type = TokenType::kDate;
    token.text = std::string(sql_.substr(pos_ + 1, close - pos_ - 1));
    pos_ = close + 1;
    return std::nullopt;
  }

  std::string_view sql_;
  std::size_t pos_ = 0;
};

}  // namespace

LexResult tokenize(std::string_view sql) {
  return Lexer(sql).run();
}

}  // namespace dbengine::sql
