#include "dbengine/sql/like_matcher.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "common/cp1252.h"

namespace dbengine::sql {
namespace {

std::vector<std::uint8_t> bytesOf(std::string_view utf8) {
  std::string cp1252 = common::utf8ToCp1252(utf8);
  return {cp1252.begin(), cp1252.end()};
}

LikeMatcher compiled(std::string_view pattern,
                     LikeMatcher::Strategy strategy = LikeMatcher::Strategy::kFastestAvailable) {
  std::optional<LikeMatcher> matcher = LikeMatcher::compile(pattern, cp1252Codepage(), strategy);
  if (!matcher) {
    ADD_FAILURE() << "invalid pattern " << pattern;
    return std::move(*LikeMatcher::compile("", cp1252Codepage(), strategy));
  }
  return std::move(*matcher);
}

const struct {
  const char* pattern;
  const char* text;
  bool matches;
} kCases[] = {
    // The fragment search: any position, both letter cases.
    {"*[mM][üÜ]*", "Müller GmbH", true},
    {"*[mM][üÜ]*", "MÜLLER & SÖHNE", true},
    {"*[mM][üÜ]*", "Bäckerei Krümmüller", true},
    {"*[mM][üÜ]*", "Meyer AG", false},
    {"*[mM][üÜ]*", "m", false},
    {"*[mM][üÜ]*", "mü", true},
    {"*[oO]'[nN]*", "Sean O'Neil", true},
    {"**", "x", true},
    {"*", "", true},
    {"**", "", true},
    // Prefix, suffix and exact shapes.
    {"[kK]-*", "K-7", true},
    {"[kK]-*", "k-12", true},
    {"[kK]-*", "X-99", false},
    {"[kK]-*", "K", false},
    {"*-#", "K-7", true},
    {"*-#", "k-12", false},
    {"K-?", "K-7", true},
    {"K-?", "K-77", false},
    {"", "", true},
    {"", "a", false},
    {"a[]b", "ab", true},
    // Every single-character token in a run.
    {"*?[!a]#*", "xb1", true},
    {"*?[!a]#*", "xa1", false},
    {"*[a-c]*", "zzb", true},
    {"*[a-c]*", "zzd", false},
    {"*[!a-c]*", "abc", false},
    // A character the code page lacks matches no byte; its negation every byte.
    {"*Ω*", "Ω", false},
    {"[!Ω]", "x", true},
    // Shapes left to the general matcher.
    {"M*r", "Müller", true},
    {"M*r", "Meyer AG", false},
    {"*M*r*", "Bäckerei Krümmüller", false},
    {"*ü*ü*", "Krümmüller", true},
};

TEST(LikeMatcher, MatchesFieldBytesLikeTheWildcardOperator) {
  for (const auto& c : kCases) {
    SCOPED_TRACE(std::string(c.pattern) + " ~ " + c.text);
    std::vector<std::uint8_t> text = bytesOf(c.text);
    EXPECT_EQ(compiled(c.pattern).matches(text), c.matches);
    EXPECT_EQ(compiled(c.pattern, LikeMatcher::Strategy::kGeneralOnly).matches(text), c.matches);
  }
}

TEST(LikeMatcher, FastPathTakesRunsOfSingleCharactersOnly) {
  // Runs of stars collapse, "[]" vanishes, a one-character list is a literal.
  for (const char* fast :
       {"*[mM][üÜ]*", "[kK]-*", "*-#", "abc", "**", "*", "*?[!a]*", "a[]b", "*[*]*[]*"}) {
    EXPECT_TRUE(compiled(fast).usesFastPath()) << fast;
  }
  for (const char* general : {"a*b", "*a*b*", "a*b*"}) {
    EXPECT_FALSE(compiled(general).usesFastPath()) << general;
  }
}

// Field-length texts, so that the substring search's eight-bytes-at-a-time
// path runs: candidates on and across word borders, near the end where the
// run no longer fits, and bytes whose high bit or zero value could confuse a
// word-wise comparison.
TEST(LikeMatcher, WordWiseSearchAgreesWithGeneralMatcherOnFieldLengths) {
  // Patterns as Windows-1252 bytes: \xFC is ü, \xDC is Ü.
  const std::vector<std::string> patterns = {"*[mM][\xFC\xDC]*",
                                             "*[eE]*",
                                             "*[xX][yY][zZ][qQ]*",
                                             "*\xFF*",
                                             "*[aAbB\x01]a*",
                                             "*[abcd]?*",
                                             "*[abcde]*",
                                             "*?a*",
                                             "*a[!a]*",
                                             "*\xFC*",
                                             "*#*"};
  const std::string alphabet(
      "aAmM\xFC\xDC \x00\xFF\x01\x7F\x80"
      "e9",
      14);
  std::mt19937 random(20261206);
  for (const std::string& pattern : patterns) {
    SCOPED_TRACE(pattern);
    const std::string utf8Pattern = common::cp1252ToUtf8(pattern);
    LikeMatcher fast = compiled(utf8Pattern);
    LikeMatcher general = compiled(utf8Pattern, LikeMatcher::Strategy::kGeneralOnly);
    ASSERT_TRUE(fast.usesFastPath());
    for (int t = 0; t < 3000; ++t) {
      std::vector<std::uint8_t> text(random() % 49);
      for (std::uint8_t& byte : text) {
        // Mostly a filler that matches nothing, so candidates stay sparse.
        byte = random() % 3 == 0 ? static_cast<std::uint8_t>(alphabet[random() % alphabet.size()])
                                 : std::uint8_t{'z'};
      }
      ASSERT_EQ(fast.matches(text), general.matches(text))
          << "text " << std::string(text.begin(), text.end());
    }
  }
}

}  // namespace
}  // namespace dbengine::sql
