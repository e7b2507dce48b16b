#pragma once
// frmInfo on Windows: the information dialog as a native tool window (small
// title bar, sizable frame, close box, no task-bar entry): the program's
// name and version, the vendor's logo, a free text its caller puts in, and
// a promotional picture of the full edition.
//
// FrmInfo is the one shared instance the callers use (info::InformationDialog).
// It loads the window (FrmInfoWindow) on first use, centred on the screen;
// the load step sets the version label. OK (Alt+O) hides the window and keeps
// it, text, position and all, for the next showing; closing it through its
// frame unloads it, so the next showModal() loads it anew and the load step
// runs again. While it is shown, the program's other windows take no input.
//
// In the window:
//   - "Screenshot von Spurlix4" (Alt+S) shows a new frmScreenshot modally
//     above it;
//   - a click on the promotional picture opens the product page through a
//     CShellExecute made for that click (LaunchURL, this window's handle,
//     show state 3); the result is ignored and the dialog stays;
//   - the vendor's logo does nothing; Escape does nothing.

#include <memory>
#include <string>

#include "info/information_dialog.h"
#include "info/win32/info_services.h"
#include "platform/win32/ui/button.h"
#include "platform/win32/ui/dialog_keyboard.h"
#include "platform/win32/ui/label.h"
#include "platform/win32/ui/modal_showing.h"
#include "platform/win32/ui/picture_box.h"
#include "platform/win32/ui/text_box.h"
#include "platform/win32/ui/tooltip.h"
#include "platform/win32/ui/window.h"

namespace info_win32 {

class FrmInfoWindow final : public win32_ui::Window {
 public:
  // Runs the load step. The services must outlive the window.
  explicit FrmInfoWindow(const InfoServices& services);
  ~FrmInfoWindow() override;

  // Puts the free text into Text1; "\r\n" separates lines.
  void setFreeText(const std::string& text);
  std::string freeText() const { return text1_.text(); }
  // Shows the window modally; returns when it is hidden or closed.
  void showModal();
  // True once the user closed the window through its frame (unload).
  bool closedThroughFrame() const { return closedThroughFrame_; }

 protected:
  LRESULT onMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void loadStep();
  void screenshotClicked();
  void promotionClicked();

  InfoServices services_;
  win32_ui::Label label2_;
  win32_ui::PushButton command1_;
  win32_ui::Label label3_;
  win32_ui::Label label4_;
  win32_ui::Label lbName_;
  win32_ui::Label lbVersion_;
  win32_ui::TextBox text1_;
  win32_ui::PushButton command2_;
  win32_ui::PictureBox image2_;
  win32_ui::HorizontalLine line2_;
  win32_ui::HorizontalLine line1_;
  win32_ui::PictureBox image1_;
  win32_ui::Tooltip tooltip_;
  win32_ui::DialogKeyboard keyboard_;
  win32_ui::ModalShowing modal_;
  bool closedThroughFrame_ = false;
};

class FrmInfo : public info::InformationDialog {
 public:
  // The services must outlive this object.
  explicit FrmInfo(const InfoServices& services);
  ~FrmInfo() override;
  FrmInfo(const FrmInfo&) = delete;
  FrmInfo& operator=(const FrmInfo&) = delete;

  // Loads the window if needed, sets its text, shows it modally and returns
  // once it is hidden or closed.
  void showModal(const std::string& freeText) override;

  // The loaded window, or null while it is not loaded.
  FrmInfoWindow* loadedWindow() const { return window_.get(); }

 private:
  InfoServices services_;
  std::unique_ptr<FrmInfoWindow> window_;
};

}  // namespace info_win32
