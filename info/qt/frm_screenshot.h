#pragma once
// frmScreenshot: a picture of the full edition's main window with a button
// that opens the download of the full edition's trial version.
//
// Create it for one showing, exec() it, let it go: the download button
// (click or Alt+D) hands the trial download address to the shell
// (CShellExecute::LaunchURL with this window's handle and show state 3,
// maximized; a failure is not reported) and then closes the dialog, which
// ends exec(). The title bar's close box closes it without a download;
// Escape does nothing.

#include <QDialog>

#include "common/message_boxes.h"
#include "platform/shell_backend.h"

class QPushButton;

namespace info_qt {

class FrmScreenshot : public QDialog {
  Q_OBJECT

 public:
  // Both references must outlive the dialog.
  FrmScreenshot(platform::ShellBackend& shell, common::MessageBoxes& boxes);

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void downloadClicked();

  platform::ShellBackend& shell_;
  common::MessageBoxes& boxes_;
};

}  // namespace info_qt
