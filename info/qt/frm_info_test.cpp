#include "info/qt/frm_info.h"

#include <gtest/gtest.h>

#include <QFontInfo>
#include <QLabel>
#include <QPlainTextEdit>
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

const std::string kStartupNote =
    "Bitte dieses Programm nur unter ACT! in der\r\nKontaktansicht aufrufen.";
const std::string kAddress =
    "Hellwig & Sander Datentechnik GmbH\r\nMusterweg 12\r\n12345 Musterstadt\r\n"
    "Email: info@example.com\r\nInternet: https://www.example.com/";

template <typename Widget = QWidget>
Widget* child(QWidget& window, const char* name) {
  auto* found = window.findChild<Widget*>(QLatin1String(name));
  EXPECT_NE(found, nullptr) << name;
  return found;
}

class FrmInfoTest : public ::testing::Test {
 protected:
  RecordingShellBackend shell;
  fakes::FakeMessageBoxes boxes;
};

TEST_F(FrmInfoTest, ControlsSitWhereTheTwipsPutThemAndHaveAccessibleNames) {
  FrmInfoWindow window(shell, boxes);
  EXPECT_EQ(window.size(), QSize(244, 367));
  struct Case {
    const char* name;
    QRect rect;
  };
  const Case fixed[] = {
      {"Command2", {64, 336, 177, 25}}, {"Text1", {8, 104, 228, 81}},
      {"Command1", {8, 336, 49, 25}},   {"Image2", {8, 200, 233, 129}},
      {"Line2", {8, 192, 232, 1}},      {"Line1", {8, 96, 232, 1}},
      {"Image1", {45, 50, 160, 40}},
  };
  for (const auto& c : fixed) {
    if (QWidget* w = child(window, c.name)) {
      EXPECT_EQ(w->geometry(), c.rect) << c.name;
    }
  }
  for (QWidget* w : window.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    EXPECT_FALSE(w->accessibleName().isEmpty()) << w->objectName().toStdString();
  }
  // Self-sizing labels keep their corner and fit their text.
  const Case labels[] = {{"lbVersion", {56, 32, 0, 0}},
                         {"lbName", {48, 8, 0, 0}},
                         {"Label4", {8, 32, 0, 0}},
                         {"Label3", {8, 8, 0, 0}},
                         {"Label2", {168, 32, 0, 0}}};
  for (const auto& c : labels) {
    auto* label = child<QLabel>(window, c.name);
    if (label == nullptr) continue;
    EXPECT_EQ(label->pos(), c.rect.topLeft()) << c.name;
    EXPECT_GE(label->width(), label->fontMetrics().horizontalAdvance(label->text())) << c.name;
  }
}

TEST_F(FrmInfoTest, ASizableToolWindowWithItsTextsFontsAndTooltips) {
  FrmInfoWindow window(shell, boxes);
  const Qt::WindowFlags flags = window.windowFlags();
  EXPECT_EQ(flags & Qt::WindowType_Mask, Qt::Tool);
  EXPECT_FALSE(flags & Qt::WindowMinimizeButtonHint);
  EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
  EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
  EXPECT_NE(window.minimumSize(), window.maximumSize());
  EXPECT_FALSE(window.windowIcon().isNull());
  EXPECT_EQ(window.windowTitle(), QStringLiteral("Informationen über das Programm"));
  struct Case {
    const char* name;
    QString text;
    bool bold;
    QString family;
  };
  const QString sans = QStringLiteral("MS Sans Serif");
  const QString arial = QStringLiteral("Arial");
  const Case labels[] = {
      {"lbVersion", "1.2.3", true, sans},      {"lbName", "Spurlix light für ACT!", true, sans},
      {"Label4", "Version :", false, sans},    {"Label3", "Name :", false, sans},
      {"Label2", "© 1999–2001", false, arial},
  };
  for (const auto& c : labels) {
    auto* label = child<QLabel>(window, c.name);
    if (label == nullptr) continue;
    EXPECT_EQ(label->text(), c.text) << c.name;
    EXPECT_EQ(label->font().bold(), c.bold) << c.name;
    EXPECT_EQ(label->font().families().value(0), c.family) << c.name;
    EXPECT_DOUBLE_EQ(label->font().pointSizeF(), 8.25) << c.name;
  }
  EXPECT_EQ(child<QPushButton>(window, "Command1")->text(), QStringLiteral("&OK"));
  auto* screenshot = child<QPushButton>(window, "Command2");
  EXPECT_EQ(screenshot->text(), QStringLiteral("&Screenshot von Spurlix4"));
  EXPECT_EQ(screenshot->toolTip(),
            QStringLiteral("Kicken Sie hier um ein Beispielfenster für die Spurlix4 zu sehen."));
  EXPECT_EQ(
      child(window, "Image2")->toolTip(),
      QStringLiteral("Klicken Sie hier um mehr Informationen auf unserer Internetseite zu sehen."));
  EXPECT_TRUE(child(window, "Image1")->toolTip().isEmpty());

  auto* text = child<QPlainTextEdit>(window, "Text1");
  EXPECT_TRUE(text->isReadOnly());
  EXPECT_EQ(text->focusPolicy(), Qt::NoFocus);
  EXPECT_EQ(text->font().families().value(0), arial);
  EXPECT_EQ(text->palette().color(QPalette::Base),
            QApplication::palette("QMenu").color(QPalette::Window));
}

