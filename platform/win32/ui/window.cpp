#include "platform/win32/ui/window.h"

#include <algorithm>

#include "platform/win32/ui/control.h"
#include "platform/win32/ui/dpi.h"
#include "platform/win32/ui/icons.h"
#include "platform/win32/wide_text.h"

namespace win32_ui {
namespace {

constexpr const wchar_t* kWindowClass = L"SpurlixLightDialog";

void registerWindowClass(WNDPROC procedure) {
  static const bool registered = [procedure] {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.style = CS_DBLCLKS;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    // The system colour of dialogs, as a brush Windows knows (colour + 1).
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
    windowClass.lpszClassName = kWindowClass;
    return RegisterClassExW(&windowClass) != 0;
  }();
  (void)registered;
}

}  // namespace

Window::Window(const WindowFrame& frame) : frame_(frame) {
  registerWindowClass(&Window::windowProc);
  frame_.style &= ~static_cast<DWORD>(WS_VISIBLE);
  const std::wstring caption = platform_win32::wideFromUtf8(frame_.caption);
  // Made hidden and without size: its size depends on the DPI of the monitor
  // it lands on, known only once it exists.
  window_.reset(CreateWindowExW(frame_.exStyle, kWindowClass, caption.c_str(), frame_.style,
                                CW_USEDEFAULT, CW_USEDEFAULT, 0, 0, nullptr, nullptr,
                                GetModuleHandleW(nullptr), this));
  fonts_ = std::make_unique<DialogFonts>(dpiOfWindow(handle()));
  applyDpi(dpi(), nullptr);
}

Window::~Window() {
  messagesOn_ = false;
  if (window_) SetWindowLongPtrW(window_.get(), GWLP_USERDATA, 0);
}

LRESULT CALLBACK Window::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* self = reinterpret_cast<Window*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (self == nullptr || !self->window_) return DefWindowProcW(window, message, wParam, lParam);
  return self->messagesOn_ ? self->onMessage(message, wParam, lParam)
                           : self->defaultMessage(message, wParam, lParam);
}

LRESULT Window::onMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  return defaultMessage(message, wParam, lParam);
}

LRESULT Window::defaultMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      if (Control* control = controlOf(reinterpret_cast<HWND>(lParam), LOWORD(wParam))) {
        if (control->onCommand(HIWORD(wParam))) return 0;
      }
      break;
    case WM_NOTIFY: {
      const auto& header = *reinterpret_cast<const NMHDR*>(lParam);
      if (Control* control = controlOf(header.hwndFrom, static_cast<WORD>(header.idFrom))) {
        LRESULT result = 0;
        if (control->onNotify(header, result)) return result;
      }
      break;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN: {
      const HWND child = reinterpret_cast<HWND>(lParam);
      const HDC dc = reinterpret_cast<HDC>(wParam);
      if (Control* control = controlOf(child, static_cast<WORD>(GetDlgCtrlID(child)))) {
        if (HBRUSH brush = control->onColour(dc)) return reinterpret_cast<LRESULT>(brush);
      }
      // Labels, frames and buttons on the dialog's ground, as in dialogs.
      if (message != WM_CTLCOLOREDIT) {
        SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
        SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
      }
      break;
    }
    case WM_DPICHANGED:
      applyDpi(LOWORD(wParam), reinterpret_cast<const RECT*>(lParam));
      return 0;
    case WM_PAINT:
      if (!painted_) {
        painted_ = true;
        for (Control* control : controls_) control->beforeFirstPaint();
        applyIcons();
      }
      break;
    case WM_NEXTDLGCTL:
      moveFocus(wParam, lParam);
      return 0;
    case WM_ACTIVATE:
      // The focus leaves with the activation and comes back to the control
      // that had it.
      if (LOWORD(wParam) == WA_INACTIVE) {
        const HWND focus = GetFocus();
        if (focus != nullptr && IsChild(handle(), focus)) lastFocus_ = focus;
      } else if (HIWORD(wParam) == 0) {  // not while minimised
        if (lastFocus_ == nullptr || !IsWindow(lastFocus_)) {
          lastFocus_ = GetNextDlgTabItem(handle(), nullptr, FALSE);
        }
        if (lastFocus_ != nullptr) SetFocus(lastFocus_);
      }
      return 0;
    default:
      break;
  }
  return DefWindowProcW(handle(), message, wParam, lParam);
}

