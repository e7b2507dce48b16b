#pragma once
// Ends the program at once: no further events are handled and nothing is
// cleaned up beyond what the end of the process releases (the one exception
// a backend may make is handing the clipboard over to the desktop's
// clipboard manager, so that text put there survives the process).

namespace common {

class ProgramEnd {
 public:
  virtual ~ProgramEnd() = default;
  [[noreturn]] virtual void endNow() = 0;
};

}  // namespace common
