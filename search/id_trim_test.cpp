#include "search/id_trim.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace search {
namespace {

TEST(IdTrim, PadsOnTheRightToTwelveCharacters) {
  const struct {
    const char* id;
    std::string expected;
  } cases[] = {
      {"", std::string(12, ' ')},
      {"X1", "X1" + std::string(10, ' ')},
      {"A00000000001", "A00000000001"},
      {" 7", " 7" + std::string(10, ' ')},  // leading blanks stay
      // Characters, not bytes: an umlaut is one character of two bytes.
      {"Ä", "Ä" + std::string(11, ' ')},
      {"ÄÖÜäöüßÄÖÜäö", "ÄÖÜäöüßÄÖÜäö"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(IDTRIM(c.id), c.expected) << "ID '" << c.id << "'";
  }
}

TEST(IdTrim, RejectsIdsLongerThanTwelveCharacters) {
  const char* tooLong[] = {"A000000000012", "ÄÖÜäöüßÄÖÜäöü", "12345678901234567890"};
  for (const char* id : tooLong) {
    EXPECT_THROW(IDTRIM(id), std::invalid_argument) << "ID '" << id << "'";
  }
}

}  // namespace
}  // namespace search
