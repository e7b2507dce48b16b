#include "platform/win32/ui/twips.h"

#include <gtest/gtest.h>

namespace win32_ui {
namespace {

TEST(Twips, TurnIntoPixelsAtTheWindowsDpiRoundingHalvesAway) {
  struct Case {
    int twips;
    unsigned dpi;
    int pixels;
  };
  const Case cases[] = {
      {15, 96, 1},      {5430, 96, 362},  {2980, 96, 199},  // 198.67
      {7, 96, 0},       {8, 96, 1},                         // 0.47 and 0.53
      {5430, 192, 724}, {2980, 192, 397},                   // 397.33
      {315, 120, 26},   {375, 144, 38},                     // 26.25 and 37.5
      {-15, 96, -1},    {-8, 96, -1},     {0, 192, 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(twipsToPixels(c.twips, c.dpi), c.pixels) << c.twips << " twips at " << c.dpi;
  }
}

TEST(Twips, DialogFontOf825HundredthsOfAPointHasAnEmOfTheRightPixels) {
  struct Case {
    unsigned dpi;
    int pixels;
  };
  for (const Case& c : {Case{96, 11}, Case{120, 14}, Case{144, 17}, Case{192, 22}}) {
    EXPECT_EQ(pointsToPixels(825, c.dpi), c.pixels) << c.dpi;
  }
  EXPECT_EQ(scaleFrom96(183, 192), 366);
  EXPECT_EQ(scaleFrom96(183, 144), 275);  // 274.5
}

}  // namespace
}  // namespace win32_ui
