#include "search/win32/frm_suche.h"

#include <algorithm>
#include <chrono>

#include "common/cp1252.h"
#include "platform/win32/ui/dialog_keyboard.h"
#include "resources/win32/win32_pictures.h"

namespace search_win32 {
namespace {

using win32_ui::Placement;
using win32_ui::TwipsRect;

constexpr TwipsRect kFrame1{120, 720, 5175, 1575};
constexpr UINT_PTR kDisplayTimer = 1;

win32_ui::WindowFrame searchDialogFrame() {
  // A fixed single border with the close box only, and a task-bar entry.
  return {.caption = "Spurlix light für ACT!",
          .style = WS_CAPTION | WS_SYSMENU,
          .exStyle = WS_EX_APPWINDOW,
          .clientWidth = 5430,
          .clientHeight = 2820};
}

// The character code a Windows text box reports for a typed character.
int keyAsciiOf(WPARAM character) {
  const auto unit = static_cast<char32_t>(character);
  if (unit >= 0xD800 && unit <= 0xDFFF) return '?';
  const int code = common::unicodeToCp1252(unit);
  return code >= 0 ? code : '?';
}

// Whether two status texts are the same message, differing at most in the
// digits of a count ("Es wurden  4 ..." and "Es wurden  5 ...").
bool sameMessage(const std::string& a, const std::string& b) {
  std::size_t i = 0, j = 0;
  auto digit = [](char c) { return c >= '0' && c <= '9'; };
  for (;;) {
    while (i < a.size() && digit(a[i])) ++i;
    while (j < b.size() && digit(b[j])) ++j;
    if (i == a.size() || j == b.size()) return i == a.size() && j == b.size();
    if (a[i] != b[j]) return false;
    ++i;
    ++j;
  }
}

unsigned long long millisecondsNow() {
  using namespace std::chrono;
  return static_cast<unsigned long long>(
      duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

}  // namespace

FrmSuche::FrmSuche(platform_win32::MessageLoop& loop, const EventsFactory& makeEvents)
    : win32_ui::Window(searchDialogFrame()),
      // Created in tab order; the group frame after what it holds, so that
      // it lies beneath it, and the progress bar before the status bar, so
      // that it lies over the status bar's right part.
      label1_({.window = *this,
               .placement = {.rect = {240, 360, 855, 255}, .origin = kFrame1},
               .text = "Such&begriff:",
               .hasAccessKey = true}),
      combo_({.window = *this, .placement = {.rect = {1200, 360, 3735, 315}, .origin = kFrame1}}),
      cmdSuche_({.window = *this,
                 .placement = {.rect = {2880, 960, 1215, 375}, .origin = kFrame1},
                 .caption = "Neue &Suche",
                 .onClick = [this] { events_->cmdSuche_Click(); }}),
      cmdAbbruch_({.window = *this,
                   .placement = {.rect = {960, 960, 1215, 375}, .origin = kFrame1},
                   .caption = "&Abbruch",
                   .onClick = [this] { events_->cmdAbbruch_Click(); }}),
      cmdInfo_({.window = *this,
                .placement = {.rect = {4560, 120, 735, 480}},
                .accessibleName = "Informationen",
                .picture = resources_win32::kInfoSign,
                .onClick = [this] { events_->cmdInfo_Click(); }}),
      progressBar_({.window = *this, .placement = {.rect = {2980, 2520, 2415, 255}}}),
      statusBar_({.window = *this,
                  .placement = {.rect = {0, 2445, 5430, 375}},
                  .panelWidths = {2880, 2880}}),
      frame1_({.window = *this, .placement = {.rect = kFrame1}, .caption = "Eingabe"}),
      image2_({.window = *this,
               .placement = {.rect = {120, 120, 2745, 480}},
               .picture = resources_win32::kBanner,
               .accessibleName = "SpurlixLight"}),
      filterRegistration_(loop, *this) {
  setIconResource(resources_win32::kProgramIcon);
  events_ = makeEvents(*this);
  startMessages();
  events_->Form_Load();
}

FrmSuche::~FrmSuche() {
  stopMessages();
  if (displayPending_) KillTimer(handle(), kDisplayTimer);
}

void FrmSuche::show() {
  centreOnScreen();
  ShowWindow(handle(), SW_SHOW);
  SetForegroundWindow(handle());
  focusCombo();
}

bool FrmSuche::belongsToDialog(HWND window) const {
  return window != nullptr && (window == handle() || IsChild(handle(), window));
}

bool FrmSuche::filterMessage(MSG& message) {
  if (!belongsToDialog(message.hwnd)) return false;
  const bool inTermBox = message.hwnd == combo_.editHandle();
  const UINT kind = message.message;
  if (kind == WM_KEYDOWN || kind == WM_SYSKEYDOWN) {
    events_->Form_KeyDown(static_cast<int>(message.wParam));
  }
  if (win32_ui::isKey(message, VK_RETURN)) {
    // No button is a default button here, but Enter on a focused button
    // presses it, as in the information dialog; elsewhere it does nothing.
    if (!inTermBox) {
      if (kind == WM_KEYDOWN && win32_ui::isPushButton(message.hwnd)) {
        SendMessageW(message.hwnd, BM_CLICK, 0, 0);
      }
      return true;
    }
    // In the term box it must become a character: the dialog manager would
    // take it for the dialog's OK.
    if (kind == WM_KEYDOWN) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
      return true;
    }
  }
  if (inTermBox && kind == WM_CHAR) {
    events_->cbxSuchbegriffe_KeyPress(keyAsciiOf(message.wParam));
    DispatchMessageW(&message);
    return true;
  }
  if (inTermBox && (kind == WM_KEYUP || kind == WM_SYSKEYUP)) {
    if (!IsDialogMessageW(handle(), &message)) DispatchMessageW(&message);
    events_->cbxSuchbegriffe_KeyUp();
    return true;
  }
  return IsDialogMessageW(handle(), &message) != 0;
}

LRESULT FrmSuche::onMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CLOSE:
      events_->Form_Unload();
      ShowWindow(handle(), SW_HIDE);
      return 0;
    case WM_SETCURSOR:
      if (hourglass_) {
        SetCursor(LoadCursorW(nullptr, IDC_WAIT));
        return TRUE;
      }
      break;
    case WM_TIMER:
      if (wParam == kDisplayTimer) {
        KillTimer(handle(), kDisplayTimer);
        displayPending_ = false;
        showStatusAndProgress();
        return 0;
      }
      break;
    default:
      break;
  }
  return win32_ui::Window::onMessage(message, wParam, lParam);
}

