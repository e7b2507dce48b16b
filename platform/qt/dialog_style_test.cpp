#include "platform/qt/dialog_style.h"

#include <gtest/gtest.h>

#include <QFontInfo>

#include "platform/qt/qt_test_environment.h"

namespace platform_qt {
namespace {

TEST(TwipsToPixels, FifteenTwipsAreOnePixelRoundedToNearest) {
  const struct {
    int twips, pixels;
  } cases[] = {{7, 0}, {8, 1}, {22, 1}, {23, 2}, {10695, 713}, {-8, -1}, {-7, 0}};
  for (const auto& c : cases) EXPECT_EQ(twipsToPixels(c.twips), c.pixels) << c.twips;
}

TEST(DialogFonts, TheFaceInUseIsOneOfTheFamiliesAskedFor) {
  for (const QFont& font : {dialogFont(), dialogBoldFont(), arialFont()}) {
    EXPECT_TRUE(font.families().contains(QFontInfo(font).family()))
        << QFontInfo(font).family().toStdString();
  }
  EXPECT_TRUE(dialogBoldFont().bold());
}

}  // namespace
}  // namespace platform_qt
