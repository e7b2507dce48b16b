#include "platform/linux/reg_text.h"

#include <gtest/gtest.h>

#include <random>

#include "tests/scratch.h"

namespace platform_linux {
namespace {

using Bytes = std::vector<std::uint8_t>;

TEST(WineString, DecodesEveryEscapeWineReads) {
  const struct {
    std::string_view escaped;  // up to and including the closing quote
    std::u16string expected;
  } cases[] = {
      {"C:\\\\ACT\\\\NetLinks\"", u"C:\\ACT\\NetLinks"},
      {"say \\\"hallo\\\"\"", u"say \"hallo\""},
      {"Gr\\xfc\\x00dfe\"", u"Grüße"},  // four digits keep the "e" out of the escape
      {"\\x12345\"",
       u"\x1234"
       u"5"},             // at most four hex digits
      {"\\xg\"", u"xg"},  // \x without digits is an x
      {"eins\\0zwei\"", std::u16string(u"eins\0zwei", 9)},
      {"\\101\\1010\"", u"AA0"},  // at most three octal digits
      {"\\a\\b\\e\\f\\n\\r\\t\\v\"", u"\a\b\x1b\f\n\r\t\v"},
      {"\\q\\[\"", u"q["},  // other escaped characters stand for themselves
      {"\xfc\"", u"ü"},     // a raw byte is its Latin-1 character
      {"\"", u""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.escaped);
    auto parsed = parseWineString(c.escaped, '"');
    ASSERT_TRUE(parsed);
    EXPECT_EQ(parsed->text, c.expected);
    EXPECT_EQ(parsed->end, c.escaped.size() - 1);
  }
}

TEST(WineString, RejectsStringsThatNeverClose) {
  for (std::string_view bad : {"", "abc", "abc\\", "\\\"", "\\x"}) {
    EXPECT_FALSE(parseWineString(bad, '"')) << bad;
  }
}

TEST(WineString, EscapingRoundTripsEveryCodeUnit) {
  std::mt19937 random(42);
  // Characters whose neighbours change how Wine escapes them.
  const std::u16string tricky = std::u16string(
      u"\0"
      u"7"
      u"e"
      u"\xfc"
      u"\\\"[]\x7f\x1b\t",
      12);
  for (int round = 0; round < 2000; ++round) {
    std::u16string text;
    for (std::size_t n = random() % 12; n > 0; --n) {
      text += random() % 2 ? tricky[random() % tricky.size()]
                           : static_cast<char16_t>(random() % 0x10000);
    }
    std::string escaped = escapeWineString(text, "\"");
    for (char c : escaped) ASSERT_TRUE(c >= 0x20 && c <= 0x7f) << "Wine writes plain ASCII";
    auto parsed = parseWineString(escaped + "\"", '"');
    ASSERT_TRUE(parsed);
    std::u16string expected = text;
    if (!expected.empty() && expected.back() == u'\0') expected.pop_back();
    ASSERT_EQ(parsed->text, expected) << escaped;
  }
}

// The forms Wine writes are FormatsEveryValueExactlyAsWineWroteIt's; here
// those it also reads.
TEST(ValueLine, ParsesEachForm) {
  const struct {
    std::string_view line;
    std::u16string name;
    std::uint32_t type;
    Bytes data;
  } cases[] = {
      {"\"A\" = str:\"x\"", u"A", 1, {'x', 0, 0, 0}},
      {"\"A\"=str(7):\"a\\0\"", u"A", 7, {'a', 0, 0, 0, 0, 0}},
      {"\"A\"=dword:2A", u"A", 4, {0x2a, 0, 0, 0}},
      {"\"A\"=hex:01, 2 ,AB,", u"A", 3, {1, 2, 0xab}},
      {"\"A\"=hex(0):", u"A", 0, {}},
      {"\"A\"=hex(1):41,00", u"A", 1, {0x41, 0}},
      {"\"A \\\"q\\\"\"=dword:0", u"A \"q\"", 4, {0, 0, 0, 0}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    auto parsed = parseValueLine(c.line);
    ASSERT_TRUE(parsed);
    EXPECT_EQ(parsed->name, c.name);
    EXPECT_EQ(parsed->value, (RegValue{c.type, c.data}));
  }
}

TEST(ValueLine, RejectsMalformedLines) {
  const std::string_view bad[] = {
      "\"A\"",
      "\"A\"=dword:",
      "\"A\"=dword:123456789",
      "\"A\"=hex:100",
      "\"A\"=hex(:01",
      "\"A\"=\"open",
      "\"A\"=\"x\" tail",
      "A=\"x\"",
      "\"A\"=str(3):\"x\"",
      "\"A\"=quad:1",
      "\"A\"=hex(100000000):",
  };
  for (std::string_view line : bad) EXPECT_FALSE(parseValueLine(line)) << line;
}

// Every value line of the file Wine wrote, reformatted, comes out byte for
// byte as Wine wrote it, line breaks of long values included.
TEST(ValueLine, FormatsEveryValueExactlyAsWineWroteIt) {
  std::string file = test_support::readFile(SPURLIX_TEST_DATA "/registry/wine_user.reg");
  ASSERT_FALSE(file.empty());
  std::size_t pos = 0, checked = 0;
  while (pos < file.size()) {
    std::string raw, joined;
    do {
      std::size_t end = file.find('\n', pos) + 1;
      std::string_view line(file.data() + pos, end - pos - 1);
      raw.append(file, pos, end - pos);
      pos = end;
      if (!line.ends_with('\\')) {
        joined += line;
        break;
      }
      joined += line.substr(0, line.size() - 1);
    } while (pos < file.size());
    if (!joined.starts_with('"') && !joined.starts_with('@')) continue;
    auto parsed = parseValueLine(joined);
    ASSERT_TRUE(parsed) << joined;
    EXPECT_EQ(formatValueLine(parsed->name, parsed->value), raw);
    ++checked;
  }
  EXPECT_GE(checked, 19u);
}

TEST(ValueLine, WritesUnterminatedStringsAsHex) {
  EXPECT_EQ(formatValueLine(u"A", {1, {0x41, 0}}), "\"A\"=hex(1):41,00\n");
  EXPECT_EQ(formatValueLine(u"A", {2, {}}), "\"A\"=hex(2):\n");
  EXPECT_EQ(formatValueLine(u"", {4, {1, 2}}), "@=hex(4):01,02\n");
}

}  // namespace
}  // namespace platform_linux
