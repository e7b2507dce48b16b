#pragma once
// The dialog manager's keyboard for one window: Tab and Shift+Tab move the
// focus in tab order, arrow keys among buttons, access keys ("&" in
// captions) press their button or focus the control after their label;
// Space and Enter press the focused button. Escape does nothing (the
// dialogs have no default and no cancel button). Registered with the
// message loop for as long as it lives.

#include "platform/win32/message_loop.h"
#include "platform/win32/ui/window.h"

namespace win32_ui {

// Whether the message is a press or release of `virtualKey`, or the
// character it types.
inline bool isKey(const MSG& message, WPARAM virtualKey) {
  switch (message.message) {
    case WM_KEYDOWN:
    case WM_KEYUP:
      return message.wParam == virtualKey;
    case WM_CHAR:
      return virtualKey == VK_RETURN && message.wParam == '\r';
    default:
      return false;
  }
}

inline bool isPushButton(HWND window) {
  const auto code = SendMessageW(window, WM_GETDLGCODE, 0, 0);
  return (code & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) != 0;
}

class DialogKeyboard : private platform_win32::MessageFilter {
 public:
  DialogKeyboard(Window& window, platform_win32::MessageLoop& loop)
      : window_(window), registration_(loop, *this) {}

 private:
  bool filterMessage(MSG& message) override {
    const HWND dialog = window_.handle();
    if (message.hwnd != dialog && !IsChild(dialog, message.hwnd)) return false;
    // Enter presses the focused button: the dialog manager would leave that
    // to a dialog's default button, which these windows do not have.
    if (isKey(message, VK_RETURN) && isPushButton(message.hwnd)) {
      if (message.message == WM_KEYDOWN) SendMessageW(message.hwnd, BM_CLICK, 0, 0);
      return true;
    }
    // A typed blank is the focused control's own (a button's press comes
    // with the key); the dialog manager would look for it as an access key.
    if (message.message == WM_CHAR && message.wParam == ' ') return false;
    return IsDialogMessageW(dialog, &message) != 0;
  }

  Window& window_;
  platform_win32::MessageFilterRegistration registration_;
};

}  // namespace win32_ui
