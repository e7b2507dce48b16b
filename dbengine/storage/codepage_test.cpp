#include "dbengine/storage/codepage.h"

#include <gtest/gtest.h>

namespace dbengine {
namespace {

TEST(Codepage, LanguageDriverChoosesCodepage) {
  struct Case {
    std::uint8_t driver;
    const char* name;
  };
  // 0x7A is a Chinese driver: no table here, so the default.
  const Case cases[] = {
      {0x01, "cp437"},  {0x02, "cp850"}, {0x03, "cp1252"}, {0x57, "cp1252"}, {0x64, "cp852"},
      {0x65, "cp866"},  {0x66, "cp865"}, {0xC8, "cp1250"}, {0x00, "cp1252"}, {0xFF, "cp1252"},
      {0x7A, "cp1252"}, {0x1F, "cp852"}, {0x26, "cp866"},  {0x08, "cp865"},  {0x37, "cp850"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(codepageForLanguageDriver(c.driver).name(), c.name) << int{c.driver};
  }
}

TEST(Codepage, SameLetterHasDifferentBytesPerPage) {
  struct Case {
    std::uint8_t driver;
    int byte;  // -1: the page lacks the character
    char32_t ch;
  };
  const Case cases[] = {
      {0x03, 0xFC, U'ü'}, {0x02, 0x81, U'ü'}, {0x01, 0x81, U'ü'}, {0x02, 0x9A, U'Ü'},
      {0x03, 0xDF, U'ß'}, {0x02, 0xE1, U'ß'}, {0x64, 0x9D, U'Ł'}, {0xC8, 0xA3, U'Ł'},
      {0x65, 0x80, U'А'}, {0x66, 0x9D, U'Ø'}, {0x03, 0x80, U'€'}, {0x02, -1, U'€'},
      {0x03, -1, U'Ł'},   {0x65, -1, U'ä'},
  };
  for (const Case& c : cases) {
    const Codepage& page = codepageForLanguageDriver(c.driver);
    if (c.byte >= 0) {
      EXPECT_EQ(page.toUnicode(static_cast<std::uint8_t>(c.byte)), c.ch) << page.name() << c.byte;
    }
    EXPECT_EQ(page.fromUnicode(c.ch), c.byte) << page.name();
  }
}

TEST(Codepage, EveryByteRoundTrips) {
  for (int driver : {0x01, 0x02, 0x03, 0x64, 0x65, 0x66, 0xC8}) {
    const Codepage& page = codepageForLanguageDriver(static_cast<std::uint8_t>(driver));
    for (int byte = 0; byte < 256; ++byte) {
      EXPECT_EQ(page.fromUnicode(page.toUnicode(static_cast<std::uint8_t>(byte))), byte)
          << page.name() << " " << byte;
    }
  }
}

TEST(Codepage, DecodesToUtf8) {
  EXPECT_EQ(codepageForLanguageDriver(0x02).decode("M\x81ller Stra\xE1"
                                                   "e"),
            "Müller Straße");
  EXPECT_EQ(cp1252Codepage().decode(""), "");
}

}  // namespace
}  // namespace dbengine
