#pragma once
// The user-interface thread's message loop, with a hook for the program's
// windows: every message taken from the queue is first offered to the
// registered filters (newest first); the filter of the window a message is
// for may handle it completely (key preview, the dialog manager's Tab and
// access keys) and dispatch it itself. Messages no filter takes are
// translated and dispatched as usual.
//
// The same dispatching serves the main loop (run), a modal window's loop
// (runUntil) and the yields of long work (processPendingEvents, the
// common::EventPump of this platform), so keys behave alike in all three.
//
// Use on the thread that owns the windows. Filters must outlive their
// registration (MessageFilterRegistration removes one when it goes away).

#include <windows.h>

#include <chrono>
#include <functional>
#include <vector>

#include "common/event_pump.h"

namespace platform_win32 {

class MessageFilter {
 public:
  virtual ~MessageFilter() = default;
  // True when the filter has dealt with the message (dispatched it or
  // dropped it on purpose); false leaves it to the next filter and then to
  // the ordinary translation and dispatch.
  virtual bool filterMessage(MSG& message) = 0;
};

class MessageLoop : public common::EventPump {
 public:
  void addFilter(MessageFilter& filter);
  void removeFilter(MessageFilter& filter);

  // Handles the messages waiting in the queue (window painting included),
  // then returns. A WM_QUIT found here is posted again for the main loop.
  //
  // Looks into the queue at most once per kYieldInterval: a look costs
  // 15 to 25 us under Wine (a call into the wineserver), and a search run
  // yields twice per row, so looking every time took half a second for
  // 10,000 hits. A millisecond is far below what a person notices, and the
  // dialog paints at most every 16 ms anyway.
  void processPendingEvents() override;
  static constexpr std::chrono::microseconds kYieldInterval{1000};

  // Waits for and handles messages until `done` holds (checked before the
  // first wait and after every message) or WM_QUIT arrives, which is then
  // posted again. Returns whether `done` held.
  bool runUntil(const std::function<bool()>& done);

  // Handles messages until WM_QUIT; its exit code.
  int run();

  // Offers the message to the filters, else translates and dispatches it.
  void dispatch(MSG& message);

 private:
  std::vector<MessageFilter*> filters_;
  std::chrono::steady_clock::time_point lastLook_{};
};

// Registers a filter for as long as it lives.
class MessageFilterRegistration {
 public:
  MessageFilterRegistration(MessageLoop& loop, MessageFilter& filter)
      : loop_(loop), filter_(filter) {
    loop_.addFilter(filter_);
  }
  ~MessageFilterRegistration() { loop_.removeFilter(filter_); }
  MessageFilterRegistration(const MessageFilterRegistration&) = delete;
  MessageFilterRegistration& operator=(const MessageFilterRegistration&) = delete;

 private:
  MessageLoop& loop_;
  MessageFilter& filter_;
};

}  // namespace platform_win32
