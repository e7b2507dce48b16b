#include "info/qt/frm_info.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include "info/vendor.h"
#include "platform/qt/qt_test_environment.h"
#include "tests/fakes/fake_message_boxes.h"
#include "tests/fakes/fake_shell_backend.h"

namespace info_qt {
namespace {

using platform_qt::whenModalShows;
using Calls = std::vector<std::string>;

// The call that opens `address` in the browser, maximised, owned by `window`.
std::string browserCall(const QWidget& window, const char* address) {
  return "plain " + std::to_string(window.winId()) + " 0 null '" + address + "' null null 3";
}

class FrmInfoTest : public ::testing::Test {
 protected:
  fakes::FakeShellBackend shell;
  fakes::FakeMessageBoxes boxes;
};

TEST_F(FrmInfoTest, ASizableToolWindowWhoseControlsHaveNamesAndFitTheirTexts) {
  FrmInfoWindow window(shell, boxes);
  EXPECT_EQ(window.windowFlags() & (Qt::WindowType_Mask | Qt::WindowMinMaxButtonsHint), Qt::Tool);
  EXPECT_NE(window.minimumSize(), window.maximumSize());
  for (QWidget* w : window.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    EXPECT_FALSE(w->accessibleName().isEmpty()) << w->objectName().toStdString();
  }
  for (QLabel* label : window.findChildren<QLabel*>()) {
    if (label->pixmap().isNull()) {
      EXPECT_GE(label->width(), label->fontMetrics().horizontalAdvance(label->text()))
          << label->objectName().toStdString();
    }
  }
  auto* text = window.findChild<QPlainTextEdit*>("Text1");
  ASSERT_NE(text, nullptr);
  EXPECT_TRUE(text->isReadOnly());
  EXPECT_EQ(text->focusPolicy(), Qt::NoFocus);
}

// Focus on OK, Tab between the two buttons; Escape and the logo do nothing;
// the promotional picture opens the product page and the dialog stays.
TEST_F(FrmInfoTest, KeysAndPicturesInTheOpenDialog) {
  shell.plainCode = 31;  // no browser: the dialog does not care
  FrmInfo info(shell, boxes);
  QStringList focusOrder;
  std::string expected;
  bool visible = false;
  whenModalShows("frmInfo", [&](QWidget& window) {
    for (int i = 0; i < 3; ++i) {
      focusOrder << QApplication::focusWidget()->objectName();
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    expected = browserCall(window, info::kProductPage);
    QTest::mouseClick(window.findChild<QWidget*>("Image1"), Qt::LeftButton);
    QTest::mouseClick(window.findChild<QWidget*>("Image2"), Qt::LeftButton);
    visible = window.isVisible();
    window.hide();
  });
  info.showModal("Text");
  EXPECT_EQ(focusOrder, QStringList({"Command1", "Command2", "Command1"}));
  EXPECT_TRUE(visible);
  EXPECT_EQ(shell.calls, Calls{expected});
  EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(FrmInfoTest, OkHidesTheWindowAndClosingUnloadsIt) {
  FrmInfo info(shell, boxes);
  whenModalShows("frmInfo", [](QWidget& window) {
    QTest::keyClick(&window, Qt::Key_O, Qt::AltModifier);  // OK through its access key
  });
  info.showModal("eins\r\nzwei");
  FrmInfoWindow* first = info.loadedWindow();
  ASSERT_NE(first, nullptr);
  EXPECT_FALSE(first->isVisible());
  // The caller's CR LF line breaks show as lines.
  EXPECT_EQ(first->findChild<QPlainTextEdit*>("Text1")->toPlainText(), "eins\nzwei");

  // Shown again: the same window, with the new text; closed through its frame: unloaded.
  QString text;
  whenModalShows("frmInfo", [&](QWidget& window) {
    text = window.findChild<QPlainTextEdit*>("Text1")->toPlainText();
    window.close();
  });
  info.showModal("drei");
  EXPECT_EQ(text, "drei");
  EXPECT_EQ(info.loadedWindow(), nullptr);

  whenModalShows("frmInfo", [](QWidget& window) { window.hide(); });
  info.showModal("vier");
  EXPECT_NE(info.loadedWindow(), nullptr);
}

TEST_F(FrmInfoTest, ScreenshotButtonShowsThePictureDialogAboveIt) {
  FrmInfo info(shell, boxes);
  bool infoActiveAgain = false;
  whenModalShows("frmInfo", [&](QWidget& window) {
    whenModalShows("frmScreenshot", [](QWidget& screenshot) {
      QTest::keyClick(&screenshot, Qt::Key_D, Qt::AltModifier);
    });
    QTest::keyClick(&window, Qt::Key_S, Qt::AltModifier);
    // The picture dialog runs its own modal loop inside this wait.
    EXPECT_TRUE(QTest::qWaitFor([&] {
      return !shell.calls.empty() && QApplication::activeModalWidget() != nullptr &&
             QApplication::activeModalWidget()->objectName() != QStringLiteral("frmScreenshot");
    }));
    // Back from the nested modal showing: the information dialog is on top.
    infoActiveAgain = QApplication::activeModalWidget() == &window;
    window.hide();
  });
  info.showModal("Text");
  EXPECT_TRUE(infoActiveAgain);
  ASSERT_EQ(shell.calls.size(), 1u);
  EXPECT_NE(shell.calls[0].find(info::kTrialDownload), std::string::npos);
}

}  // namespace
}  // namespace info_qt
