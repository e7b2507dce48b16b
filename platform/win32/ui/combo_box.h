#pragma once
// An editable combo box with a drop-down list (CBS_DROPDOWN): a text field
// and a list of up to ten visible entries below it. The placement's height
// is the height of the closed box; the list opens below it.
//
// Texts are UTF-8; positions and lengths in the text field count characters
// (code points), as the dialogs' logic does, not UTF-16 units. Changing the
// list never changes the text field (Windows would put a list entry there
// when the entry that matches it changes).

#include <string>

#include "platform/win32/ui/control.h"

namespace win32_ui {

struct ComboBoxArgs {
  Window& window;
  Placement placement;
};

class ComboBox : public Control {
 public:
  explicit ComboBox(const ComboBoxArgs& args);
  void layout() override;

  // The edit control inside the box, where keys arrive while it has the focus.
  HWND editHandle() const { return edit_; }

  std::string text() const;
  void setText(const std::string& text);
  // The start of the selection, or the caret position when nothing is selected.
  int selectionStart() const;
  // Selects `length` characters from `start` (clamped to the text); a length
  // of 0 or less puts the caret at `start`.
  void setSelection(int start, int length);

  int count() const;
  std::string item(int index) const;
  void addItem(const std::string& text);
  void setItem(int index, const std::string& text);

 private:
  void fitHeight();
  std::wstring wideText() const;

  HWND edit_ = nullptr;
};

}  // namespace win32_ui
