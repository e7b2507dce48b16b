#pragma once
// frmSuche on Windows: the search dialog as a native window with the common
// controls: the term box with its history, the buttons to search, to cancel
// and to show the information dialog, a status bar and a progress bar. A
// thin window: every event goes to the dialog's logic
// (search::SearchDialogEvents), which shows its results through the
// search::SearchDialogView members below.
//
// Keys, seen in the message loop before any control (the dialog's key
// preview; the same in the main loop, in modal loops and in the search
// run's yields):
//   - every key pressed while the dialog is active is reported as
//     Form_KeyDown with its Windows key code (Escape 27 ends the program
//     through the logic);
//   - a character typed into the term box is reported as
//     cbxSuchbegriffe_KeyPress with its Windows-1252 code (Enter 13; a
//     character outside the code page as 63, "?"), then goes on to the box;
//     Ctrl+Enter types a line feed (10) and Alt+Enter no character, so only
//     a plain Enter searches;
//   - every key release in the term box is reported as cbxSuchbegriffe_KeyUp
//     after the box has taken it;
//   - Tab, Shift+Tab and the access keys Alt+B (term box), Alt+S (search) and
//     Alt+A (cancel) work through the dialog manager. No button is a default
//     button: Enter on a button does nothing.
//
// Closing the window through its frame reports Form_Unload (the logic ends
// the program) and hides the window.
//
// The status text and the progress position are shown at most every
// kDisplayIntervalMs while a count runs; a new message and the bar at its
// ends show at once (as in the Qt dialog, for the same reason: painting
// every row would cost more than the search).

#include <functional>
#include <memory>
#include <string>

#include "platform/win32/message_loop.h"
#include "platform/win32/ui/bars.h"
#include "platform/win32/ui/button.h"
#include "platform/win32/ui/combo_box.h"
#include "platform/win32/ui/label.h"
#include "platform/win32/ui/picture_box.h"
#include "platform/win32/ui/window.h"
#include "search/search_dialog_events.h"
#include "search/search_dialog_view.h"

namespace search_win32 {

class FrmSuche final : public win32_ui::Window,
                       public search::SearchDialogView,
                       private platform_win32::MessageFilter {
 public:
  using EventsFactory =
      std::function<std::unique_ptr<search::SearchDialogEvents>(search::SearchDialogView& view)>;

  // Events go to what `makeEvents` returns for this dialog; runs the load
  // step. The loop must outlive the dialog.
  FrmSuche(platform_win32::MessageLoop& loop, const EventsFactory& makeEvents);
  ~FrmSuche() override;

  // Shows the dialog modeless, centred on the screen, the term box focused.
  void show();

  std::string comboText() const override;
  void setComboText(const std::string& text) override;
  int selectionStart() const override;
  void setSelection(int start, int length) override;
  int listCount() const override;
  std::string listItem(int index) const override;
  void addListItem(const std::string& text) override;
  void setListItem(int index, const std::string& text) override;
  void focusCombo() override;
  void setStatusText(const std::string& text) override;
  void setProgress(float position) override;
  void setMousePointer(search::MousePointer pointer) override;

  static constexpr unsigned kDisplayIntervalMs = 16;

 protected:
  LRESULT onMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  bool filterMessage(MSG& message) override;
  bool belongsToDialog(HWND window) const;
  void refreshDisplay();
  void showStatusAndProgress();
  void showPointer();

  win32_ui::Label label1_;
  win32_ui::ComboBox combo_;
  win32_ui::PushButton cmdSuche_;
  win32_ui::PushButton cmdAbbruch_;
  win32_ui::PictureButton cmdInfo_;
  win32_ui::ProgressBar progressBar_;
  win32_ui::StatusBar statusBar_;
  win32_ui::GroupFrame frame1_;
  win32_ui::PictureBox image2_;

  std::string statusText_;
  std::string shownStatusText_;
  float progressPosition_ = 0.0f;
  unsigned long long lastDisplay_ = 0;  // steady-clock milliseconds of the last showing
  bool displayPending_ = false;
  bool hourglass_ = false;
  std::unique_ptr<search::SearchDialogEvents> events_;
  platform_win32::MessageFilterRegistration filterRegistration_;
};

}  // namespace search_win32
