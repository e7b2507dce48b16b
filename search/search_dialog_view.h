#pragma once
// What the search dialog's logic needs of the dialog on screen (frmSuche).
// The Qt dialog implements it; tests use a fake. Texts are UTF-8, positions
// and lengths count characters (code points), not bytes.

#include <string>

namespace search {

enum class MousePointer { kDefault, kHourglass };

class SearchDialogView {
 public:
  virtual ~SearchDialogView() = default;

  // cbxSuchbegriffe: the edit text, its selection, and its drop-down list.
  virtual std::string comboText() const = 0;
  virtual void setComboText(const std::string& text) = 0;
  virtual int selectionStart() const = 0;
  virtual void setSelection(int start, int length) = 0;
  virtual int listCount() const = 0;
  virtual std::string listItem(int index) const = 0;
  virtual void addListItem(const std::string& text) = 0;
  virtual void setListItem(int index, const std::string& text) = 0;
  virtual void focusCombo() = 0;

  // The first panel of the status bar (StatusPanel).
  virtual void setStatusText(const std::string& text) = 0;
  // Progressbar, range 0 to 100, fractional positions shown as they are.
  virtual void setProgress(float position) = 0;
  virtual void setMousePointer(MousePointer pointer) = 0;
};

}  // namespace search
