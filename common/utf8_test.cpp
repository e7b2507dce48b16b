#include "common/utf8.h"

#include <gtest/gtest.h>

namespace common {
namespace {

struct DecodeCase {
  const char* name;
  std::string utf8;
  std::u32string expected;
};

TEST(Utf8, DecodesWellFormedAndReplacesEveryBadByte) {
  const DecodeCase cases[] = {
      {"empty", "", U""},
      {"ascii", "abc", U"abc"},
      {"two byte", "M\xC3\xBCller", U"Müller"},
      {"three byte", "\xE2\x82\xAC", U"€"},
      {"four byte", "\xF0\x9F\x98\x80", U"\U0001F600"},
      {"highest code point", "\xF4\x8F\xBF\xBF", U"\U0010FFFF"},
      {"stray continuation", "a\x80z", U"a\uFFFDz"},
      {"truncated at end", "a\xE2\x82", U"a\uFFFD\uFFFD"},
      {"interrupted by ascii",
       "\xE2\x82"
       "A",
       U"\uFFFD\uFFFDA"},
      {"overlong slash", "\xC0\xAF", U"\uFFFD\uFFFD"},
      {"overlong three byte", "\xE0\x80\xAF", U"\uFFFD\uFFFD\uFFFD"},
      {"surrogate", "\xED\xA0\x80", U"\uFFFD\uFFFD\uFFFD"},
      {"above U+10FFFF", "\xF4\x90\x80\x80", U"\uFFFD\uFFFD\uFFFD\uFFFD"},
      {"invalid lead bytes", "\xF8\xFF", U"\uFFFD\uFFFD"},
      {"nul kept", std::string("a\0b", 3), std::u32string(U"a\0b", 3)},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(utf8ToUtf32(c.utf8), c.expected) << c.name;
    EXPECT_EQ(utf8Length(c.utf8), c.expected.size()) << c.name;
  }
}

TEST(Utf8, EncodesEveryLengthAndRoundTripsAlsoThroughUtf16) {
  const std::u32string text = U"a\u00FC\u20AC\U0001F600\u007F\u0080\u07FF\u0800\uFFFF\U00010000";
  const std::string utf8 = utf32ToUtf8(text);
  EXPECT_EQ(utf8,
            "a\xC3\xBC\xE2\x82\xAC\xF0\x9F\x98\x80\x7F\xC2\x80\xDF\xBF\xE0\xA0\x80"
            "\xEF\xBF\xBF\xF0\x90\x80\x80");
  EXPECT_EQ(utf8ToUtf32(utf8), text);
  // The same in UTF-16, with two surrogate pairs; a lone surrogate is replaced.
  const std::u16string utf16 = u"a\u00FC\u20AC\U0001F600\u007F\u0080\u07FF\u0800\uFFFF\U00010000";
  EXPECT_EQ(utf8ToUtf16(utf8), utf16);
  EXPECT_EQ(utf16ToUtf8(utf16), utf8);
  EXPECT_EQ(utf16ToUtf8(std::u16string{0xDC00, u'a', 0xD800}),
            "\xEF\xBF\xBD"
            "a\xEF\xBF\xBD");
  // Code points that have no encoding become the replacement character.
  std::string out = "x";
  appendUtf8(out, 0xD800);
  appendUtf8(out, 0x110000);
  EXPECT_EQ(out, "x\xEF\xBF\xBD\xEF\xBF\xBD");
}

}  // namespace
}  // namespace common
