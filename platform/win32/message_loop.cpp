#include "platform/win32/message_loop.h"

#include <algorithm>

namespace platform_win32 {
namespace {

// A yield handles what is waiting, not an endless stream: a window that
// keeps posting to itself, or one whose painting never validates it, would
// otherwise keep the yield from returning.
constexpr int kMostMessagesPerYield = 10000;

}  // namespace

void MessageLoop::addFilter(MessageFilter& filter) {
  filters_.push_back(&filter);
}

void MessageLoop::removeFilter(MessageFilter& filter) {
  std::erase(filters_, &filter);
}

void MessageLoop::dispatch(MSG& message) {
  // A filter may remove itself (or others) while it handles a message: go
  // over a copy.
  const std::vector<MessageFilter*> filters = filters_;
  for (auto it = filters.rbegin(); it != filters.rend(); ++it) {
    if (std::find(filters_.begin(), filters_.end(), *it) == filters_.end()) continue;
    if ((*it)->filterMessage(message)) return;
  }
  TranslateMessage(&message);
  DispatchMessageW(&message);
}

void MessageLoop::processPendingEvents() {
  const auto now = std::chrono::steady_clock::now();
  if (now - lastLook_ < kYieldInterval) return;
  lastLook_ = now;
  MSG message;
  for (int handled = 0; handled < kMostMessagesPerYield; ++handled) {
    if (!PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) return;
    if (message.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(message.wParam));
      return;
    }
    dispatch(message);
  }
}

bool MessageLoop::runUntil(const std::function<bool()>& done) {
  MSG message;
  while (!done()) {
    const BOOL got = GetMessageW(&message, nullptr, 0, 0);
    if (got == 0 || got == -1) {
      if (got == 0) PostQuitMessage(static_cast<int>(message.wParam));
      return false;
    }
    dispatch(message);
  }
  return true;
}

int MessageLoop::run() {
  MSG message;
  BOOL got;
  while ((got = GetMessageW(&message, nullptr, 0, 0)) != 0) {
    if (got == -1) return 1;
    dispatch(message);
  }
  return static_cast<int>(message.wParam);
}

}  // namespace platform_win32
