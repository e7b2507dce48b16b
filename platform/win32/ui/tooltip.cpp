#include "platform/win32/ui/tooltip.h"

#include <commctrl.h>

#include "platform/win32/ui/window.h"
#include "platform/win32/wide_text.h"

namespace win32_ui {

Tooltip::Tooltip(Window& window) : window_(window) {
  // Owned by the dialog's window, which destroys it with itself.
  tooltip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                             WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT,
                             CW_USEDEFAULT, CW_USEDEFAULT, window_.handle(), nullptr,
                             GetModuleHandleW(nullptr), nullptr);
}

void Tooltip::add(const Control& control, const std::string& text) {
  std::wstring wide = platform_win32::wideFromUtf8(text);
  TOOLINFOW tool{};
  tool.cbSize = sizeof(tool);
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = window_.handle();
  tool.uId = reinterpret_cast<UINT_PTR>(control.handle());
  tool.lpszText = wide.data();
  SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  // Long texts wrap instead of running off the screen.
  SendMessageW(tooltip_, TTM_SETMAXTIPWIDTH, 0, scaleFrom96(400, window_.dpi()));
}

}  // namespace win32_ui
