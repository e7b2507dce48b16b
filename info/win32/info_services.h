#pragma once
// What the information and picture dialogs use besides themselves: the
// shell launcher's backend and the message boxes (for CShellExecute), and
// the message loop their modal showing runs in. All are owned elsewhere and
// outlive the dialogs.

#include "common/message_boxes.h"
#include "platform/shell_backend.h"
#include "platform/win32/message_loop.h"

namespace info_win32 {

struct InfoServices {
  platform::ShellBackend& shell;
  common::MessageBoxes& messageBoxes;
  platform_win32::MessageLoop& loop;
};

}  // namespace info_win32
