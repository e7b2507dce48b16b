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
  EXPECT_EQ(picture->pixmap().deviceIndependentSize(), QSizeF(picture->size()));
  for (QWidget* w : dialog.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    EXPECT_FALSE(w->accessibleName().isEmpty()) << w->objectName().toStdString();
  }
}

TEST(FrmScreenshot, DownloadHandsTheTrialAddressToTheShellAndClosesEscapeDoesNot) {
  const std::function<void(QWidget&)> presses[] = {
      [](QWidget& d) { QTest::keyClick(&d, Qt::Key_D, Qt::AltModifier); },
      [](QWidget& d) {
        QTest::keyClick(&d, Qt::Key_Escape);
        EXPECT_TRUE(d.isVisible());
        QTest::mouseClick(d.findChild<QPushButton*>(QStringLiteral("Command2")), Qt::LeftButton);
      },
  };
  for (const auto& press : presses) {
    fakes::FakeShellBackend shell;
    fakes::FakeMessageBoxes boxes;
    FrmScreenshot dialog(shell, boxes);
    std::string expected;
    bool focusOnButton = false;
    whenModalShows("frmScreenshot", [&](QWidget& d) {
      expected = "plain " + std::to_string(d.winId()) + " 0 null '" + info::kTrialDownload +
                 "' null null 3";
      focusOnButton = QApplication::focusWidget() != nullptr &&
                      QApplication::focusWidget()->objectName() == QStringLiteral("Command2");
      press(d);
    });
    dialog.exec();  // returns only once the dialog has closed
    EXPECT_TRUE(focusOnButton);
    EXPECT_EQ(shell.calls, std::vector<std::string>{expected});
  }
}

}  // namespace
}  // namespace info_qt
