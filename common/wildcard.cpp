#include "common/wildcard.h"

#include "common/utf8.h"

namespace common {
namespace {

using Token = WildcardPattern::Token;
using Kind = WildcardPattern::Kind;

Token makeToken(Kind kind, char32_t literal = 0) {
  Token token;
  token.kind = kind;
  token.literal = literal;
  return token;
}

// Parses the list that opens with the `[` at `open`. Returns the index just
// past its `]`, or nullopt with *error set. Appends at most one token: none
// for `[]`, a literal for `[!]` and for a plain one-character list (so that
// callers looking for literal runs see `[*]` as the `*` it stands for).
std::optional<std::size_t> parseList(std::u32string_view pattern, std::size_t open,
                                     std::vector<Token>& tokens, WildcardError& error) {
  const std::size_t size = pattern.size();
  std::size_t pos = open + 1;
  bool negated = false;
  if (pos < size && pattern[pos] == U'!') {
    negated = true;
    ++pos;
  }
  if (pos < size && pattern[pos] == U']') {
    if (negated) tokens.push_back(makeToken(Kind::kLiteral, U'!'));
    return pos + 1;
  }

  Token list = makeToken(Kind::kList);
  list.negated = negated;
  while (true) {
    if (pos >= size) {
      error = WildcardError::kUnterminatedList;
      return std::nullopt;
    }
    const char32_t low = pattern[pos];
    if (low == U']') break;
    // `x-y` is a range whenever a character other than `]` follows the
    // hyphen; every other hyphen (first, last, or right after a range) is an
    // ordinary member of the list.
    if (pos + 2 < size && pattern[pos + 1] == U'-' && pattern[pos + 2] != U']') {
      const char32_t high = pattern[pos + 2];
      if (low > high) {
        error = WildcardError::kReversedRange;
        return std::nullopt;
      }
      list.ranges.push_back({low, high});
      pos += 3;
    } else {
      list.ranges.push_back({low, low});
      ++pos;
    }
  }

  if (!negated && list.ranges.size() == 1 && list.ranges[0].low == list.ranges[0].high) {
    tokens.push_back(makeToken(Kind::kLiteral, list.ranges[0].low));
  } else {
    tokens.push_back(std::move(list));
  }
  return pos + 1;
}

// Whether a token that stands for exactly one character accepts `ch`.
bool acceptsOne(const Token& token, char32_t ch) {
  switch (token.kind) {
    case Kind::kLiteral:
      return ch == token.literal;
    case Kind::kAnyChar:
      return true;
    case Kind::kDigit:
      return ch >= U'0' && ch <= U'9';
    case Kind::kList:
      for (const auto& range : token.ranges) {
        if (ch >= range.low && ch <= range.high) return !token.negated;
      }
      return token.negated;
    case Kind::kAnyRun:
      break;
  }
  return false;
}

// Greedy matching with one remembered backtrack point. Every token other than
// `*` consumes exactly one character, so when a later part fails it is enough
// to let the most recent `*` swallow one more character and retry from there:
// an earlier `*` could not do better than the latest one. At most
// text x tokens steps, whatever the number of stars.
template <typename Unit>
bool matchTokens(const std::vector<Token>& tokens, std::span<const Unit> text) {
  const std::size_t tokenCount = tokens.size();
  std::size_t t = 0;  // next token
  std::size_t c = 0;  // next character
  bool haveStar = false;
  std::size_t afterStar = 0;   // token after the latest `*`
  std::size_t starResume = 0;  // where the text resumes when that `*` takes one more
  while (c < text.size()) {
    if (t < tokenCount && tokens[t].kind == Kind::kAnyRun) {
      haveStar = true;
      afterStar = ++t;
      starResume = c;
      if (afterStar == tokenCount) return true;  // a trailing `*` takes the rest
    } else if (t < tokenCount && acceptsOne(tokens[t], static_cast<char32_t>(text[c]))) {
      ++t;
      ++c;
    } else if (haveStar) {
      t = afterStar;
      c = ++starResume;
    } else {
      return false;
    }
  }
  while (t < tokenCount && tokens[t].kind == Kind::kAnyRun) ++t;
  return t == tokenCount;
}

}  // namespace

std::optional<WildcardPattern> WildcardPattern::compile(std::u32string_view pattern,
                                                        WildcardError* error) {
  WildcardError failure = WildcardError::kNone;
  WildcardPattern compiled;
  auto& tokens = compiled.tokens_;
  std::size_t pos = 0;
  while (pos < pattern.size()) {
    const char32_t ch = pattern[pos];
    if (ch == U'[') {
      const auto next = parseList(pattern, pos, tokens, failure);
      if (!next) break;
      pos = *next;
      continue;
    }
    switch (ch) {
      case U'*':
        // A run of stars means the same as one; `[]` between stars too.
        if (tokens.empty() || tokens.back().kind != Kind::kAnyRun) {
          tokens.push_back(makeToken(Kind::kAnyRun));
        }
        break;
      case U'?':
        tokens.push_back(makeToken(Kind::kAnyChar));
        break;
      case U'#':
        tokens.push_back(makeToken(Kind::kDigit));
        break;
      default:
        tokens.push_back(makeToken(Kind::kLiteral, ch));
        break;
    }
    ++pos;
  }
  if (error) *error = failure;
  if (failure != WildcardError::kNone) return std::nullopt;
  return compiled;
}

bool WildcardPattern::matches(std::u32string_view text) const {
  return matchTokens(tokens_, std::span<const char32_t>(text.data(), text.size()));
}

bool WildcardPattern::matches(std::span<const std::uint8_t> text) const {
  return matchTokens(tokens_, text);
}

std::optional<bool> wildcardMatch(std::string_view utf8Text, std::string_view utf8Pattern) {
  const auto pattern = WildcardPattern::compile(utf8ToUtf32(utf8Pattern));
  if (!pattern) return std::nullopt;
  return pattern->matches(utf8ToUtf32(utf8Text));
}

}  // namespace common