// The dialog manager asks for the next control (Tab, Shift+Tab) or a given
// one (an access key on a label) through WM_NEXTDLGCTL, which only dialogs
// handle by themselves.
void Window::moveFocus(WPARAM wParam, LPARAM lParam) {
  const HWND next = LOWORD(lParam) != 0
                        ? reinterpret_cast<HWND>(wParam)
                        : GetNextDlgTabItem(handle(), GetFocus(), wParam != 0 ? TRUE : FALSE);
  focusControl(next);
}

void Window::focusControl(HWND control) {
  if (control == nullptr) return;
  SetFocus(control);
  lastFocus_ = control;
  // Text fields are entered with their text selected, as in dialogs.
  if (SendMessageW(control, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL) {
    SendMessageW(control, EM_SETSEL, 0, -1);
  }
}

Control* Window::controlOf(HWND child, WORD id) const {
  // The dialog manager sends WM_COMMAND with IDOK or IDCANCEL and the
  // focused control as sender on Enter and Escape: only a control's own
  // identifier counts.
  for (Control* control : controls_) {
    if (control->handle() == child && control->id() == id) return control;
  }
  return nullptr;
}

WORD Window::adopt(Control& control) {
  controls_.push_back(&control);
  return nextId_++;
}

void Window::release(Control& control) {
  std::erase(controls_, &control);
}

void Window::applyDpi(unsigned newDpi, const RECT* suggested) {
  if (newDpi != fonts_->dpi()) fonts_ = std::make_unique<DialogFonts>(newDpi);
  const RECT frame =
      frameAround(twipsToPixels(frame_.clientWidth, newDpi),
                  twipsToPixels(frame_.clientHeight, newDpi), frame_.style, frame_.exStyle, newDpi);
  RECT now{};
  GetWindowRect(handle(), &now);
  const RECT& origin = suggested != nullptr ? *suggested : now;
  SetWindowPos(handle(), nullptr, origin.left, origin.top, frame.right - frame.left,
               frame.bottom - frame.top, SWP_NOZORDER | SWP_NOACTIVATE);
  for (Control* control : controls_) control->layout();
  if (painted_) applyIcons();
}

void Window::centreOnScreen() {
  MONITORINFO monitor{};
  monitor.cbSize = sizeof(monitor);
  if (!GetMonitorInfoW(MonitorFromWindow(handle(), MONITOR_DEFAULTTOPRIMARY), &monitor)) return;
  RECT rect{};
  GetWindowRect(handle(), &rect);
  const RECT& area = monitor.rcWork;
  const int width = rect.right - rect.left;
  const int height = rect.bottom - rect.top;
  const int left = area.left + ((area.right - area.left) - width) / 2;
  const int top = area.top + ((area.bottom - area.top) - height) / 2;
  SetWindowPos(handle(), nullptr, std::max(left, static_cast<int>(area.left)),
               std::max(top, static_cast<int>(area.top)), 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Window::setIconResource(int resourceId) {
  iconResource_ = resourceId;
  if (painted_) applyIcons();
}

void Window::applyIcons() {
  if (iconResource_ == 0) {
    bigIcon_.reset();
    smallIcon_.reset();
    SendMessageW(handle(), WM_SETICON, ICON_BIG, 0);
    SendMessageW(handle(), WM_SETICON, ICON_SMALL, 0);
    return;
  }
  UniqueIcon big = loadIcon(iconResource_, systemMetric(SM_CXICON, dpi()));
  UniqueIcon small = loadIcon(iconResource_, systemMetric(SM_CXSMICON, dpi()));
  SendMessageW(handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big.get()));
  SendMessageW(handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small.get()));
  bigIcon_ = std::move(big);  // the old ones go once the window no longer uses them
  smallIcon_ = std::move(small);
}

}  // namespace win32_ui
