#pragma once
// Ends the process at once with exit code 0: no further events are handled,
// no window is closed through its events, nothing is flushed or saved.
//
// One exception: when the program put text on the clipboard (QtClipboard
// says so) and still owns the clipboard, that text would go with the
// process. On X11 the text is first offered to the desktop's clipboard
// manager: every window is hidden, then the application object is torn down,
// which makes Qt ask the owner of the CLIPBOARD_MANAGER selection to save the
// clipboard (SAVE_TARGETS) and answer its requests for the text. This runs
// inside whatever event handler called endNow(); nothing returns to that
// handler afterwards, since the process exits right after. The handover is
// bounded: a watchdog ends the process after kHandoverLimit whatever happens.
//
// Where no clipboard manager runs (or on a platform without one, such as the
// offscreen one) Qt skips the handover at once and the text goes with the
// process, as it does whenever a program that owns the X11 clipboard exits.

#include <chrono>

#include "common/program_end.h"

namespace platform_qt {

class QtClipboard;

class QtProgramEnd : public common::ProgramEnd {
 public:
  static constexpr std::chrono::milliseconds kHandoverLimit{3000};

  // `clipboard` may be null (no handover); it must outlive this object.
  explicit QtProgramEnd(const QtClipboard* clipboard = nullptr) : clipboard_(clipboard) {}

  [[noreturn]] void endNow() override;

 private:
  const QtClipboard* clipboard_;
};

}  // namespace platform_qt
