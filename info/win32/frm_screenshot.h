#pragma once
// frmScreenshot on Windows: a picture of the full edition's main window with
// a button that opens the download of the full edition's trial version; a
// fixed frame with a close box, no icon.
//
// Create it for one showing and showModal() it: the download button (click
// or Alt+D) hands the trial download address to the shell
// (CShellExecute::LaunchURL with this window's handle and show state 3,
// maximized; a failure is not reported) and then closes the dialog, which
// ends showModal(). The close box closes it without a download; Escape does
// nothing.

#include "info/win32/info_services.h"
#include "platform/win32/ui/button.h"
#include "platform/win32/ui/dialog_keyboard.h"
#include "platform/win32/ui/modal_showing.h"
#include "platform/win32/ui/picture_box.h"
#include "platform/win32/ui/window.h"

namespace info_win32 {

class FrmScreenshot final : public win32_ui::Window {
 public:
  // The services must outlive the dialog.
  explicit FrmScreenshot(const InfoServices& services);
  ~FrmScreenshot() override;

  void showModal();

 protected:
  LRESULT onMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void downloadClicked();

  InfoServices services_;
  win32_ui::PushButton command2_;
  win32_ui::PictureBox image1_;
  win32_ui::DialogKeyboard keyboard_;
  win32_ui::ModalShowing modal_;
};

}  // namespace info_win32
