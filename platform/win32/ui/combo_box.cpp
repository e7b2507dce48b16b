#include "platform/win32/ui/combo_box.h"

#include <commctrl.h>

#include <algorithm>

#include "common/utf8.h"
#include "platform/win32/ui/window.h"
#include "platform/win32/wide_text.h"

namespace win32_ui {
namespace {

constexpr int kVisibleItems = 10;

// UTF-16 units before character `characters` of `text` (clamped).
int unitsBefore(const std::wstring& text, int characters) {
  int units = 0;
  for (int seen = 0; seen < characters && units < static_cast<int>(text.size()); ++seen) {
    const wchar_t unit = text[static_cast<std::size_t>(units)];
    const bool pair = unit >= 0xD800 && unit <= 0xDBFF &&
                      units + 1 < static_cast<int>(text.size()) &&
                      text[static_cast<std::size_t>(units) + 1] >= 0xDC00 &&
                      text[static_cast<std::size_t>(units) + 1] <= 0xDFFF;
    units += pair ? 2 : 1;
  }
  return units;
}

// Characters in the first `units` UTF-16 units of `text`.
int charactersBefore(const std::wstring& text, int units) {
  const int end = std::clamp(units, 0, static_cast<int>(text.size()));
  return static_cast<int>(common::utf8Length(platform_win32::utf8FromWide(
      std::wstring_view(text).substr(0, static_cast<std::size_t>(end)))));
}

// Keeps the text field and its selection as they were across a change of
// the list.
class KeepTextField {
 public:
  explicit KeepTextField(HWND combo) : combo_(combo) {
    const int length = GetWindowTextLengthW(combo_);
    text_.assign(static_cast<std::size_t>(length) + 1, L'\0');
    GetWindowTextW(combo_, text_.data(), length + 1);
    text_.resize(static_cast<std::size_t>(length));
    SendMessageW(combo_, CB_GETEDITSEL, reinterpret_cast<WPARAM>(&start_),
                 reinterpret_cast<LPARAM>(&end_));
  }
  ~KeepTextField() {
    SetWindowTextW(combo_, text_.c_str());
    SendMessageW(combo_, CB_SETEDITSEL, 0, MAKELPARAM(start_, end_));
  }
  KeepTextField(const KeepTextField&) = delete;
  KeepTextField& operator=(const KeepTextField&) = delete;

 private:
  HWND combo_;
  std::wstring text_;
  DWORD start_ = 0;
  DWORD end_ = 0;
};

}  // namespace

ComboBox::ComboBox(const ComboBoxArgs& args)
    : Control(args.window, {WC_COMBOBOXW, CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL | WS_TABSTOP},
              "", args.placement) {
  COMBOBOXINFO info{};
  info.cbSize = sizeof(info);
  if (GetComboBoxInfo(handle(), &info)) edit_ = info.hwndItem;
  SendMessageW(handle(), CB_SETMINVISIBLE, kVisibleItems, 0);
  fitHeight();
}

void ComboBox::layout() {
  Control::layout();
  fitHeight();
}

// Windows sizes the closed box by its font; the item height of the text
// field (index -1) is set so that the box has the placement's height. What
// that item height reads back differs between Windows and Wine, so the
// value set last is corrected by what the box then measures.
void ComboBox::fitHeight() {
  const PixelRect wanted = pixelRect();
  auto field =
      static_cast<int>(SendMessageW(handle(), CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0));
  for (int attempt = 0; attempt < 4; ++attempt) {
    RECT closed{};
    GetWindowRect(handle(), &closed);
    const int difference = wanted.height - static_cast<int>(closed.bottom - closed.top);
    if (difference == 0 || field + difference < 1) break;
    field += difference;
    SendMessageW(handle(), CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), field);
  }
  // The window's height includes the opened list.
  const auto item = static_cast<int>(SendMessageW(handle(), CB_GETITEMHEIGHT, 0, 0));
  SetWindowPos(handle(), nullptr, 0, 0, wanted.width, wanted.height + kVisibleItems * item + 2,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

std::wstring ComboBox::wideText() const {
  const int length = GetWindowTextLengthW(handle());
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  const int got = GetWindowTextW(handle(), text.data(), length + 1);
  text.resize(static_cast<std::size_t>(std::max(got, 0)));
  return text;
}

std::string ComboBox::text() const {
  return platform_win32::utf8FromWide(wideText());
}

void ComboBox::setText(const std::string& text) {
  SetWindowTextW(handle(), platform_win32::wideFromUtf8(text).c_str());
}

int ComboBox::selectionStart() const {
  DWORD start = 0;
  DWORD end = 0;
  SendMessageW(handle(), CB_GETEDITSEL, reinterpret_cast<WPARAM>(&start),
               reinterpret_cast<LPARAM>(&end));
  return charactersBefore(wideText(), static_cast<int>(start));
}

void ComboBox::setSelection(int start, int length) {
  const std::wstring text = wideText();
  const int from = unitsBefore(text, std::max(start, 0));
  const int to = length > 0 ? unitsBefore(text, std::max(start, 0) + length) : from;
  SendMessageW(handle(), CB_SETEDITSEL, 0, MAKELPARAM(from, to));
}

int ComboBox::count() const {
  return static_cast<int>(SendMessageW(handle(), CB_GETCOUNT, 0, 0));
}

std::string ComboBox::item(int index) const {
  const LRESULT length = SendMessageW(handle(), CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
  if (length == CB_ERR) return {};
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  const LRESULT got = SendMessageW(handle(), CB_GETLBTEXT, static_cast<WPARAM>(index),
                                   reinterpret_cast<LPARAM>(text.data()));
  text.resize(got == CB_ERR ? 0 : static_cast<std::size_t>(got));
  return platform_win32::utf8FromWide(text);
}

void ComboBox::addItem(const std::string& text) {
  KeepTextField keep(handle());
  const std::wstring wide = platform_win32::wideFromUtf8(text);
  SendMessageW(handle(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide.c_str()));
}

void ComboBox::setItem(int index, const std::string& text) {
  if (index < 0 || index >= count()) return;
  KeepTextField keep(handle());
  const std::wstring wide = platform_win32::wideFromUtf8(text);
  SendMessageW(handle(), CB_DELETESTRING, static_cast<WPARAM>(index), 0);
  SendMessageW(handle(), CB_INSERTSTRING, static_cast<WPARAM>(index),
               reinterpret_cast<LPARAM>(wide.c_str()));
}

}  // namespace win32_ui
