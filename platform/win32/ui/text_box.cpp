#include "platform/win32/ui/text_box.h"

#include <commctrl.h>

#include "platform/win32/ui/window.h"
#include "platform/win32/wide_text.h"

namespace win32_ui {

TextBox::TextBox(const TextBoxArgs& args)
    : Control(args.window,
              {WC_EDITW, ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL, WS_EX_CLIENTEDGE}, "",
              args.placement),
      backgroundColour_(args.backgroundColour) {}

void TextBox::setText(const std::string& text) {
  SetWindowTextW(handle(), platform_win32::wideFromUtf8(text).c_str());
}

std::string TextBox::text() const {
  const int length = GetWindowTextLengthW(handle());
  std::wstring wide(static_cast<std::size_t>(length) + 1, L'\0');
  const int got = GetWindowTextW(handle(), wide.data(), length + 1);
  wide.resize(static_cast<std::size_t>(got > 0 ? got : 0));
  return platform_win32::utf8FromWide(wide);
}

// A read-only edit control asks its parent for colours as a static would.
HBRUSH TextBox::onColour(HDC dc) {
  SetBkColor(dc, GetSysColor(backgroundColour_));
  SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
  return GetSysColorBrush(backgroundColour_);
}

}  // namespace win32_ui
