#pragma once
// Main, the start routine (module Haupt): the one straight pass from program
// start to the search dialog on screen.
//
//   1. installs the web links into ACT! (whatever comes of it);
//   2. looks for ACT!'s main window, always twice: class "act3.0frameclass"
//      with a title containing "Kundenmanager", then with one containing
//      "ACT"; without either, shows the notice in the information dialog and
//      ends the program when that dialog closes;
//   3. creates ACT!'s application object, reads its views collection and
//      creates a view, yielding to pending events between these calls; a view
//      ACT! refuses is asked for again for as long as the user answers Yes;
//   4. creates the one query object and opens the database ACT! reports;
//   5. shows the search dialog modeless and returns.
//
// The search dialog is built (hidden; its load step runs then) while ACT!
// answers the creation of its application object, so that the user waits
// for the two at once; it is shown only at step 5. A start that fails never
// shows it: the messages of a failure come with no search dialog on screen.
//
// Every failure on the way ends the program through ProgramEnd::endNow (which
// does not return): no application object, no views collection, a view the
// user gives up on, or a database init cannot open (init shows its own
// report). An automation call that fails counts as the call that gave
// nothing; a database path ACT! does not give counts as a database that
// cannot be opened.
//
// The window list that the window search uses is set by the caller
// beforehand (startup::SetWindowList). Main fills the program-wide references
// ActApp, ActViews, ActView and ActDB of `globals`.

#include <functional>

#include "actdb/cl_act_dbf.h"
#include "common/act_automation.h"
#include "common/event_pump.h"
#include "common/message_boxes.h"
#include "common/program_end.h"
#include "info/information_dialog.h"
#include "platform/registry_backend.h"
#include "search/program_globals.h"

namespace startup {

inline constexpr const char* kActProgId = "ACTOLE.APPOBJECT";
inline constexpr const char* kActWindowClass = "act3.0frameclass";

struct StartupServices {
  platform::RegistryBackend& registry;
  common::MessageBoxes& messageBoxes;
  common::ActAutomation& automation;
  common::EventPump& events;
  common::ProgramEnd& programEnd;
  info::InformationDialog& informationDialog;
  search::ProgramGlobals& globals;
  actdb::ActDbServices database;            // for the clActDBF instance
  std::function<void()> buildSearchDialog;  // makes frmSuche, hidden (runs its load step)
  std::function<void()> showSearchDialog;   // shows the built frmSuche modeless and returns
};

void Main(StartupServices& services);

}  // namespace startup
