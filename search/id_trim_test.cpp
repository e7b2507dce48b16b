#include "search/id_trim.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace search {
namespace {

TEST(IdTrim, PadsToTwelveCharactersAndRejectsLongerIds) {
  const struct {
    const char* id;
    const char* padded;  // nullptr: rejected
  } cases[] = {
      {"", "            "},
      {" 7", " 7          "},  // leading blanks stay
      {"A00000000001", "A00000000001"},
      {"Ä", "Ä           "},  // characters, not bytes
      {"ÄÖÜäöüßÄÖÜäö", "ÄÖÜäöüßÄÖÜäö"},
      {"A000000000012", nullptr},
      {"ÄÖÜäöüßÄÖÜäöü", nullptr},
  };
  for (const auto& c : cases) {
    if (c.padded) {
      EXPECT_EQ(IDTRIM(c.id), c.padded) << c.id;
    } else {
      EXPECT_THROW(IDTRIM(c.id), std::invalid_argument) << c.id;
    }
  }
}

}  // namespace
}  // namespace search
