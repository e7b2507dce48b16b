#pragma once
// The program's pictures and icons. They are SVG files compiled into the
// program (pictures.qrc) and rendered here at their natural pixel sizes, so
// a dialog lays them out at fixed sizes; on a high-density screen they are
// rendered sharply at the screen's device pixel ratio.
//
// Needs a QGuiApplication. Every function loads the compiled-in resources on
// first use (the library is static, so nothing would register them
// otherwise).

#include <QIcon>
#include <QPixmap>
#include <QSize>
#include <QString>

namespace resources {

enum class Picture {
  kBanner,       // 183 x 32, the search dialog's product banner
  kInfoSign,     // 24 x 24, the search dialog's information button
  kVendorLogo,   // 160 x 40, the information dialog's logo
  kPromotion,    // 233 x 129, the information dialog's promotional picture
  kFullEdition,  // 699 x 360, the full edition's window in the picture dialog
};

// The picture's size in device-independent pixels.
QSize naturalSize(Picture picture);

// The resource path of the picture's SVG source (":/pictures/...").
QString sourcePath(Picture picture);

// The picture rendered at its natural size. `devicePixelRatio` (>= 1) scales
// the pixel buffer; the returned pixmap carries that ratio, so its
// device-independent size stays naturalSize(). Never null.
QPixmap render(Picture picture, qreal devicePixelRatio = 1.0);

// The program icon (magnifying glass over "ACT!") at 16, 24, 32 and 48 pixels.
QIcon programIcon();

// The information dialog's icon (magnifying glass above "Lite") at 16 and 32.
QIcon informationIcon();

}  // namespace resources
