#include "platform/qt/character_positions.h"

namespace platform_qt {

int charactersBefore(const QString& text, qsizetype codeUnits) {
  const qsizetype end = qBound<qsizetype>(0, codeUnits, text.size());
  int characters = 0;
  qsizetype unit = 0;
  while (unit < end) {
    const bool pair = text.at(unit).isHighSurrogate() && unit + 1 < text.size() &&
                      text.at(unit + 1).isLowSurrogate();
    const qsizetype next = unit + (pair ? 2 : 1);
    if (next > end) break;
    unit = next;
    ++characters;
  }
  return characters;
}

qsizetype codeUnitsBefore(const QString& text, int characters) {
  qsizetype unit = 0;
  for (int counted = 0; counted < characters && unit < text.size(); ++counted) {
    const bool pair = text.at(unit).isHighSurrogate() && unit + 1 < text.size() &&
                      text.at(unit + 1).isLowSurrogate();
    unit += pair ? 2 : 1;
  }
  return unit;
}

}  // namespace platform_qt
