#include "info/qt/frm_screenshot.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QPushButton>
#include <QTest>

#include "info/qt/picture_label.h"
#include "info/vendor.h"
#include "platform/qt/qt_test_environment.h"
#include "tests/fakes/fake_message_boxes.h"
#include "tests/fakes/fake_shell_backend.h"

namespace info_qt {
namespace {

using platform_qt::whenModalShows;

TEST(FrmScreenshot, AFixedWindowShowingThePictureAtItsNaturalSize) {
  fakes::FakeShellBackend shell;
  fakes::FakeMessageBoxes boxes;
  FrmScreenshot dialog(shell, boxes);
  EXPECT_EQ(dialog.minimumSize(), dialog.maximumSize());
  auto* picture = dialog.findChild<PictureLabel*>(QStringLiteral("Image1"));
  ASSERT_NE(picture, nullptr);
  EXPECT_TRUE(picture->pixmap().isNull()) << "rendered when first painted";
  dialog.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
  QTest::qWait(50);
  EXPECT_EQ(picture->pixmap().deviceIndependentSize(), QSizeF(picture->size()));
  for (QWidget* w : dialog.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    EXPECT_FALSE(w->accessibleName().isEmpty()) << w->objectName().toStdString();
  }
}

// The focus is on the button; a click hands the trial address to the shell,
// maximised and owned by the dialog, and closes it; Escape does not. (Alt+D
// is frm_info_test.cpp's.)
TEST(FrmScreenshot, DownloadHandsTheTrialAddressToTheShellAndClosesEscapeDoesNot) {
  fakes::FakeShellBackend shell;
  fakes::FakeMessageBoxes boxes;
  FrmScreenshot dialog(shell, boxes);
  std::string expected;
  bool focusOnButton = false, visibleAfterEscape = false;
  whenModalShows("frmScreenshot", [&](QWidget& d) {
    expected =
        "plain " + std::to_string(d.winId()) + " 0 null '" + info::kTrialDownload + "' null null 3";
    focusOnButton = QApplication::focusWidget()->objectName() == QStringLiteral("Command2");
    QTest::keyClick(&d, Qt::Key_Escape);
    visibleAfterEscape = d.isVisible();
    QTest::mouseClick(d.findChild<QPushButton*>(QStringLiteral("Command2")), Qt::LeftButton);
  });
  dialog.exec();  // returns only once the dialog has closed
  EXPECT_TRUE(focusOnButton);
  EXPECT_TRUE(visibleAfterEscape);
  EXPECT_EQ(shell.calls, std::vector<std::string>{expected});
}

}  // namespace
}  // namespace info_qt
