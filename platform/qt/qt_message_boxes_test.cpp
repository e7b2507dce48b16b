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
using common::MessageButtons;
using common::MessageIcon;

void clickButton(QMessageBox& box, const QString& text) {
  for (QAbstractButton* button : box.buttons())
    if (button->text() == text) return button->click();
  ADD_FAILURE() << "no button " << text.toStdString();
  box.done(0);
}

TEST(QtMessageBoxes, ShowTheRequestWithGermanButtonsAndAnswerAsClicked) {
  const struct {
    common::MessageBoxRequest request;
    QString text;
    QStringList buttons;
    QMessageBox::Icon icon;
    bool onTop;
    std::function<void(QMessageBox&)> answer;
    MessageAnswer expected;
  } cases[] = {
      {{.text = "Datenbank nicht öffnen !\r\nZeile 2", .title = "Größe"},
       QString::fromUtf8("Datenbank nicht öffnen !\nZeile 2"),
       {"OK"},
       QMessageBox::NoIcon,
       false,
       [](QMessageBox& box) { QTest::keyClick(&box, Qt::Key_Escape); },
       MessageAnswer::Ok},
      {{.text = "Neue Suche?",
        .buttons = MessageButtons::YesNo,
        .icon = MessageIcon::Exclamation,
        .foreground = true},
       "Neue Suche?",
       {"&Ja", "&Nein"},
       QMessageBox::Warning,
       true,
       [](QMessageBox& box) { clickButton(box, "&Ja"); },
       MessageAnswer::Yes},
      // Escape and closing do not answer a Yes/No box; its access keys do.
      {{.text = "Frage", .buttons = MessageButtons::YesNo, .systemModal = true},
       "Frage",
       {"&Ja", "&Nein"},
       QMessageBox::NoIcon,
       true,
       [](QMessageBox& box) {
         box.activateWindow();
         EXPECT_TRUE(QTest::qWaitForWindowActive(&box));
         QTest::keyClick(&box, Qt::Key_Escape);
         box.close();
         EXPECT_TRUE(box.isVisible());
         QTest::keyClick(&box, Qt::Key_N, Qt::AltModifier);
         if (!QTest::qWaitFor([&] { return !box.isVisible(); })) box.done(0);
       },
       MessageAnswer::No},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.request.text);
    QTimer::singleShot(0, [&c] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      ASSERT_NE(box, nullptr);
      EXPECT_EQ(box->windowTitle().toStdString(), c.request.title);
      EXPECT_EQ(box->text(), c.text);
      QStringList buttons;
      for (QAbstractButton* button : box->buttons()) buttons << button->text();
      EXPECT_EQ(buttons, c.buttons);
      EXPECT_EQ(box->icon(), c.icon);
      EXPECT_EQ(box->windowFlags().testFlag(Qt::WindowStaysOnTopHint), c.onTop);
      EXPECT_EQ(box->windowModality(), Qt::ApplicationModal);
      c.answer(*box);
    });
    EXPECT_EQ(QtMessageBoxes().show(c.request), c.expected);
  }
}

}  // namespace
}  // namespace platform_qt
