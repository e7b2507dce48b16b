#include "platform/win32/ui/control.h"

#include "platform/win32/ui/window.h"
#include "platform/win32/wide_text.h"

namespace win32_ui {

Control::Control(Window& window, const Kind& kind, const std::string& text,
                 const Placement& placement)
    : window_(window), placement_(placement) {
  id_ = window_.adopt(*this);
  const PixelRect at = pixelRect();
  const std::wstring wide = platform_win32::wideFromUtf8(text);
  handle_ = CreateWindowExW(kind.exStyle, kind.windowClass, wide.c_str(),
                            kind.style | WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, at.left, at.top,
                            at.width, at.height, window_.handle(),
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id_)),
                            GetModuleHandleW(nullptr), nullptr);
  SendMessageW(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(font()), FALSE);
}

Control::~Control() {
  window_.release(*this);
}

PixelRect Control::pixelRect() const {
  const unsigned dpi = window_.dpi();
  PixelRect at = toPixels(placement_.rect, dpi);
  at.left += twipsToPixels(placement_.origin.left, dpi);
  at.top += twipsToPixels(placement_.origin.top, dpi);
  return at;
}

HFONT Control::font() const {
  return window_.fonts().get(placement_.font);
}

void Control::layout() {
  const PixelRect at = pixelRect();
  SetWindowPos(handle_, nullptr, at.left, at.top, at.width, at.height,
               SWP_NOZORDER | SWP_NOACTIVATE);
  SendMessageW(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(font()), TRUE);
}

bool Control::onCommand(WORD) {
  return false;
}

bool Control::onNotify(const NMHDR&, LRESULT&) {
  return false;
}

HBRUSH Control::onColour(HDC) {
  return nullptr;
}

}  // namespace win32_ui
