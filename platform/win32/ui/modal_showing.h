#pragma once
// Showing a window modally: the active window becomes its owner, and while
// it is shown every other window of this thread takes no input; the caller waits in a message loop of its own
// until the showing ends. Modal showings nest (a modal window may show
// another).
//
// end() gives input back to the windows it took it from, makes the window
// that was active before the showing active again, and then hides the
// modal window; in this order Windows never hands the activation to
// another program on the way.

#include <windows.h>

#include <vector>

#include "platform/win32/message_loop.h"

namespace win32_ui {

class ModalShowing {
 public:
  // Shows `window` and returns once end() was called or the window is gone.
  void run(HWND window, platform_win32::MessageLoop& loop);
  void end();
  bool running() const { return window_ != nullptr; }

 private:
  HWND window_ = nullptr;
  HWND previouslyActive_ = nullptr;
  std::vector<HWND> disabled_;
};

}  // namespace win32_ui
