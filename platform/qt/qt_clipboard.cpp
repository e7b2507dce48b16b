#include "platform/qt/qt_clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QString>

namespace platform_qt {

void QtClipboard::clear() {
  QGuiApplication::clipboard()->clear();
  placedText_ = false;
}

void QtClipboard::setText(std::string_view text) {
  QGuiApplication::clipboard()->setText(
      QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
  placedText_ = true;
}

}  // namespace platform_qt
