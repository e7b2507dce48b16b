#pragma once
// frmInfo, the information dialog: the program's name and version, the
// vendor's logo, a free text its caller puts in, and a promotional picture
// of the full edition.
//
// FrmInfo is the one shared instance the callers use (info::InformationDialog).
// It loads the window (FrmInfoWindow) on first use; the load step sets the
// version label. OK hides the window and keeps it, text and all, for the
// next showing; closing it through its frame unloads it, so the next
// showModal() loads it anew and the load step runs again.
//
// In the window:
//   - OK (Command1, Alt+O) hides it, which ends the modal showing;
//   - "Screenshot von Spurlix4" (Command2, Alt+S) shows a new frmScreenshot
//     modally above it;
//   - a click on the promotional picture (Image2) opens the product page
//     through a CShellExecute made for that click (LaunchURL, this window's
//     handle, show state 3); the result is ignored and the dialog stays;
//   - the vendor's logo does nothing; Escape does nothing.

#include <QDialog>
#include <memory>
#include <string>

#include "common/message_boxes.h"
#include "info/information_dialog.h"
#include "platform/shell_backend.h"

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace info_qt {

class FrmInfoWindow : public QDialog {
  Q_OBJECT

 public:
  // Runs the load step. Both references must outlive the window.
  FrmInfoWindow(platform::ShellBackend& shell, common::MessageBoxes& boxes);

  // Puts the free text into Text1; "\r\n" separates lines.
  void setFreeText(const std::string& text);

  // True once the user closed the window through its frame (unload).
  bool closedThroughFrame() const { return closedThroughFrame_; }

 protected:
  void closeEvent(QCloseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void loadStep();
  void okClicked();
  void screenshotClicked();
  void promotionClicked();

  platform::ShellBackend& shell_;
  common::MessageBoxes& boxes_;
  QPlainTextEdit* text1_ = nullptr;
  QLabel* lbVersion_ = nullptr;
  bool closedThroughFrame_ = false;
};

class FrmInfo : public info::InformationDialog {
 public:
  // Both references must outlive this object.
  FrmInfo(platform::ShellBackend& shell, common::MessageBoxes& boxes);
  ~FrmInfo() override;
  FrmInfo(const FrmInfo&) = delete;
  FrmInfo& operator=(const FrmInfo&) = delete;

  // Loads the window if needed, sets its text, shows it modally and returns
  // once it is hidden or closed.
  void showModal(const std::string& freeText) override;

  // The loaded window, or null while it is not loaded.
  FrmInfoWindow* loadedWindow() const { return window_.get(); }

 private:
  platform::ShellBackend& shell_;
  common::MessageBoxes& boxes_;
  std::unique_ptr<FrmInfoWindow> window_;
};

}  // namespace info_qt
