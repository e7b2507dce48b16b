#include "common/wildcard.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace common {
namespace {

// Enough for a failure message; the cases are mostly ASCII.
std::string narrow(const std::u32string& text) {
  std::string result;
  for (char32_t ch : text) result += ch < 0x80 ? static_cast<char>(ch) : '~';
  return result;
}

const struct {
  std::u32string pattern;
  std::vector<std::u32string> matching, notMatching;
} kMatchCases[] = {
    // The whole text against the whole pattern.
    {U"abc", {U"abc"}, {U"abcd", U"xabc", U"ab"}},
    {U"", {U""}, {U"a"}},
    // Comparison by character code: letter case and umlauts count.
    {U"Meyer", {}, {U"meyer"}},
    {U"Ä", {}, {U"ä"}},
    {U"ß", {}, {U"ss"}},
    {U"Müller", {U"Müller"}, {U"Muller"}},
    // `?` is one whole character, whatever its code.
    {U"M?ller", {U"Müller"}, {}},
    {U"M?yer", {}, {U"Myer"}},
    {U"?", {}, {U""}},
    {U"??", {U"€\U0001F600"}, {}},
    {U"a#a", {U"a2a"}, {}},
    {U"##", {U"09"}, {}},
    // `#` is one of 0-9 and nothing else, not even an Arabic-Indic three or a
    // superscript one.
    {U"#", {}, {U"a", U"/", U":", U"\u0663", U"\u00B9", U""}},
    // `*` takes any run, also none.
    {U"*", {U"", U"anything"}, {}},
    {U"a*b", {U"ab", U"axxb"}, {U"axxbc"}},
    {U"a*", {}, {U""}},
    {U"**a**", {U"a"}, {}},
    {U"*a*a*", {U"aa"}, {U"a"}},
    {U"*aab", {U"aaab"}, {}},
    {U"a*b*c", {U"abbbcbc"}, {U"abbbcb"}},
    {U"*?", {}, {U""}},
    {U"*??*", {}, {U"x"}},
    {U"*#*", {U"Haus 12"}, {}},
    // Lists and ranges, by character code.
    {U"[abc]", {U"b"}, {U"d", U"ab", U""}},
    {U"[a-f]", {U"a", U"f"}, {U"g"}},
    {U"[A-Za-z0-9]x", {U"qx"}, {U"_x"}},
    {U"[ä-ü]", {U"ö"}, {U"a"}},
    {U"a[L-P]#[!c-e]", {U"aM5b"}, {}},
    // Negated lists: one character that is not in the list.
    {U"[!abc]", {U"d"}, {U"a"}},
    {U"[!a-f]", {U"z"}, {U"c"}},
    {U"[!a]", {}, {U"", U"bb"}},
    // `[]` is the empty string.
    {U"[]", {U""}, {U"a"}},
    {U"a[]b", {U"ab"}, {U"axb"}},
    {U"*[]*", {U"x"}, {}},
    // `!` is special only directly after `[`.
    {U"!", {U"!"}, {}},
    {U"[!]", {U"!"}, {U"a"}},
    {U"[a!]", {U"!", U"a"}, {}},
    {U"[!!]", {U"a"}, {U"!"}},
    // A hyphen that cannot form a range is literal.
    {U"[-]", {U"-"}, {}},
    {U"[-a]", {U"-", U"a"}, {U"b"}},
    {U"[a-]", {U"-", U"a"}, {}},
    {U"[!-]", {U"a"}, {U"-"}},
    {U"[!-a]", {U"b"}, {U"-", U"a"}},
    {U"[a-c-e]", {U"b", U"-", U"e"}, {U"d"}},
    // ... and one that can is a range, even from or to a hyphen.
    {U"[--a]", {U"5"}, {U"b"}},
    {U"[!--/]", {U"0"}, {U"."}},
    // `]` outside a list is literal; inside, it always closes the list.
    {U"]", {U"]"}, {}},
    {U"[]]", {U"]"}, {}},
    {U"[a]]", {U"a]"}, {U"a"}},
    // Special characters in a list stand for themselves.
    {U"[[]", {U"["}, {}},
    {U"[*]", {U"*"}, {U"x"}},
    {U"[?]", {U"?"}, {U"a"}},
    {U"[#]", {U"#"}, {U"1"}},
    {U"[[]*[]]", {U"[x]"}, {}},
    {U"[A-[]", {U"Z"}, {U"\\"}},
    // Completion: the typed text followed by `*`.
    {U"Me*", {U"Meyer"}, {}},
    {U"Mü*", {U"Müller GmbH"}, {U"müller"}},
    {U"*bau**", {U"Tiefbau Schulz"}, {}},
};

TEST(Wildcard, MatchesLikeTheClassicOperatorOnCodePointsAndOnBytes) {
  for (const auto& c : kMatchCases) {
    const auto pattern = WildcardPattern::compile(c.pattern);
    ASSERT_TRUE(pattern.has_value()) << narrow(c.pattern);
    for (const bool expected : {true, false}) {
      for (const std::u32string& text : expected ? c.matching : c.notMatching) {
        const std::string trace = "'" + narrow(text) + "' Like '" + narrow(c.pattern) + "'";
        EXPECT_EQ(pattern->matches(text), expected) << trace;
        // Wherever the text fits in bytes, the byte overload must agree.
        if (std::all_of(text.begin(), text.end(), [](char32_t ch) { return ch <= 0xFF; })) {
          std::vector<std::uint8_t> bytes;
          for (char32_t ch : text) bytes.push_back(static_cast<std::uint8_t>(ch));
          EXPECT_EQ(pattern->matches(bytes), expected) << trace;
        }
      }
    }
  }
}

TEST(Wildcard, PatternCodesAboveAByteNeverEqualAByte) {
  // The engine maps a pattern character its code page lacks above 255.
  const auto pattern = WildcardPattern::compile(U"a\u0100*");
  for (int byte = 0; byte < 256; ++byte) {
    const std::uint8_t text[] = {'a', static_cast<std::uint8_t>(byte), 'x'};
    EXPECT_FALSE(pattern->matches(text)) << byte;
  }
  const std::uint8_t umlaut[] = {0xFC};
  EXPECT_TRUE(WildcardPattern::compile(U"[\u00F0-\u0100]")->matches(umlaut));
}

TEST(Wildcard, InvalidPatternsAreReportedNotMatched) {
  const struct {
    WildcardError error;
    std::vector<std::u32string> patterns;
  } cases[] = {
      {WildcardError::kUnterminatedList,
       {U"[", U"a[", U"[a", U"[!", U"[a-", U"[a-z", U"[[", U"[]*[", U"*[abc"}},
      // `[a--z]` runs from `a` down to `-`.
      {WildcardError::kReversedRange,
       {U"[z-a]", U"[b-a]", U"[!z-a]", U"[ab-a]", U"*[ü-a]*", U"[a--z]", U"x[a-c][z-a]"}},
  };
  for (const auto& c : cases) {
    for (const std::u32string& pattern : c.patterns) {
      WildcardError error = WildcardError::kNone;
      EXPECT_FALSE(WildcardPattern::compile(pattern, &error).has_value()) << narrow(pattern);
      EXPECT_EQ(error, c.error) << narrow(pattern);
    }
  }
  // The error is optional; success reports kNone.
  EXPECT_FALSE(WildcardPattern::compile(U"[").has_value());
  WildcardError error = WildcardError::kReversedRange;
  EXPECT_TRUE(WildcardPattern::compile(U"[a-z]", &error).has_value());
  EXPECT_EQ(error, WildcardError::kNone);
}

TEST(Wildcard, ManyStarsOnLongTextStayFast) {
  const std::u32string text(100000, U'a');
  std::u32string alternating;
  for (int i = 0; i < 1000; ++i) alternating += U"*a";
  for (const std::u32string& pattern : {std::u32string(1000, U'*') + U"b", alternating + U"*b"}) {
    const auto compiled = WildcardPattern::compile(pattern);
    EXPECT_FALSE(compiled->matches(text));
    EXPECT_TRUE(compiled->matches(text + U"b"));
  }
  // The worst case for one-point backtracking: every retry walks the whole
  // literal tail before failing. Quadratic, not exponential.
  const auto tail = WildcardPattern::compile(U"*" + std::u32string(200, U'a') + U"b");
  EXPECT_FALSE(tail->matches(std::u32string(20000, U'a')));
}

TEST(Wildcard, Utf8ConvenienceCompilesAndMatches) {
  EXPECT_EQ(wildcardMatch("Müller", "M?ller"), true);
  EXPECT_EQ(wildcardMatch("müller", "Mü*"), false);
  EXPECT_EQ(wildcardMatch("Müller", "[!a-z]*"), true);
  EXPECT_EQ(wildcardMatch("x", "[z-a]"), std::nullopt);
  // A malformed byte is one replacement character, matched by `?`.
  EXPECT_EQ(wildcardMatch("a\xFF", "a?"), true);
}

}  // namespace
}  // namespace common
