#include "search/search_services.h"

#include <cstdlib>

namespace search {

void endProgramNow(common::ProgramEnd& programEnd) {
  programEnd.endNow();
  std::abort();
}

void releaseActAndEnd(ProgramGlobals& globals, common::ProgramEnd& programEnd) {
  globals.ActView.reset();
  globals.ActViews.reset();
  globals.ActApp.reset();
  endProgramNow(programEnd);
}

}  // namespace search
