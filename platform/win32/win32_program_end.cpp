#include "platform/win32/win32_program_end.h"

#include <windows.h>

namespace platform_win32 {

void Win32ProgramEnd::endNow() {
  ExitProcess(0);
}

}  // namespace platform_win32
