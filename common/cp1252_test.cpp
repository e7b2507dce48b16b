#include "common/cp1252.h"

#include <gtest/gtest.h>

namespace common {
namespace {

// Each region of the code page: ASCII, the row where Windows-1252 departs from
// Latin-1 (including its five undefined bytes), and the Latin-1 upper half.
constexpr std::pair<std::uint8_t, char32_t> kByteCases[] = {
    {0x00, 0x0000}, {0x41, U'A'},   {0x7F, 0x007F}, {0x80, U'€'},   {0x81, 0x0081}, {0x82, U'‚'},
    {0x8A, U'Š'},   {0x8D, 0x008D}, {0x8F, 0x008F}, {0x90, 0x0090}, {0x91, U'‘'},   {0x96, U'–'},
    {0x99, U'™'},   {0x9D, 0x009D}, {0x9F, U'Ÿ'},   {0xA0, 0x00A0}, {0xC4, U'Ä'},   {0xDF, U'ß'},
    {0xE4, U'ä'},   {0xFC, U'ü'},   {0xFF, U'ÿ'},
};

TEST(Cp1252, BytesMapToTheirCharacters) {
  for (const auto& [byte, unicode] : kByteCases) {
    EXPECT_EQ(cp1252ToUnicode(byte), unicode) << int{byte};
    EXPECT_EQ(unicodeToCp1252(unicode), byte) << int{byte};
  }
}

TEST(Cp1252, EveryByteRoundTripsAndNoTwoBytesShareACharacter) {
  for (int byte = 0; byte < 256; ++byte) {
    EXPECT_EQ(unicodeToCp1252(cp1252ToUnicode(static_cast<std::uint8_t>(byte))), byte);
  }
}

TEST(Cp1252, CharactersOutsideTheCodePageHaveNoByte) {
  // C1 controls the code page replaced by printable characters, and
  // characters beyond it.
  for (char32_t ch : {char32_t{0x80}, char32_t{0x8A}, char32_t{0x9F}, char32_t{0x100},
                      char32_t{0x2028}, char32_t{0x1F600}, char32_t{0x110000}}) {
    EXPECT_EQ(unicodeToCp1252(ch), -1) << static_cast<unsigned>(ch);
  }
}

TEST(Cp1252, ConvertsTextBothWays) {
  const std::string bytes =
      "M\xFCller \x80 \x84Stra\xDF"
      "e\x93";
  const std::string utf8 = "Müller € „Straße“";
  EXPECT_EQ(cp1252ToUtf8(bytes), utf8);
  EXPECT_EQ(utf8ToCp1252(utf8), bytes);
  EXPECT_EQ(cp1252ToUtf8(""), "");
  EXPECT_EQ(utf8ToCp1252(""), "");
}

TEST(Cp1252, UnrepresentableAndMalformedInputBecomesQuestionMarks) {
  EXPECT_EQ(utf8ToCp1252("Łódź"),
            "?\xF3"
            "d?");
  EXPECT_EQ(utf8ToCp1252("a😀b"), "a?b");
  // A truncated two-byte sequence, then a stray continuation byte.
  EXPECT_EQ(utf8ToCp1252("a\xC3"), "a?");
  EXPECT_EQ(utf8ToCp1252("\x80x"), "?x");
}

}  // namespace
}  // namespace common
