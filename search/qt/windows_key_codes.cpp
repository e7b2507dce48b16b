#include "search/qt/windows_key_codes.h"

#include <QKeyEvent>

#include "common/cp1252.h"

namespace search_qt {

int windowsKeyCode(int qtKey) {
  switch (qtKey) {
    case Qt::Key_Escape:
      return 27;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return 13;
    case Qt::Key_Backspace:
      return 8;
    case Qt::Key_Tab:
      return 9;
    case Qt::Key_Space:
      return 32;
    default:
      break;
  }
  if ((qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) || (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)) {
    return qtKey;  // Qt uses the same codes here
  }
  return 0;
}

int keyAsciiOf(const QKeyEvent& event) {
  if (event.modifiers() & (Qt::AltModifier | Qt::MetaModifier)) return 0;
  if (event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter) {
    return (event.modifiers() & Qt::ControlModifier) ? 10 : 13;
  }
  const QString text = event.text();
  const auto codePoints = text.toUcs4();
  if (codePoints.size() != 1) return 0;
  const int code = common::unicodeToCp1252(codePoints.front());
  return code < 0 ? 63 : code;
}

}  // namespace search_qt
