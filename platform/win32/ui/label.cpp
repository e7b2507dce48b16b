#include "platform/win32/ui/label.h"

#include <commctrl.h>

#include <algorithm>

#include "platform/win32/ui/window.h"
#include "platform/win32/wide_text.h"

namespace win32_ui {

Label::Label(const LabelArgs& args)
    : Control(args.window,
              {WC_STATICW, static_cast<DWORD>(SS_LEFTNOWORDWRAP) |
                               (args.hasAccessKey ? 0u : static_cast<DWORD>(SS_NOPREFIX))},
              args.text, args.placement),
      sizesItself_(args.sizesItself) {
  fitToText();
}

void Label::layout() {
  Control::layout();
  fitToText();
}

void Label::setText(const std::string& text) {
  SetWindowTextW(handle(), platform_win32::wideFromUtf8(text).c_str());
  fitToText();
}

void Label::fitToText() {
  const int length = GetWindowTextLengthW(handle());
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  GetWindowTextW(handle(), text.data(), length + 1);
  text.resize(static_cast<std::size_t>(length));

  HDC dc = GetDC(handle());
  if (dc == nullptr) return;
  RECT extent{0, 0, 0, 0};
  {
    SelectedObject selected(dc, font());
    const UINT prefix = (GetWindowLongW(handle(), GWL_STYLE) & SS_NOPREFIX) ? DT_NOPREFIX : 0;
    // Measured as the label draws it; an empty text still takes the height
    // of a line.
    DrawTextW(dc, text.empty() ? L" " : text.c_str(), -1, &extent,
              DT_CALCRECT | DT_LEFT | DT_EXPANDTABS | prefix);
  }
  ReleaseDC(handle(), dc);
  // One pixel more than the text's advance: the last glyph's antialiased
  // edge may reach past it, and a label exactly as wide loses that glyph.
  const int width = text.empty() ? 0 : static_cast<int>(extent.right) + 1;
  const PixelRect given = pixelRect();
  SetWindowPos(handle(), nullptr, 0, 0, sizesItself_ ? width : std::max(width, given.width),
               sizesItself_ ? static_cast<int>(extent.bottom) : given.height,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  InvalidateRect(handle(), nullptr, TRUE);
}

HorizontalLine::HorizontalLine(const HorizontalLineArgs& args)
    : Control(args.window, {WC_STATICW, SS_BLACKRECT}, "",
              {.rect = {args.x1, args.y, args.x2 - args.x1, 15}}) {
  fitThickness();
}

void HorizontalLine::layout() {
  Control::layout();
  fitThickness();
}

void HorizontalLine::fitThickness() {
  const PixelRect at = pixelRect();
  const int thickness = std::max(1, scaleFrom96(1, window().dpi()));
  SetWindowPos(handle(), nullptr, at.left, at.top, at.width, thickness,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace win32_ui
