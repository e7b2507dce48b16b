#include "common/wildcard.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace common {
namespace {

struct MatchCase {
  std::u32string pattern;
  std::u32string text;
  bool expected;
};

std::ostream& operator<<(std::ostream& out, const MatchCase& c) {
  // Enough for a failure message; the cases are mostly ASCII.
  auto narrow = [](const std::u32string& s) {
    std::string r;
    for (char32_t ch : s) r += ch < 0x80 ? static_cast<char>(ch) : '~';
    return r;
  };
  return out << "'" << narrow(c.text) << "' Like '" << narrow(c.pattern) << "'";
}

const MatchCase kMatchCases[] = {
    // The whole text against the whole pattern.
    {U"abc", U"abc", true},
    {U"abc", U"abcd", false},
    {U"abc", U"xabc", false},
    {U"abc", U"ab", false},
    {U"", U"", true},
    {U"", U"a", false},
    // Comparison by character code: letter case and umlauts count.
    {U"Meyer", U"meyer", false},
    {U"Ä", U"ä", false},
    {U"ß", U"ss", false},
    {U"Müller", U"Müller", true},
    {U"Müller", U"Muller", false},
    // `?` is one whole character, whatever its code.
    {U"M?ller", U"Müller", true},
    {U"M?yer", U"Myer", false},
    {U"?", U"", false},
    {U"??", U"€\U0001F600", true},
    // `#` is one of 0-9 and nothing else.
    {U"a#a", U"a2a", true},
    {U"##", U"09", true},
    {U"#", U"a", false},
    {U"#", U"/", false},
    {U"#", U":", false},
    {U"#", U"\u0663", false},  // ARABIC-INDIC DIGIT THREE
    {U"#", U"\u00B9", false},  // SUPERSCRIPT ONE
    {U"#", U"", false},
    // `*` takes any run, also none.
    {U"*", U"", true},
    {U"*", U"anything", true},
    {U"a*b", U"ab", true},
    {U"a*b", U"axxb", true},
    {U"a*b", U"axxbc", false},
    {U"a*", U"", false},
    {U"**a**", U"a", true},
    {U"*a*a*", U"aa", true},
    {U"*a*a*", U"a", false},
    {U"*aab", U"aaab", true},
    {U"a*b*c", U"abbbcbc", true},
    {U"a*b*c", U"abbbcb", false},
    {U"*?", U"", false},
    {U"*??*", U"x", false},
    {U"*#*", U"Haus 12", true},
    // Lists and ranges, by character code.
    {U"[abc]", U"b", true},
    {U"[abc]", U"d", false},
    {U"[abc]", U"ab", false},
    {U"[abc]", U"", false},
    {U"[a-f]", U"a", true},
    {U"[a-f]", U"f", true},
    {U"[a-f]", U"g", false},
    {U"[A-Za-z0-9]x", U"qx", true},
    {U"[A-Za-z0-9]x", U"_x", false},
    {U"[ä-ü]", U"ö", true},
    {U"[ä-ü]", U"a", false},
    {U"a[L-P]#[!c-e]", U"aM5b", true},
    // Negated lists: one character that is not in the list.
    {U"[!abc]", U"d", true},
    {U"[!abc]", U"a", false},
    {U"[!a-f]", U"z", true},
    {U"[!a-f]", U"c", false},
    {U"[!a]", U"", false},
    {U"[!a]", U"bb", false},
    // `[]` is the empty string.
    {U"[]", U"", true},
    {U"[]", U"a", false},
    {U"a[]b", U"ab", true},
    {U"a[]b", U"axb", false},
    {U"*[]*", U"x", true},
    // `!` is special only directly after `[`.
    {U"!", U"!", true},
    {U"[!]", U"!", true},
    {U"[!]", U"a", false},
    {U"[a!]", U"!", true},
    {U"[a!]", U"a", true},
    {U"[!!]", U"!", false},
    {U"[!!]", U"a", true},
    // A hyphen that cannot form a range is literal.
    {U"[-]", U"-", true},
    {U"[-a]", U"-", true},
    {U"[-a]", U"a", true},
    {U"[-a]", U"b", false},
    {U"[a-]", U"-", true},
    {U"[a-]", U"a", true},
    {U"[!-]", U"-", false},
    {U"[!-]", U"a", true},
    {U"[!-a]", U"-", false},
    {U"[!-a]", U"a", false},
    {U"[!-a]", U"b", true},
    {U"[a-c-e]", U"b", true},
    {U"[a-c-e]", U"-", true},
    {U"[a-c-e]", U"e", true},
    {U"[a-c-e]", U"d", false},
    // ... and one that can is a range, even from or to a hyphen.
    {U"[--a]", U"5", true},
    {U"[--a]", U"b", false},
    {U"[!--/]", U".", false},
    {U"[!--/]", U"0", true},
    // `]` outside a list is literal; inside, it always closes the list.
    {U"]", U"]", true},
    {U"[]]", U"]", true},
    {U"[a]]", U"a]", true},
    {U"[a]]", U"a", false},
    // Special characters in a list stand for themselves.
    {U"[[]", U"[", true},
    {U"[*]", U"*", true},
    {U"[*]", U"x", false},
    {U"[?]", U"?", true},
    {U"[?]", U"a", false},
    {U"[#]", U"#", true},
    {U"[#]", U"1", false},
    {U"[[]*[]]", U"[x]", true},
    {U"[A-[]", U"Z", true},
    {U"[A-[]", U"\\", false},
    // Completion: the typed text followed by `*`.
    {U"Me*", U"Meyer", true},
    {U"Mü*", U"müller", false},
    {U"Mü*", U"Müller GmbH", true},
    {U"*bau**", U"Tiefbau Schulz", true},
};

TEST(Wildcard, MatchesLikeTheClassicOperator) {
  for (const MatchCase& c : kMatchCases) {
    const auto pattern = WildcardPattern::compile(c.pattern);
    ASSERT_TRUE(pattern.has_value()) << c;
    EXPECT_EQ(pattern->matches(c.text), c.expected) << c;
  }
}

TEST(Wildcard, ByteTextMatchesAsItsCodes) {
  // Wherever the text fits in bytes, both overloads must agree.
  for (const MatchCase& c : kMatchCases) {
    std::vector<std::uint8_t> bytes;
    bool fits = true;
    for (char32_t ch : c.text) {
      fits = fits && ch <= 0xFF;
      bytes.push_back(static_cast<std::uint8_t>(ch));
    }
    if (!fits) continue;
    const auto pattern = WildcardPattern::compile(c.pattern);
    ASSERT_TRUE(pattern.has_value()) << c;
    EXPECT_EQ(pattern->matches(bytes), c.expected) << c;
  }
}

TEST(Wildcard, PatternCodesAboveAByteNeverEqualAByte) {
  // The engine maps a pattern character its code page lacks above 255.
  const auto pattern = WildcardPattern::compile(U"a\u0100*");
  ASSERT_TRUE(pattern.has_value());
  for (int byte = 0; byte < 256; ++byte) {
    const std::uint8_t text[] = {'a', static_cast<std::uint8_t>(byte), 'x'};
    EXPECT_FALSE(pattern->matches(text)) << byte;
  }
  const auto range = WildcardPattern::compile(U"[\u00F0-\u0100]");
  ASSERT_TRUE(range.has_value());
  const std::uint8_t umlaut[] = {0xFC};
  EXPECT_TRUE(range->matches(umlaut));
}

TEST(Wildcard, InvalidPatternsAreReportedNotMatched) {
  const struct {
    std::u32string pattern;
    WildcardError error;
  } cases[] = {
      {U"[", WildcardError::kUnterminatedList},        {U"a[", WildcardError::kUnterminatedList},
      {U"[a", WildcardError::kUnterminatedList},       {U"[!", WildcardError::kUnterminatedList},
      {U"[a-", WildcardError::kUnterminatedList},      {U"[a-z", WildcardError::kUnterminatedList},
      {U"[[", WildcardError::kUnterminatedList},       {U"[]*[", WildcardError::kUnterminatedList},
      {U"*[abc", WildcardError::kUnterminatedList},    {U"[z-a]", WildcardError::kReversedRange},
      {U"[b-a]", WildcardError::kReversedRange},       {U"[!z-a]", WildcardError::kReversedRange},
      {U"[ab-a]", WildcardError::kReversedRange},      {U"*[ü-a]*", WildcardError::kReversedRange},
      {U"[a--z]", WildcardError::kReversedRange},  // `a` up to `-`
      {U"x[a-c][z-a]", WildcardError::kReversedRange},
  };
  for (const auto& c : cases) {
    WildcardError error = WildcardError::kNone;
    EXPECT_FALSE(WildcardPattern::compile(c.pattern, &error).has_value())
        << MatchCase{c.pattern, U"", false};
    EXPECT_EQ(error, c.error) << MatchCase{c.pattern, U"", false};
  }
  // The error is optional; success reports kNone.
  EXPECT_FALSE(WildcardPattern::compile(U"[").has_value());
  WildcardError error = WildcardError::kReversedRange;
  EXPECT_TRUE(WildcardPattern::compile(U"[a-z]", &error).has_value());
  EXPECT_EQ(error, WildcardError::kNone);
}

TEST(Wildcard, CompiledTokensAreNormalisedForShapeRecognition) {
  using Kind = WildcardPattern::Kind;
  auto kinds = [](std::u32string_view text) {
    std::vector<Kind> result;
    const auto compiled = WildcardPattern::compile(text);
    for (const auto& token : compiled->tokens()) {
      result.push_back(token.kind);
    }
    return result;
  };
  // Runs of stars collapse, `[]` vanishes, and a plain one-character list is
  // the literal it stands for.
  EXPECT_EQ(kinds(U"**a[]**"), (std::vector{Kind::kAnyRun, Kind::kLiteral, Kind::kAnyRun}));
  EXPECT_EQ(kinds(U"*[]*"), (std::vector{Kind::kAnyRun}));
  EXPECT_EQ(kinds(U"[*][!]"), (std::vector{Kind::kLiteral, Kind::kLiteral}));
  const auto star = WildcardPattern::compile(U"[*]");
  EXPECT_EQ(star->tokens().at(0).literal, U'*');
  EXPECT_EQ(kinds(U"?#[!x][a-b]"),
            (std::vector{Kind::kAnyChar, Kind::kDigit, Kind::kList, Kind::kList}));
  EXPECT_TRUE(WildcardPattern::compile(U"")->tokens().empty());
}

TEST(Wildcard, ManyStarsOnLongTextStayFast) {
  const std::u32string text(100000, U'a');
  const auto stars = WildcardPattern::compile(std::u32string(1000, U'*') + U"b");
  ASSERT_TRUE(stars.has_value());
  EXPECT_FALSE(stars->matches(text));
  EXPECT_TRUE(stars->matches(text + U"b"));

  std::u32string alternating;
  for (int i = 0; i < 1000; ++i) alternating += U"*a";
  const auto interleaved = WildcardPattern::compile(alternating + U"*b");
  ASSERT_TRUE(interleaved.has_value());
  EXPECT_FALSE(interleaved->matches(text));
  EXPECT_TRUE(interleaved->matches(text + U"b"));

  // The worst case for one-point backtracking: every retry walks the whole
  // literal tail before failing. Quadratic, not exponential.
  const auto tail = WildcardPattern::compile(U"*" + std::u32string(200, U'a') + U"b");
  ASSERT_TRUE(tail.has_value());
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
