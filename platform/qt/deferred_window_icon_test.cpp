#include "platform/qt/deferred_window_icon.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QPixmap>
#include <QTest>
#include <QWidget>

#include "platform/qt/qt_test_environment.h"

namespace platform_qt {
namespace {

TEST(DeferredWindowIcon, ComesOnceTheFirstWindowHasPainted) {
  int made = 0;
  setWindowIconAfterFirstPaint([&made] {
    ++made;
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::red);
    return QIcon(pixmap);
  });
  QCoreApplication::processEvents();
  EXPECT_EQ(made, 0);
  QWidget window;
  window.show();
  ASSERT_TRUE(QTest::qWaitFor([&] { return !QApplication::windowIcon().isNull(); }));
  window.update();
  QTest::qWait(50);
  EXPECT_EQ(made, 1);
  EXPECT_FALSE(window.windowIcon().isNull());
}

}  // namespace
}  // namespace platform_qt
