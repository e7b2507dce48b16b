#pragma once
// The search dialog's behaviour (frmSuche), free of any toolkit: the dialog
// on screen forwards its events to these handlers and shows what they set
// through SearchDialogView.
//
// All handlers run on the user-interface thread, one at a time; the search
// run yields to pending events, so handlers can run inside it (Escape and
// the cancel button then end the program in the middle of a run).
//
// Ending the program goes through common::ProgramEnd::endNow, which does not
// return; nothing here throws on its own.

#include "search/completion.h"
#include "search/id_trim.h"
#include "search/search_dialog_view.h"
#include "search/search_history.h"
#include "search/search_services.h"

namespace search {

inline constexpr int kKeyEscape = 27;
inline constexpr int kKeyReturn = 13;

class SearchDialogLogic {
 public:
  SearchDialogLogic(SearchDialogView& view, SearchServices services);

  // The load step, once before the dialog is first shown: fills the term
  // box's list from the stored history.
  void Form_Load();
  // Every key press in the dialog, seen before the focused control: Escape
  // (27) ends the program; other keys do nothing.
  void Form_KeyDown(int keyCode);
  // A character typed into the term box: Enter (13) starts the search run as
  // a click on the search button does. The key itself goes on unchanged.
  void cbxSuchbegriffe_KeyPress(int keyAscii);
  // Every key release in the term box: completion from the history.
  void cbxSuchbegriffe_KeyUp();
  // The search run (search/search_run.h). A click while a run is yielding is
  // ignored: the run under way finishes first.
  void cmdSuche_Click();
  // The cancel button: ends the program.
  void cmdAbbruch_Click();
  // Shows the vendor's address in the information dialog, modally; returns
  // when that dialog is hidden or closed.
  void cmdInfo_Click();
  // The window closed through its frame: the program ends as through ende.
  void Form_Unload();
  // Releases ActView, ActViews and ActApp, in this order, and ends the program.
  [[noreturn]] void ende();

  bool isSearchRunning() const { return searchRunning_; }

 private:
  SearchDialogView& view_;
  SearchServices services_;
  TermCompletion completion_;
  bool searchRunning_ = false;
};

// The text the information button shows: company, street, town, "Email: "
// and "Internet: " lines, joined by "\r\n".
std::string vendorAddressText();

}  // namespace search
