#include "platform/qt/qt_message_boxes.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPushButton>
#include <QString>

namespace platform_qt {
namespace {

QString plainLines(const std::string& text) {
  QString lines = QString::fromStdString(text);
  lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  return lines;
}

// Keeps a Yes/No box open on Escape and on its close box: only the two
// buttons answer it.
class OnlyButtonsAnswer : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Close && watched == parent()) {
      event->ignore();
      return true;
    }
    if (event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride) {
      if (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        event->accept();
        return true;
      }
    }
    return false;
  }
};

}  // namespace

common::MessageAnswer QtMessageBoxes::show(const common::MessageBoxRequest& request) {
  QMessageBox box;
  box.setWindowTitle(QString::fromStdString(request.title));
  box.setTextFormat(Qt::PlainText);
  box.setText(plainLines(request.text));
  box.setIcon(request.icon == common::MessageIcon::Exclamation ? QMessageBox::Warning
                                                               : QMessageBox::NoIcon);
  box.setWindowModality(Qt::ApplicationModal);
  if (request.foreground || request.systemModal) {
    box.setWindowFlag(Qt::WindowStaysOnTopHint, true);
  }

  QPushButton* yes = nullptr;
  if (request.buttons == common::MessageButtons::YesNo) {
    yes = box.addButton(QStringLiteral("&Ja"), QMessageBox::YesRole);
    QPushButton* no = box.addButton(QStringLiteral("&Nein"), QMessageBox::NoRole);
    box.setDefaultButton(yes);
    (void)no;
    auto* guard = new OnlyButtonsAnswer(&box);  // owned by the box
    box.installEventFilter(guard);
    for (QPushButton* button : box.findChildren<QPushButton*>()) {
      button->installEventFilter(guard);
    }
  } else {
    QPushButton* ok = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    box.setDefaultButton(ok);
    box.setEscapeButton(ok);
  }

  if (request.foreground || request.systemModal) {
    box.show();
    box.raise();
    box.activateWindow();
  }
  box.exec();

  if (request.buttons == common::MessageButtons::Ok) return common::MessageAnswer::Ok;
  return box.clickedButton() == yes ? common::MessageAnswer::Yes : common::MessageAnswer::No;
}

}  // namespace platform_qt
