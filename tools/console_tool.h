#pragma once
// The command line and the standard streams of a command-line tool, as UTF-8
// bytes on every system.
//
// On Windows the arguments come from the wide command line (the narrow one
// passes through the ANSI code page, which cannot hold every name), standard
// input and output carry bytes unchanged (no CR LF translation, so a tool's
// output is the same on both systems), and the console shows UTF-8.
// Standard error keeps the system's line breaks.

#include <string>
#include <vector>

namespace tools {

// Call first in main. The arguments, the program's name first.
std::vector<std::string> startConsoleTool(int argc, char** argv);

}  // namespace tools
