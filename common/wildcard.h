#pragma once
// The wildcard matcher shared by the engine's LIKE and the search box's
// completion. It follows the classic Basic `Like` operator with binary
// comparison:
//
//   - the whole text must match the whole pattern;
//   - `?`        any one character;
//   - `*`        any run of characters, also none;
//   - `#`        any one digit 0-9 (only these ten codes);
//   - `[list]`   one character of the list; `a-f` in a list is a range
//                (by character code, low end first);
//   - `[!list]`  one character not in the list;
//   - every other character stands for itself; comparison by character code,
//     so letter case counts.
//
// Corner cases, all as the classic operator has them:
//   - `[]` matches the empty string: `a[]b` matches "ab";
//   - `!` is special only directly after `[`; `[!]` is a literal `!`;
//   - in a list, `x-y` is a range whenever the character after the hyphen is
//     not `]`; any other hyphen is a member: first (also after a leading `!`),
//     last, or right after a range, so `[a-c-e]` is a to c, `-` and `e`, and
//     `[--a]` is the range from `-` to `a`;
//   - `]` outside a list is literal; inside a list it always closes it;
//   - `[[]`, `[*]`, `[?]`, `[#]` match the literal character.
//
// Invalid patterns: a reversed range such as `[z-a]` (also `[a--z]`, whose
// range runs from `a` down to `-`) and a `[` without its `]`.
// compile() reports them as a value; nothing here throws, crashes or reads past
// the pattern.
//
// Matching runs in O(text x pattern) time at worst, with no backtracking
// blow-up however many `*` the pattern holds.
//
// Characters are code units of whatever alphabet the caller uses: Unicode
// code points for the dialog, code-page bytes for the engine (which maps the
// pattern into the table's code page before compiling it; a pattern character
// the code page lacks becomes a code above 255 that no byte equals).

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace common {

enum class WildcardError {
  kNone,
  kUnterminatedList,  // `[` without its closing `]`
  kReversedRange,     // a range whose first end is above its second, `[z-a]`
};

class WildcardPattern {
 public:
  struct Range {
    char32_t low, high;
  };
  enum class Kind { kLiteral, kAnyChar, kAnyRun, kDigit, kList };
  struct Token {
    Kind kind;
    char32_t literal = 0;       // kLiteral
    bool negated = false;       // kList: `[!...]`
    std::vector<Range> ranges;  // kList: single characters are ranges low == high
  };

  // Compiles the pattern. On success *error (when given) is kNone; on failure
  // returns nullopt and sets *error to the first fault found, left to right.
  static std::optional<WildcardPattern> compile(std::u32string_view pattern,
                                                WildcardError* error = nullptr);

  // Whether the whole text matches. The byte form compares each byte's value
  // with the pattern's codes, as if the text were widened to code points.
  bool matches(std::u32string_view text) const;
  bool matches(std::span<const std::uint8_t> text) const;

  // The compiled tokens: lets a caller recognise shapes it can match faster
  // (the engine's case-insensitive substring search). Normalised so that
  // equal meanings look alike: `[]` is dropped, a run of `*` is one kAnyRun,
  // and `[!]` as well as a one-character list such as `[*]` is a kLiteral.
  const std::vector<Token>& tokens() const { return tokens_; }

 private:
  std::vector<Token> tokens_;
};

// Convenience for callers with UTF-8 text: compiles and matches in one go.
// nullopt when the pattern is invalid.
std::optional<bool> wildcardMatch(std::string_view utf8Text, std::string_view utf8Pattern);

}  // namespace common
