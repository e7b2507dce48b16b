#pragma once
// The stand-in ACT! on Windows from start to end: reads the command line,
// opens the contact table (the one named there, else the one it opened last,
// else none), registers itself as the COM server of ACTOLE.APPOBJECT and
// serves it, records the web-link folder in the registry, shows the main
// window and runs the message loop.
//
// Started by COM (-Embedding) it ends when its last client lets go of the
// last object, or when its window is closed.
//
// Exit status: 0 after a normal end (window closed, left on purpose with
// --quit-on-lookup, --unregister done); 1 when another stand-in serves
// ACTOLE.APPOBJECT already or COM refuses the registration; 2 for a wrong
// command line, a contact table that cannot be read or a log file that
// cannot be opened. Every failure is reported in German on stderr.

#include <string>
#include <vector>

namespace standin_win32 {

inline constexpr char kDefaultWindowClass[] = "act3.0frameclass";
// Where the stand-in remembers the table it opened last (HKEY_CURRENT_USER).
inline constexpr char kSettingsKey[] = "Software\\act-standin";
inline constexpr char kLastTableValue[] = "Kontakttabelle";

// `arguments` includes the program name; UTF-8.
int runStandin(const std::vector<std::string>& arguments);

}  // namespace standin_win32
