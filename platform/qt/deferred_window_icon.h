#pragma once
// The application's window icon, made once the first window has painted:
// rendering it (an SVG at four sizes) would otherwise hold up the first
// window's showing, and a taskbar takes a changed icon at any time.

#include <QIcon>
#include <functional>

namespace platform_qt {

// Sets the icon `make` renders as the application's window icon soon after
// the first paint of any window. Call once, after the QApplication exists.
void setWindowIconAfterFirstPaint(std::function<QIcon()> make);

}  // namespace platform_qt
