#pragma once
// What the search dialog's logic uses besides the dialog itself: the
// program-wide references and the platform services. All are owned elsewhere
// and outlive the dialog.

#include "common/event_pump.h"
#include "common/message_boxes.h"
#include "common/program_end.h"
#include "common/settings_store.h"
#include "info/information_dialog.h"
#include "search/program_globals.h"

namespace search {

struct SearchServices {
  ProgramGlobals& globals;
  common::MessageBoxes& messageBoxes;
  common::EventPump& events;
  common::SettingsStore& settings;
  common::ProgramEnd& programEnd;
  info::InformationDialog& informationDialog;
};

// Ends the program at once through `programEnd`. Declared noreturn for the
// compiler's sake: should an implementation ever return, the process aborts
// rather than run on in a state the caller never expects.
[[noreturn]] void endProgramNow(common::ProgramEnd& programEnd);

// The regular end of the program (ende): releases ActView, ActViews and
// ActApp, in this order, then ends the program at once. The database stays
// open until the process ends; no history is stored here.
[[noreturn]] void releaseActAndEnd(ProgramGlobals& globals, common::ProgramEnd& programEnd);

}  // namespace search
