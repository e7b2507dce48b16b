#include "platform/qt/qt_program_end.h"

#include <gtest/gtest.h>

#include <QTimer>
#include <QWidget>

#include "platform/qt/qt_clipboard.h"
#include "platform/qt/qt_test_environment.h"

namespace platform_qt {
namespace {

class QtProgramEndDeathTest : public ::testing::Test {
 protected:
  QtProgramEndDeathTest() { GTEST_FLAG_SET(death_test_style, "threadsafe"); }
};

TEST_F(QtProgramEndDeathTest, ExitsAtOnceWithCodeZero) {
  EXPECT_EXIT(
      {
        QWidget window;
        window.show();
        QtProgramEnd end;
        end.endNow();
      },
      ::testing::ExitedWithCode(0), "");
}

TEST_F(QtProgramEndDeathTest, ExitsFromInsideAnEventHandlerWithClipboardTextPlaced) {
  EXPECT_EXIT(
      {
        QtClipboard clipboard;
        clipboard.setText("SQL-Text");
        QtProgramEnd end(&clipboard);
        QTimer::singleShot(0, [&end] { end.endNow(); });
        QTimer::singleShot(5000, [] { std::abort(); });
        QCoreApplication::exec();
      },
      ::testing::ExitedWithCode(0), "");
}

}  // namespace
}  // namespace platform_qt
