#pragma once
// Positions in a QString counted in characters (Unicode code points), as
// the program's logic counts them, against QString's UTF-16 code units.
// A character outside the Basic Multilingual Plane is one character but two
// code units.

#include <QString>

namespace platform_qt {

// The number of characters in text[0, codeUnits). A position inside a
// surrogate pair counts the pair's character as not yet reached; positions
// beyond the text are clamped to its end, negative ones to 0.
int charactersBefore(const QString& text, qsizetype codeUnits);

// The code-unit position where the character with index `characters` starts;
// the text's length for positions at or beyond its end, 0 for negative ones.
qsizetype codeUnitsBefore(const QString& text, int characters);

}  // namespace platform_qt
