// The code pages of the language-driver bytes, a letter of each, and
// characters a page lacks. Tables in them: dbengine/real_tables_test.cpp.

#include "dbengine/storage/codepage.h"

#include <gtest/gtest.h>

namespace dbengine {
namespace {

TEST(Codepage, LanguageDriverChoosesCodepageAndALetterOfIt) {
  const std::tuple<std::uint8_t, const char*, std::uint8_t, char32_t> cases[] = {
      {0x57, "cp1252", 0xE4, U'ä'},  {0x00, "cp1252", 0x80, U'€'},  {0xFF, "cp1252", 0xE4, U'ä'},
      {0x1F, "cp852", 0xA5, U'ą'},   {0x26, "cp866", 0xE0, U'р'},   {0x08, "cp865", 0x9B, U'ø'},
      {0xC9, "cp1251", 0xE0, U'а'},  {0xCA, "cp1254", 0xF0, U'ğ'},  {0xCB, "cp1253", 0xE1, U'α'},
      {0x7D, "cp1255", 0xE0, U'א'},  {0x7E, "cp1256", 0xC7, U'ا'},  {0xCC, "cp1257", 0xE8, U'č'},
      {0x1C, "cp863", 0x84, U'Â'},   {0x24, "cp860", 0x84, U'ã'},   {0x67, "cp861", 0x8B, U'Ð'},
      {0x6A, "cp737", 0x80, U'Α'},   {0x6B, "cp857", 0xA7, U'ğ'},   {0x69, "cp620", 0x98, U'Ś'},
      {0x68, "cp895", 0xA9, U'ř'},   {0x7C, "cp874", 0xA1, U'ก'},   {0x04, "cp10000", 0x8A, U'ä'},
      {0x96, "cp10007", 0xE0, U'а'}, {0x97, "cp10029", 0x88, U'ą'}, {0x98, "cp10006", 0xE1, U'α'},
  };
  for (const auto& [driver, name, byte, ch] : cases) {
    const Codepage& page = codepageForLanguageDriver(driver);
    EXPECT_EQ(page.name(), name) << int{driver};
    EXPECT_EQ(page.toUnicode(byte), ch) << name;
    EXPECT_EQ(page.fromUnicode(ch), byte) << name;
    EXPECT_FALSE(multibyteCodepage(driver)) << int{driver};
  }
  EXPECT_EQ(multibyteCodepage(0x13), 932);
  EXPECT_EQ(multibyteCodepage(0x78), 950);
}

TEST(Codepage, EveryByteRoundTripsAndMissingCharactersHaveNone) {
  for (int driver = 0; driver < 256; ++driver) {
    const Codepage& page = codepageForLanguageDriver(static_cast<std::uint8_t>(driver));
    for (int byte = 0; byte < 256; ++byte) {
      EXPECT_EQ(page.fromUnicode(page.toUnicode(static_cast<std::uint8_t>(byte))), byte)
          << page.name() << " " << byte;
    }
  }
  // Undefined bytes: the C1 control of their number, or a private character.
  EXPECT_EQ(codepageForLanguageDriver(0xCB).toUnicode(0xAA), U'\xF7AA');
  for (const auto& [driver, ch] : {std::pair{0x02, U'€'}, {0x03, U'Ł'}, {0x65, U'ä'}}) {
    EXPECT_EQ(codepageForLanguageDriver(static_cast<std::uint8_t>(driver)).fromUnicode(ch), -1)
        << driver;
  }
}

}  // namespace
}  // namespace dbengine
