#include "info/qt/frm_screenshot.h"

#include <QKeyEvent>
#include <QPixmap>
#include <QPushButton>

#include "info/qt/picture_label.h"
#include "info/vendor.h"
#include "platform/qt/dialog_style.h"
#include "platform/shell_execute.h"

namespace info_qt {

using platform_qt::twipsRect;
using platform_qt::twipsToPixels;

FrmScreenshot::FrmScreenshot(platform::ShellBackend& shell, common::MessageBoxes& boxes)
    : QDialog(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowCloseButtonHint),
      shell_(shell),
      boxes_(boxes) {
  setObjectName(QStringLiteral("frmScreenshot"));
  setWindowTitle(QStringLiteral("Spurlix Screenshot"));
  setAccessibleName(windowTitle());
  // No icon of its own: a blank one keeps the application's icon away.
  QPixmap blank(16, 16);
  blank.fill(Qt::transparent);
  setWindowIcon(QIcon(blank));
  setFont(platform_qt::dialogFont());
  setFixedSize(twipsToPixels(10695), twipsToPixels(6105));

  auto* download = new QPushButton(QStringLiteral("&Demo downloaden"), this);
  download->setObjectName(QStringLiteral("Command2"));
  download->setAccessibleName(QStringLiteral("Demo downloaden"));
  download->setGeometry(twipsRect(4200, 5640, 1695, 375));
  connect(download, &QPushButton::clicked, this, &FrmScreenshot::downloadClicked);

  auto* picture = new PictureLabel(resources::Picture::kFullEdition, this);
  picture->setObjectName(QStringLiteral("Image1"));
  picture->setAccessibleName(QStringLiteral("Hauptfenster der Vollversion Spurlix4"));
  picture->move(twipsToPixels(120), twipsToPixels(120));
  picture->resize(resources::naturalSize(resources::Picture::kFullEdition));

  download->setFocus();
  platform_qt::centreOnScreen(*this);
}

void FrmScreenshot::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    event->accept();
    return;
  }
  QDialog::keyPressEvent(event);
}

void FrmScreenshot::downloadClicked() {
  {
    platform::CShellExecute launcher(shell_, boxes_);
    launcher.LaunchURL(static_cast<platform::WindowHandle>(winId()), info::kTrialDownload,
                       platform::kShowMaximized);
  }
  close();
}

}  // namespace info_qt
