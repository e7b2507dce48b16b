#include "platform/win32/ui/modal_showing.h"

namespace win32_ui {
namespace {

struct DisableOthers {
  HWND keep;
  std::vector<HWND>* disabled;
};

BOOL CALLBACK disableOther(HWND window, LPARAM context) {
  auto& job = *reinterpret_cast<DisableOthers*>(context);
  if (window != job.keep && IsWindowVisible(window) && IsWindowEnabled(window)) {
    EnableWindow(window, FALSE);
    job.disabled->push_back(window);
  }
  return TRUE;
}

}  // namespace

void ModalShowing::run(HWND window, platform_win32::MessageLoop& loop) {
  window_ = window;
  previouslyActive_ = GetActiveWindow();
  // The showing window owns the modal one: it stays above it and cannot be
  // raised over it, say through its task-bar button.
  if (previouslyActive_ != nullptr && previouslyActive_ != window) {
    SetWindowLongPtrW(window, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(previouslyActive_));
  }
  disabled_.clear();
  DisableOthers job{window, &disabled_};
  EnumThreadWindows(GetCurrentThreadId(), &disableOther, reinterpret_cast<LPARAM>(&job));

  ShowWindow(window, SW_SHOWNORMAL);
  SetForegroundWindow(window);
  loop.runUntil([this] { return window_ == nullptr || !IsWindow(window_); });
  end();
}

void ModalShowing::end() {
  if (window_ == nullptr) return;
  const HWND window = window_;
  window_ = nullptr;
  for (HWND other : disabled_) {
    if (IsWindow(other)) EnableWindow(other, TRUE);
  }
  disabled_.clear();
  if (previouslyActive_ != nullptr && IsWindow(previouslyActive_) &&
      IsWindowVisible(previouslyActive_)) {
    SetActiveWindow(previouslyActive_);
  }
  if (IsWindow(window)) ShowWindow(window, SW_HIDE);
}

}  // namespace win32_ui
