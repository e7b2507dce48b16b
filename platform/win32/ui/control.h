#pragma once
// A child control of a Window: a standard Windows control placed in twips
// and given one of the dialog fonts, laid out again whenever the window's
// DPI changes. Controls are created in their constructor, in tab order (the
// dialog manager's Tab key and the order of overlapping controls follow
// creation), and register with their window, which hands them the
// notifications meant for them. The window destroys the child windows; a
// Control only forgets its own.
//
// Concrete controls (button.h, label.h, ...) take a plain struct of
// arguments and turn the notifications into callbacks.

#include <windows.h>

#include <string>

#include "platform/win32/ui/dialog_fonts.h"
#include "platform/win32/ui/twips.h"

namespace win32_ui {

class Window;

// Where a control sits: its rectangle, relative to the window's client area
// or, for a control inside a container such as a group frame, relative to
// the container's top left corner (`origin`, itself relative to the window).
struct Placement {
  TwipsRect rect;
  TwipsRect origin{};  // only left and top count
  FontKind font = FontKind::kDialog;
};

class Control {
 public:
  virtual ~Control();
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  HWND handle() const { return handle_; }
  WORD id() const { return id_; }
  Window& window() const { return window_; }

  // The control's rectangle in pixels at the window's DPI.
  PixelRect pixelRect() const;

  // Places the control for the window's current DPI and sets its font.
  virtual void layout();
  // Once, when its window is first painted: what only drawing needs
  // (decoding a picture), left out of the window's start.
  virtual void beforeFirstPaint() {}

  // A WM_COMMAND notification from the control; true when handled.
  virtual bool onCommand(WORD code);
  // A WM_NOTIFY notification; true when handled, with the result to return.
  virtual bool onNotify(const NMHDR& header, LRESULT& result);
  // WM_CTLCOLOR*: the brush to paint the control's background with, after
  // setting colours on `dc`; null for the default.
  virtual HBRUSH onColour(HDC dc);

 protected:
  struct Kind {
    const wchar_t* windowClass;
    DWORD style;  // WS_CHILD and WS_VISIBLE are added
    DWORD exStyle = 0;
  };
  Control(Window& window, const Kind& kind, const std::string& text, const Placement& placement);

  HFONT font() const;
  FontKind fontKind() const { return placement_.font; }

 private:
  Window& window_;
  Placement placement_;
  HWND handle_ = nullptr;
  WORD id_ = 0;
};

}  // namespace win32_ui
