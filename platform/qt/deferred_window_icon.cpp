#include "platform/qt/deferred_window_icon.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>

namespace platform_qt {
namespace {

class FirstPaintWatch final : public QObject {
 public:
  explicit FirstPaintWatch(std::function<QIcon()> make)
      : QObject(QCoreApplication::instance()), make_(std::move(make)) {}

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint && watched->isWidgetType()) {
      QCoreApplication::instance()->removeEventFilter(this);
      // Not inside the paint: the icon change reaches every window.
      QTimer::singleShot(0, QCoreApplication::instance(), [make = make_] {
        QApplication::setWindowIcon(make());
      });
      deleteLater();
    }
    return false;
  }

 private:
  std::function<QIcon()> make_;
};

}  // namespace

void setWindowIconAfterFirstPaint(std::function<QIcon()> make) {
  QCoreApplication::instance()->installEventFilter(new FirstPaintWatch(std::move(make)));
}

}  // namespace platform_qt
