#include "info/qt/frm_screenshot.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QPushButton>
#include <QTest>

#include "info/qt/picture_label.h"
#include "info/qt/recording_shell_backend.h"
#include "info/vendor.h"
#include "platform/qt/qt_test_environment.h"
#include "tests/fakes/fake_message_boxes.h"

namespace info_qt {
namespace {

using platform_qt::whenModalShows;

class FrmScreenshotTest : public ::testing::Test {
 protected:
  RecordingShellBackend shell;
  fakes::FakeMessageBoxes boxes;
};

TEST_F(FrmScreenshotTest, FixedWindowWithTheButtonAndThePictureAtNaturalSize) {
  FrmScreenshot dialog(shell, boxes);
  EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Spurlix Screenshot"));
  EXPECT_EQ(dialog.size(), QSize(713, 407));
  EXPECT_EQ(dialog.minimumSize(), dialog.maximumSize());
  EXPECT_FALSE(dialog.windowFlags() & Qt::WindowMinimizeButtonHint);
  EXPECT_FALSE(dialog.windowFlags() & Qt::WindowMaximizeButtonHint);

  auto* button = dialog.findChild<QPushButton*>(QStringLiteral("Command2"));
  ASSERT_NE(button, nullptr);
  EXPECT_EQ(button->text(), QStringLiteral("&Demo downloaden"));
  EXPECT_EQ(button->geometry(), QRect(280, 376, 113, 25));
  auto* picture = dialog.findChild<PictureLabel*>(QStringLiteral("Image1"));
  ASSERT_NE(picture, nullptr);
  EXPECT_EQ(picture->geometry(), QRect(8, 8, 699, 360));
  EXPECT_EQ(picture->pixmap().deviceIndependentSize(), QSizeF(699, 360));
  EXPECT_EQ(picture->focusPolicy(), Qt::NoFocus);
  EXPECT_FALSE(picture->accessibleName().isEmpty());
  EXPECT_FALSE(button->accessibleName().isEmpty());
}

TEST_F(FrmScreenshotTest, DownloadHandsTheTrialAddressToTheShellAndCloses) {
  struct Case {
    const char* how;
    std::function<void(QWidget&)> press;
  };
  const Case cases[] = {
      {"Alt+D", [](QWidget& d) { QTest::keyClick(&d, Qt::Key_D, Qt::AltModifier); }},
      {"click",
       [](QWidget& d) {
         QTest::mouseClick(d.findChild<QPushButton*>(QStringLiteral("Command2")), Qt::LeftButton);
       }},
  };
  for (const auto& c : cases) {
    shell.calls.clear();
    FrmScreenshot dialog(shell, boxes);
    platform::WindowHandle handle = 0;
    bool focusOnButton = false;
    whenModalShows("frmScreenshot", [&](QWidget& d) {
      handle = static_cast<platform::WindowHandle>(d.winId());
      focusOnButton = QApplication::focusWidget() != nullptr &&
                      QApplication::focusWidget()->objectName() == QStringLiteral("Command2");
      c.press(d);
    });
    dialog.exec();  // returns only once the dialog has closed
    EXPECT_FALSE(dialog.isVisible()) << c.how;
    EXPECT_TRUE(focusOnButton) << c.how;
    ASSERT_EQ(shell.calls.size(), 1u) << c.how;
    EXPECT_EQ(shell.calls[0].file, info::kTrialDownload);
    EXPECT_EQ(shell.calls[0].verb, std::nullopt);
    EXPECT_EQ(shell.calls[0].show, 3);
    EXPECT_EQ(shell.calls[0].owner, handle);
  }
}

TEST_F(FrmScreenshotTest, EscapeKeepsItOpen) {
  FrmScreenshot dialog(shell, boxes);
  bool visible = false;
  whenModalShows("frmScreenshot", [&](QWidget& d) {
    QTest::keyClick(&d, Qt::Key_Escape);
    visible = d.isVisible();
    d.close();
  });
  dialog.exec();
  EXPECT_TRUE(visible);
  EXPECT_TRUE(shell.calls.empty());
}

}  // namespace
}  // namespace info_qt
