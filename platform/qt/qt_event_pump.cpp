#include "platform/qt/qt_event_pump.h"

#include <QCoreApplication>

namespace platform_qt {

void QtEventPump::processPendingEvents() {
  QCoreApplication::processEvents();
}

}  // namespace platform_qt
