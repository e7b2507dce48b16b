#include "platform/qt/dialog_style.h"

#include <QGuiApplication>
#include <QScreen>
#include <QStringList>
#include <QWidget>

namespace platform_qt {
namespace {

constexpr qreal kDialogPointSize = 8.25;

QFont fontOf(const QStringList& families, bool bold) {
  QFont font;
  font.setFamilies(families);
  font.setPointSizeF(kDialogPointSize);
  font.setBold(bold);
  font.setStyleHint(QFont::SansSerif);
  return font;
}

const QStringList& sansSerifFamilies() {
  static const QStringList families{
      QStringLiteral("MS Sans Serif"), QStringLiteral("Microsoft Sans Serif"),
      QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")};
  return families;
}

}  // namespace

QRect twipsRect(int left, int top, int width, int height) {
  return {twipsToPixels(left), twipsToPixels(top), twipsToPixels(width), twipsToPixels(height)};
}

void centreOnScreen(QWidget& window) {
  const QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
  if (screen == nullptr) return;
  QRect area(QPoint(0, 0), window.size());
  area.moveCenter(screen->availableGeometry().center());
  window.move(area.topLeft());
}

QFont dialogFont() {
  return fontOf(sansSerifFamilies(), false);
}

QFont dialogBoldFont() {
  return fontOf(sansSerifFamilies(), true);
}

QFont arialFont() {
  return fontOf({QStringLiteral("Arial"), QStringLiteral("Liberation Sans")}, false);
}

}  // namespace platform_qt
