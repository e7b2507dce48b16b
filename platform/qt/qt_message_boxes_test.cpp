#include "platform/qt/qt_message_boxes.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <functional>

#include "platform/qt/qt_test_environment.h"

namespace platform_qt {
namespace {

using common::MessageAnswer;
using common::MessageBoxRequest;
using common::MessageButtons;
using common::MessageIcon;

struct SeenBox {
  QString title;
  QString text;
  QStringList buttons;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  bool staysOnTop = false;
  Qt::WindowModality modality = Qt::NonModal;
};

// Shows the box; once it is up, records what it shows and lets `answer` act
// on it (click a button, press keys).
MessageAnswer showAndAnswer(const MessageBoxRequest& request, SeenBox& seen,
                            std::function<void(QMessageBox&)> answer) {
  QTimer::singleShot(0, [&seen, answer] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    ASSERT_NE(box, nullptr);
    seen.title = box->windowTitle();
    seen.text = box->text();
    for (QAbstractButton* button : box->buttons()) seen.buttons << button->text();
    seen.icon = box->icon();
    seen.staysOnTop = box->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
    seen.modality = box->windowModality();
    answer(*box);
  });
  QtMessageBoxes boxes;
  return boxes.show(request);
}

void clickButton(QMessageBox& box, const QString& text) {
  for (QAbstractButton* button : box.buttons()) {
    if (button->text() == text) {
      button->click();
      return;
    }
  }
  ADD_FAILURE() << "no button " << text.toStdString();
  box.done(0);
}

TEST(QtMessageBoxes, ShowsTheRequestUmlautsIncludedWithGermanButtons) {
  struct Case {
    MessageBoxRequest request;
    QString expectedText;
    QStringList expectedButtons;
    QMessageBox::Icon expectedIcon;
    QString click;
    MessageAnswer expectedAnswer;
  };
  const Case cases[] = {
      {{"Datenbank nicht öffnen !\r\nZeile 2", "Größe", MessageButtons::Ok, MessageIcon::None},
       QString::fromUtf8("Datenbank nicht öffnen !\nZeile 2"),
       {"OK"},
       QMessageBox::NoIcon,
       "OK",
       MessageAnswer::Ok},
      {{"Neue Suche?", "SpurlixLight", MessageButtons::YesNo, MessageIcon::Exclamation},
       "Neue Suche?",
       {"&Ja", "&Nein"},
       QMessageBox::Warning,
       "&Ja",
       MessageAnswer::Yes},
      {{"Neue Suche?", "SpurlixLight", MessageButtons::YesNo, MessageIcon::None},
       "Neue Suche?",
       {"&Ja", "&Nein"},
       QMessageBox::NoIcon,
       "&Nein",
       MessageAnswer::No},
  };
  for (const auto& c : cases) {
    SeenBox seen;
    const MessageAnswer answer =
        showAndAnswer(c.request, seen, [&](QMessageBox& box) { clickButton(box, c.click); });
    EXPECT_EQ(answer, c.expectedAnswer);
    EXPECT_EQ(seen.title.toStdString(), c.request.title);
    EXPECT_EQ(seen.text, c.expectedText);
    EXPECT_EQ(seen.buttons, c.expectedButtons);
    EXPECT_EQ(seen.icon, c.expectedIcon);
    EXPECT_FALSE(seen.staysOnTop);
  }
}

TEST(QtMessageBoxes, YesNoBoxIgnoresEscapeAndCloseUntilAButtonAnswers) {
  SeenBox seen;
  bool stillOpen = false;
  const MessageAnswer answer =
      showAndAnswer({"Frage", "T", MessageButtons::YesNo}, seen, [&](QMessageBox& box) {
        box.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&box));
        QTest::keyClick(&box, Qt::Key_Escape);
        box.close();
        stillOpen = box.isVisible();
        QTest::keyClick(&box, Qt::Key_N, Qt::AltModifier);
        if (!QTest::qWaitFor([&] { return !box.isVisible(); })) {
          ADD_FAILURE() << "Alt+N did not answer";
          box.done(0);
        }
      });
  EXPECT_TRUE(stillOpen);
  EXPECT_EQ(answer, MessageAnswer::No);
}

TEST(QtMessageBoxes, OkBoxAnswersOkOnEscape) {
  SeenBox seen;
  EXPECT_EQ(showAndAnswer({"Hinweis"}, seen,
                          [](QMessageBox& box) { QTest::keyClick(&box, Qt::Key_Escape); }),
            MessageAnswer::Ok);
}

TEST(QtMessageBoxes, ForegroundAndSystemModalBoxesStayOnTopAndAreModal) {
  for (const bool systemModal : {false, true}) {
    MessageBoxRequest request{"Text"};
    request.foreground = !systemModal;
    request.systemModal = systemModal;
    SeenBox seen;
    showAndAnswer(request, seen, [](QMessageBox& box) { clickButton(box, "OK"); });
    EXPECT_TRUE(seen.staysOnTop);
    EXPECT_EQ(seen.modality, Qt::ApplicationModal);
  }
}

}  // namespace
}  // namespace platform_qt
