#include "platform/qt/character_positions.h"

#include <gtest/gtest.h>

namespace platform_qt {
namespace {

// "Mü" then U+1F600 (two code units), then "x".
const QString kMixed = QString::fromUtf8("M\xC3\xBC\xF0\x9F\x98\x80x");
// A lone surrogate, then "ab".
const QString kBroken = QString(QChar(0xD83D)) + QStringLiteral("ab");

struct UnitsCase {
  QString text;
  qsizetype codeUnits;
  int characters;
};

TEST(CharactersBefore, CountsCodePointsNotCodeUnits) {
  const UnitsCase cases[] = {
      {QString(), 0, 0}, {kMixed, 0, 0},  {kMixed, 2, 2},
      {kMixed, 4, 3},    {kMixed, 5, 4},  {kMixed, 3, 2},  // inside the pair: not yet reached
      {kMixed, 99, 4},   {kMixed, -3, 0}, {kBroken, 1, 1},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(charactersBefore(c.text, c.codeUnits), c.characters)
        << c.text.toStdString() << " @" << c.codeUnits;
  }
}

TEST(CodeUnitsBefore, StepsOverSurrogatePairsAndClamps) {
  const UnitsCase cases[] = {
      {kMixed, 0, 0},  {kMixed, 2, 2},    {kMixed, 4, 3},
      {kMixed, 5, 4},  {kMixed, 5, 9},  // beyond the end
      {kMixed, 0, -1}, {QString(), 0, 3}, {kBroken, 2, 2},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(codeUnitsBefore(c.text, c.characters), c.codeUnits)
        << c.text.toStdString() << " #" << c.characters;
  }
}

}  // namespace
}  // namespace platform_qt
