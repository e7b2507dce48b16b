#include "search/qt/windows_key_codes.h"

#include <gtest/gtest.h>

#include <QKeyEvent>

namespace search_qt {
namespace {

TEST(WindowsKeyCode, LettersAndDigitsKeepTheirCodesOtherKeysWithoutOneGiveZero) {
  const struct {
    int qtKey, code;
  } cases[] = {{Qt::Key_A, 65},         {Qt::Key_Z, 90},         {Qt::Key_0, 48},
               {Qt::Key_9, 57},         {Qt::Key_F1, 0},         {Qt::Key_Left, 0},
               {Qt::Key_Udiaeresis, 0}, {Qt::Key_BracketLeft, 0}};
  for (const auto& c : cases) EXPECT_EQ(windowsKeyCode(c.qtKey), c.code) << c.qtKey;
}

// Enter, Backspace, Escape and the umlauts as the dialog reports them are
// frm_suche_test.cpp's; here the rest.
TEST(KeyAsciiOf, GivesTheWindows1252CodeOfTheTypedCharacter) {
  const struct {
    int qtKey;
    Qt::KeyboardModifiers modifiers;
    QString text;
    int ascii;
  } cases[] = {
      {Qt::Key_A, Qt::NoModifier, "a", 97},
      {Qt::Key_A, Qt::ShiftModifier, "A", 65},
      {Qt::Key_unknown, Qt::NoModifier, QString::fromUtf8("€"), 0x80},
      {Qt::Key_unknown, Qt::NoModifier, QString::fromUtf8("ł"), 63},  // not in the code page
      {Qt::Key_unknown, Qt::NoModifier, QString::fromUtf8("\xF0\x9F\x98\x80"), 63},
      // no character typed
      {Qt::Key_Left, Qt::NoModifier, "", 0},
      {Qt::Key_S, Qt::AltModifier, "s", 0},
      {Qt::Key_unknown, Qt::NoModifier, "ab", 0},
  };
  for (const auto& c : cases) {
    const QKeyEvent event(QEvent::KeyPress, c.qtKey, c.modifiers, c.text);
    EXPECT_EQ(keyAsciiOf(event), c.ascii) << c.text.toStdString();
  }
}

}  // namespace
}  // namespace search_qt
