#pragma once
// What every dialog of the program shares: geometry written in twips and the
// dialogs' fonts.
//
// Geometry: 15 twips are one pixel at 96 dots per inch, which is Qt's
// device-independent pixel, so a dialog laid out this way scales with the
// screen's device pixel ratio.
//
// Fonts: the dialogs' default font is MS Sans Serif 8.25 pt. Where it is not
// installed, the closest metric-compatible fonts from the Debian font
// packages stand in: Microsoft Sans Serif, then Liberation Sans (metric-
// compatible with Arial, of the same width class), then DejaVu Sans. Arial
// falls back to Liberation Sans.

#include <QFont>
#include <QRect>

class QWidget;

namespace platform_qt {

// Twips to device-independent pixels, rounded to the nearest pixel (halves
// away from zero).
constexpr int twipsToPixels(int twips) {
  return twips >= 0 ? (twips * 2 + 15) / 30 : -((-twips * 2 + 15) / 30);
}

// A rectangle given as Left, Top, Width and Height in twips.
QRect twipsRect(int left, int top, int width, int height);

// Moves a top-level widget so that its client area is centred on the
// available area of its screen (the primary screen before it is shown).
void centreOnScreen(QWidget& window);

// MS Sans Serif 8.25 pt with its fallbacks.
QFont dialogFont();

// MS Sans Serif 8.25 pt bold with its fallbacks.
QFont dialogBoldFont();

// Arial 8.25 pt with its fallback.
QFont arialFont();

}  // namespace platform_qt
