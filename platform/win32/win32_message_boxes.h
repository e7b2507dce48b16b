#pragma once
// Message boxes on Windows: MessageBoxW. The buttons speak the system's
// language (Ja/Nein on a German Windows); the box is modal to the window
// that is active in this thread (to all of the thread's windows when none
// is), comes to the foreground when asked, and is system-modal (topmost,
// above every program) when asked. A Yes/No box has no close box, so only
// its buttons answer it.
//
// When the box cannot be shown at all (no desktop), an OK box counts as
// confirmed and a Yes/No question as answered No: the program then takes
// the way that ends rather than one that asks again.

#include "common/message_boxes.h"

namespace platform_win32 {

class Win32MessageBoxes : public common::MessageBoxes {
 public:
  common::MessageAnswer show(const common::MessageBoxRequest& request) override;
};

}  // namespace platform_win32
