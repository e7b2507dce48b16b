#pragma once
// The stand-in ACT! on Linux from start to end: reads the command line, opens
// the contact table, takes the bus name and serves the automation objects,
// records the web-link folder in the registry, shows the main window and runs
// the event loop.
//
// Exit status: 0 after a normal end (window closed, or left the bus on
// purpose with --quit-on-lookup); 1 when the session bus cannot be reached or
// ACTOLE.APPOBJECT is already taken; 2 for a wrong command line, a contact
// table that cannot be read or a log file that cannot be opened. Every
// failure is reported in German on stderr.

namespace standin_qt {

inline constexpr char kDefaultWindowClass[] = "act3.0frameclass";

int runStandin(int argc, char** argv);

}  // namespace standin_qt
