#include "platform/qt/qt_program_end.h"

#include <gtest/gtest.h>

#include <QTimer>

#include "platform/qt/qt_clipboard.h"
#include "platform/qt/qt_test_environment.h"

namespace platform_qt {
namespace {

// Where the platform has no clipboard manager to hand the text to (here Qt's
// offscreen platform), the program ends at once, also with text placed.
TEST(QtProgramEndDeathTest, ExitsWithCodeZeroFromInsideAnEventHandler) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  for (const bool withText : {false, true}) {
    EXPECT_EXIT(
        {
          QtClipboard clipboard;
          if (withText) clipboard.setText("SQL-Text");
          QtProgramEnd end(withText ? &clipboard : nullptr);
          QTimer::singleShot(0, [&end] { end.endNow(); });
          QTimer::singleShot(5000, [] { std::abort(); });
          QCoreApplication::exec();
        },
        ::testing::ExitedWithCode(0), "");
  }
}

}  // namespace
}  // namespace platform_qt
