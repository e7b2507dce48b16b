#include "platform/qt/dialog_style.h"

#include <gtest/gtest.h>

#include <QFontInfo>

#include "platform/qt/qt_test_environment.h"

namespace platform_qt {
namespace {

TEST(TwipsToPixels, FifteenTwipsAreOnePixelRoundedToNearest) {
  struct Case {
    int twips;
    int pixels;
  };
  const Case cases[] = {{0, 0},    {7, 0},   {8, 1},      {15, 1},     {22, 1},
                        {23, 2},   {120, 8}, {2980, 199}, {5430, 362}, {10695, 713},
                        {-15, -1}, {-8, -1}, {-7, 0}};
  for (const auto& c : cases) EXPECT_EQ(twipsToPixels(c.twips), c.pixels) << c.twips;
}

TEST(DialogFonts, AskForTheClassicFacesAt8Point25WithInstalledFallbacks) {
  struct Case {
    QFont font;
    QString first;
    bool bold;
  };
  const Case cases[] = {{dialogFont(), QStringLiteral("MS Sans Serif"), false},
                        {dialogBoldFont(), QStringLiteral("MS Sans Serif"), true},
                        {arialFont(), QStringLiteral("Arial"), false}};
  for (const auto& c : cases) {
    EXPECT_EQ(c.font.families().value(0), c.first);
    EXPECT_DOUBLE_EQ(c.font.pointSizeF(), 8.25);
    EXPECT_EQ(c.font.bold(), c.bold);
    // Whatever is installed, the face in use comes from the family list.
    const QString resolved = QFontInfo(c.font).family();
    EXPECT_TRUE(c.font.families().contains(resolved)) << resolved.toStdString();
  }
}

}  // namespace
}  // namespace platform_qt
