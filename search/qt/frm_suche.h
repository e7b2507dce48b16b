#pragma once
// frmSuche, the search dialog on screen: the term box with its history, the
// buttons to search, to cancel and to show the information dialog, a status
// bar and a progress bar. A thin window: every event goes to the dialog's
// logic (SearchDialogEvents), which shows its results through the
// search::SearchDialogView members below.
//
// Keys: the dialog previews every key pressed in it, whichever of its
// controls has the focus (also the term box's open list), and reports it as
// Form_KeyDown with its Windows key code (Escape 27, Enter 13, Backspace 8,
// Tab 9, letters 65-90, digits 48-57; keys without a code are not reported).
// In the term box a character key is reported as cbxSuchbegriffe_KeyPress
// with its Windows-1252 code (Enter 13; a character outside the code page
// as "?", 63) and then goes on to the box unchanged; every key release there
// (auto-repeat aside) is reported as cbxSuchbegriffe_KeyUp after the box has
// taken the key. There is no default and no cancel button: Enter on a button
// does nothing. Access keys: Alt+B (term box), Alt+S (search), Alt+A (cancel).
//
// Closing the window through its frame reports Form_Unload and closes it.
// Positions and lengths in the term box count characters (code points).
//
// Needs a QApplication; use on the user-interface thread.

#include <QElapsedTimer>
#include <QString>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>

#include "search/search_dialog_events.h"
#include "search/search_dialog_view.h"
#include "search/search_services.h"

class QComboBox;
class QLabel;
class QProgressBar;

namespace search_qt {

using SearchDialogEvents = search::SearchDialogEvents;

class FrmSuche : public QWidget, public search::SearchDialogView {
  Q_OBJECT
  // The exact position last set through setProgress (the bar itself shows
  // hundredths).
  Q_PROPERTY(float progressPosition READ progressPosition)

 public:
  using EventsFactory =
      std::function<std::unique_ptr<SearchDialogEvents>(search::SearchDialogView& view)>;

  // The program's dialog: its events go to a search::SearchDialogLogic over
  // `services` (which must outlive the dialog). Runs the load step.
  explicit FrmSuche(search::SearchServices services);
  // Events go to what `makeEvents` returns for this dialog. Runs the load step.
  explicit FrmSuche(const EventsFactory& makeEvents);
  ~FrmSuche() override;

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

  float progressPosition() const { return progressPosition_; }

  // A search sets the status text and the progress position once per row;
  // painting them thousands of times a second would cost more than the
  // search. So a running count ("Es wurden 5 ..." after "Es wurden 4 ...")
  // and the bar between its ends are shown at most this often, the last
  // values always within this time; a new message and the bar at 0 or 100
  // are shown at once.
  static constexpr int kDisplayIntervalMs = 16;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void buildControls();
  bool belongsToDialog(const QWidget* widget) const;
  bool isTermBox(const QWidget* widget) const;
  // Shows the status text and progress position now, or schedules that for
  // the end of the current display interval.
  void refreshDisplay();
  void showStatusAndProgress();

  QComboBox* combo_ = nullptr;
  QLabel* statusPanel_ = nullptr;
  QProgressBar* progressBar_ = nullptr;
  float progressPosition_ = 0.0f;
  QString statusText_;
  QElapsedTimer lastDisplay_;
  QTimer displayTimer_;
  bool hourglass_ = false;
  std::unique_ptr<SearchDialogEvents> events_;
};

}  // namespace search_qt
