#include "platform/qt/qt_clipboard.h"

#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>

#include "platform/qt/qt_test_environment.h"

namespace platform_qt {
namespace {

TEST(QtClipboard, PutsUtf8TextOnTheClipboardAndRemembersIt) {
  QtClipboard clipboard;
  EXPECT_FALSE(clipboard.placedText());
  clipboard.setText("SELECT * FROM [kunden] WHERE NAME LIKE '*[Mm][Üü]*'");
  EXPECT_TRUE(clipboard.placedText());
  EXPECT_EQ(QGuiApplication::clipboard()->text(),
            QString::fromUtf8("SELECT * FROM [kunden] WHERE NAME LIKE '*[Mm][Üü]*'"));

  clipboard.clear();
  EXPECT_FALSE(clipboard.placedText());
  EXPECT_TRUE(QGuiApplication::clipboard()->text().isEmpty());

  clipboard.setText("");  // empty text is still text this program placed
  EXPECT_TRUE(clipboard.placedText());
  EXPECT_TRUE(QGuiApplication::clipboard()->text().isEmpty());
}

}  // namespace
}  // namespace platform_qt
