#pragma once
// A tooltip for controls of one window: hovering a registered control shows
// its text. The tooltip window belongs to the dialog's window and goes with
// it.

#include <string>

#include "platform/win32/ui/control.h"

namespace win32_ui {

class Tooltip {
 public:
  explicit Tooltip(Window& window);
  Tooltip(const Tooltip&) = delete;
  Tooltip& operator=(const Tooltip&) = delete;

  void add(const Control& control, const std::string& text);

 private:
  Window& window_;
  HWND tooltip_ = nullptr;
};

}  // namespace win32_ui
