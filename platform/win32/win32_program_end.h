#pragma once
// Ending the program on Windows: ExitProcess with status 0, at once. Windows
// destroys the program's windows without sending them further messages, and
// keeps what the program put on the clipboard (it was handed over whole, not
// promised for later), so nothing needs to happen first.

#include "common/program_end.h"

namespace platform_win32 {

class Win32ProgramEnd : public common::ProgramEnd {
 public:
  [[noreturn]] void endNow() override;
};

}  // namespace platform_win32
