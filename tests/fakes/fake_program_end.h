#pragma once
// Ending the program in a test: throws ProgramEnded, which unwinds the logic
// exactly where the real program would have stopped. Tests catch it.

#include "common/program_end.h"

namespace fakes {

struct ProgramEnded {
  int calls;
};

class FakeProgramEnd : public common::ProgramEnd {
 public:
  [[noreturn]] void endNow() override { throw ProgramEnded{++calls}; }
  int calls = 0;
};

}  // namespace fakes
