#pragma once
// The events the search dialog on screen forwards, one member per event
// handler, whatever the toolkit. In the program a SearchDialogLogic handles
// them (makeLogicEvents); dialog tests record them instead.

#include <memory>

#include "search/search_dialog_view.h"
#include "search/search_services.h"

namespace search {

class SearchDialogEvents {
 public:
  virtual ~SearchDialogEvents() = default;
  virtual void Form_Load() = 0;
  // A key pressed anywhere in the dialog, with its Windows key code (27 is
  // Escape), before the focused control sees it.
  virtual void Form_KeyDown(int keyCode) = 0;
  // A character key pressed in the term box, with its character code (13 is
  // Enter), before the box handles it.
  virtual void cbxSuchbegriffe_KeyPress(int keyAscii) = 0;
  // A key released in the term box, after the box has handled it.
  virtual void cbxSuchbegriffe_KeyUp() = 0;
  virtual void cmdSuche_Click() = 0;
  virtual void cmdAbbruch_Click() = 0;
  virtual void cmdInfo_Click() = 0;
  // The window is being closed through its frame.
  virtual void Form_Unload() = 0;
};

// The dialog's logic (SearchDialogLogic) over `services`, which must outlive
// it, showing its results through `view`.
std::unique_ptr<SearchDialogEvents> makeLogicEvents(SearchDialogView& view,
                                                    SearchServices services);

}  // namespace search
