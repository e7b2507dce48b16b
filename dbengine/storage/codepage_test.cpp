// The code pages beyond the fixture tables of table_file_test.cpp, which
// python3-dbf wrote in each page: the language-driver numbers other
// programs use for the same pages, and characters a page lacks.

#include "dbengine/storage/codepage.h"

#include <gtest/gtest.h>

namespace dbengine {
namespace {

TEST(Codepage, LanguageDriverChoosesCodepage) {
  // 0x7A is a Chinese driver: no table here, so the default.
  const std::pair<std::uint8_t, const char*> cases[] = {
      {0x57, "cp1252"}, {0x00, "cp1252"}, {0xFF, "cp1252"}, {0x7A, "cp1252"},
      {0x1F, "cp852"},  {0x26, "cp866"},  {0x08, "cp865"},  {0x37, "cp850"},
  };
  for (const auto& [driver, name] : cases) {
    EXPECT_EQ(codepageForLanguageDriver(driver).name(), name) << int{driver};
  }
}

TEST(Codepage, EveryByteRoundTripsAndMissingCharactersHaveNone) {
  for (int driver : {0x01, 0x02, 0x03, 0x64, 0x65, 0x66, 0xC8}) {
    const Codepage& page = codepageForLanguageDriver(static_cast<std::uint8_t>(driver));
    for (int byte = 0; byte < 256; ++byte) {
      EXPECT_EQ(page.fromUnicode(page.toUnicode(static_cast<std::uint8_t>(byte))), byte)
          << page.name() << " " << byte;
    }
  }
  for (const auto& [driver, ch] : {std::pair{0x02, U'€'}, {0x03, U'Ł'}, {0x65, U'ä'}}) {
    EXPECT_EQ(codepageForLanguageDriver(static_cast<std::uint8_t>(driver)).fromUnicode(ch), -1)
        << driver;
  }
}

}  // namespace
}  // namespace dbengine
