#pragma once
// A top-level window of the program's dialogs, laid out in twips for the DPI
// of the monitor it is on.
//
// The window owns its HWND and its fonts; its controls (control.h) are
// members of the derived dialog class, created in the dialog's constructor
// in tab order, and register themselves here. The window routes what
// Windows reports to the parent about a control (WM_COMMAND, WM_NOTIFY,
// WM_CTLCOLOR*) to that control's own handler, and on WM_DPICHANGED makes
// new fonts and lays every control out again for the new DPI. It moves the
// focus as the dialog manager (IsDialogMessage) asks, and gives it back to
// the control that had it when the window is activated again.
//
// The derived class sees the window's messages through onMessage once it
// has called startMessages() (at the end of its constructor, when its
// members exist) and until it calls stopMessages() (first thing in its
// destructor); before and after, the window handles them by default.

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/win32/ui/dialog_fonts.h"
#include "platform/win32/ui/twips.h"
#include "platform/win32/win32_handles.h"

namespace win32_ui {

class Control;

struct WindowFrame {
  std::string caption;   // UTF-8
  DWORD style = 0;       // WS_CAPTION, WS_SYSMENU, ... (WS_VISIBLE is ignored)
  DWORD exStyle = 0;     // WS_EX_TOOLWINDOW, WS_EX_APPWINDOW, ...
  int clientWidth = 0;   // twips
  int clientHeight = 0;  // twips
};

class Window {
 public:
  explicit Window(const WindowFrame& frame);
  virtual ~Window();
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;

  HWND handle() const { return window_.get(); }
  unsigned dpi() const { return fonts_->dpi(); }
  const DialogFonts& fonts() const { return *fonts_; }

  // Centres the window on the work area of the monitor it is on.
  void centreOnScreen();
  // The window's icons: an icon resource of the program (big and small
  // sizes for the window's DPI, chosen again when the DPI changes); 0 for
  // none. Loaded when the window first paints, so they do not hold up its
  // showing.
  void setIconResource(int resourceId);

  // For Control: registration, and the identifier the control gets.
  WORD adopt(Control& control);
  void release(Control& control);

 protected:
  void startMessages() { messagesOn_ = true; }
  void stopMessages() { messagesOn_ = false; }

  // Every message of the window, once startMessages() was called. Override
  // and hand what you do not handle to Window::onMessage, which routes
  // control notifications, follows DPI changes and calls DefWindowProc.
  virtual LRESULT onMessage(UINT message, WPARAM wParam, LPARAM lParam);

 private:
  static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT defaultMessage(UINT message, WPARAM wParam, LPARAM lParam);
  Control* controlOf(HWND child, WORD id) const;
  void applyDpi(unsigned dpi, const RECT* suggested);
  void applyIcons();
  void moveFocus(WPARAM wParam, LPARAM lParam);
  void focusControl(HWND control);

  WindowFrame frame_;
  platform_win32::UniqueWindow window_;
  std::unique_ptr<DialogFonts> fonts_;
  std::vector<Control*> controls_;
  WORD nextId_ = 100;  // above IDOK and IDCANCEL, which the dialog manager sends
  int iconResource_ = 0;
  UniqueIcon bigIcon_;
  UniqueIcon smallIcon_;
  bool messagesOn_ = false;
  HWND lastFocus_ = nullptr;
  bool painted_ = false;  // the controls have had beforeFirstPaint
};

}  // namespace win32_ui