std::string FrmSuche::comboText() const {
  return combo_.text();
}

void FrmSuche::setComboText(const std::string& text) {
  combo_.setText(text);
}

int FrmSuche::selectionStart() const {
  return combo_.selectionStart();
}

void FrmSuche::setSelection(int start, int length) {
  combo_.setSelection(start, length);
}

int FrmSuche::listCount() const {
  return combo_.count();
}

std::string FrmSuche::listItem(int index) const {
  return combo_.item(index);
}

void FrmSuche::addListItem(const std::string& text) {
  combo_.addItem(text);
}

void FrmSuche::setListItem(int index, const std::string& text) {
  combo_.setItem(index, text);
}

void FrmSuche::focusCombo() {
  SetFocus(combo_.handle());
}

void FrmSuche::setStatusText(const std::string& text) {
  statusText_ = text;
  refreshDisplay();
}

void FrmSuche::setProgress(float position) {
  progressPosition_ = position;
  refreshDisplay();
}

void FrmSuche::refreshDisplay() {
  const unsigned long long now = millisecondsNow();
  const bool newMessage = !sameMessage(statusText_, shownStatusText_);
  const bool barAtAnEnd = progressPosition_ <= 0.0f || progressPosition_ >= 100.0f;
  const unsigned long long since = now - lastDisplay_;
  if (newMessage || barAtAnEnd || lastDisplay_ == 0 || since >= kDisplayIntervalMs) {
    if (displayPending_) KillTimer(handle(), kDisplayTimer);
    displayPending_ = false;
    showStatusAndProgress();
  } else if (!displayPending_) {
    displayPending_ = true;
    SetTimer(handle(), kDisplayTimer, static_cast<UINT>(kDisplayIntervalMs - since), nullptr);
  }
}

void FrmSuche::showStatusAndProgress() {
  lastDisplay_ = std::max(millisecondsNow(), 1ULL);
  if (statusText_ != shownStatusText_) {
    statusBar_.setPanelText(0, statusText_);
    shownStatusText_ = statusText_;
  }
  progressBar_.setPosition(progressPosition_);
}

void FrmSuche::setMousePointer(search::MousePointer pointer) {
  const bool wanted = pointer == search::MousePointer::kHourglass;
  if (wanted == hourglass_) return;
  hourglass_ = wanted;
  showPointer();
}

// Windows asks for the pointer when the mouse moves; ask now, so that the
// hourglass shows (and goes) at once under a resting mouse too.
void FrmSuche::showPointer() {
  POINT at{};
  if (!GetCursorPos(&at)) return;
  const HWND under = WindowFromPoint(at);
  if (!belongsToDialog(under)) return;
  SendMessageW(under, WM_SETCURSOR, reinterpret_cast<WPARAM>(under),
               MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
}

}  // namespace search_win32
