#pragma once
// The desktop's top-level windows on Windows: EnumWindows in its order (top
// of the Z order first), IsWindowVisible, IsWindow, GetClassNameW,
// GetWindowTextLengthW and GetWindowTextW, the texts converted to UTF-8.
// Handles are the windows' HWND values as 32 bits (win32_handles.h). The title
// length is counted in UTF-16 units, which is the character count for every
// character outside the rare supplementary planes.

#include "common/window_list.h"

namespace platform_win32 {

class Win32WindowList : public common::WindowList {
 public:
  void enumerate(const std::function<bool(common::WindowHandle)>& visit) override;
  bool isVisible(common::WindowHandle window) override;
  bool isWindow(common::WindowHandle window) override;
  std::string className(common::WindowHandle window) override;
  std::int32_t titleLength(common::WindowHandle window) override;
  std::string title(common::WindowHandle window) override;
};

}  // namespace platform_win32