TEST_F(FrmInfoTest, OpensWithFocusOnOkTabsBetweenTheTwoButtonsAndIgnoresEscape) {
  FrmInfo info(shell, boxes);
  QStringList focusOrder;
  bool visibleAfterEscape = false;
  whenModalShows("frmInfo", [&](QWidget& window) {
    for (int i = 0; i < 3; ++i) {
      focusOrder << QApplication::focusWidget()->objectName();
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    visibleAfterEscape = window.isVisible();
    window.hide();
  });
  info.showModal(kAddress);
  EXPECT_EQ(focusOrder, QStringList({"Command1", "Command2", "Command1"}));
  EXPECT_TRUE(visibleAfterEscape);
}

TEST_F(FrmInfoTest, OkHidesAndKeepsTheLoadedWindow) {
  FrmInfo info(shell, boxes);
  whenModalShows("frmInfo", [](QWidget& window) {
    QTest::keyClick(&window, Qt::Key_O, Qt::AltModifier);  // OK through its access key
  });
  info.showModal(kAddress);
  FrmInfoWindow* first = info.loadedWindow();
  ASSERT_NE(first, nullptr);
  EXPECT_FALSE(first->isVisible());
  EXPECT_EQ(child<QPlainTextEdit>(*first, "Text1")->blockCount(), 5);

  QString versionOnSecondShowing;
  whenModalShows("frmInfo", [&](QWidget& window) {
    versionOnSecondShowing = child<QLabel>(window, "lbVersion")->text();
    child<QPushButton>(window, "Command1")->click();
  });
  info.showModal(kAddress);
  EXPECT_EQ(info.loadedWindow(), first);
  EXPECT_EQ(versionOnSecondShowing, QStringLiteral("1.2.3"));
}

TEST_F(FrmInfoTest, ClosingThroughTheFrameUnloadsAndTheNextShowingLoadsAgain) {
  FrmInfo info(shell, boxes);
  whenModalShows("frmInfo", [](QWidget& window) { window.close(); });
  info.showModal(kAddress);
  EXPECT_EQ(info.loadedWindow(), nullptr);

  QString text, version;
  whenModalShows("frmInfo", [&](QWidget& window) {
    text = child<QPlainTextEdit>(window, "Text1")->toPlainText();
    version = child<QLabel>(window, "lbVersion")->text();
    window.hide();
  });
  info.showModal(kStartupNote);
  // The caller's CR LF line breaks show as lines.
  EXPECT_EQ(text, QStringLiteral("Bitte dieses Programm nur unter ACT! in der\n"
                                 "Kontaktansicht aufrufen."));
  EXPECT_EQ(version, QStringLiteral("1.2.3"));
}

TEST_F(FrmInfoTest, PromotionalPictureOpensTheProductPageMaximizedAndStaysOpen) {
  shell.code = 31;  // no browser: the dialog does not care
  FrmInfo info(shell, boxes);
  platform::WindowHandle handle = 0;
  bool openAfterClick = false;
  whenModalShows("frmInfo", [&](QWidget& window) {
    handle = static_cast<platform::WindowHandle>(window.winId());
    QTest::mouseClick(child(window, "Image1"), Qt::LeftButton);  // the logo: nothing
    QTest::mouseClick(child(window, "Image2"), Qt::LeftButton);
    openAfterClick = window.isVisible();
    window.hide();
  });
  info.showModal(kAddress);
  ASSERT_EQ(shell.calls.size(), 1u);
  EXPECT_EQ(shell.calls[0].file, info::kProductPage);
  EXPECT_EQ(shell.calls[0].verb, std::nullopt);
  EXPECT_EQ(shell.calls[0].show, 3);
  EXPECT_EQ(shell.calls[0].owner, handle);
  EXPECT_TRUE(openAfterClick);
  EXPECT_TRUE(boxes.shown.empty());
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
  info.showModal(kAddress);
  EXPECT_TRUE(infoActiveAgain);
  ASSERT_EQ(shell.calls.size(), 1u);
  EXPECT_EQ(shell.calls[0].file, info::kTrialDownload);
  EXPECT_EQ(shell.calls[0].show, 3);
}

}  // namespace
}  // namespace info_qt
