#pragma once
// The information dialog (frmInfo) as its callers use it: put a free text
// into its text box and show it modally. The dialog is created on first use
// and shared; OK hides it (keeping its state), closing it through its frame
// unloads it, so the next use loads it again.

#include <string>

namespace info {

class InformationDialog {
 public:
  virtual ~InformationDialog() = default;
  // Sets the text box Text1 to `freeText` (lines separated by "\r\n") and
  // shows the dialog modally; returns when it is hidden or closed.
  virtual void showModal(const std::string& freeText) = 0;
};

}  // namespace info
