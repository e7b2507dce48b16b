#pragma once
// A multi-line, read-only text box that takes no focus, on a background of
// the given system colour (for example COLOR_MENU). Lines are separated by
// "\r\n"; long lines wrap at the box's edge.

#include <string>

#include "platform/win32/ui/control.h"

namespace win32_ui {

struct TextBoxArgs {
  Window& window;
  Placement placement;
  int backgroundColour = COLOR_WINDOW;  // a COLOR_* index
};

class TextBox : public Control {
 public:
  explicit TextBox(const TextBoxArgs& args);
  void setText(const std::string& text);
  std::string text() const;
  HBRUSH onColour(HDC dc) override;

 private:
  int backgroundColour_;
};

}  // namespace win32_ui
