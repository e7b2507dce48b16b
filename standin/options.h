#pragma once
// The stand-in's command line.
//
//   act-standin [options] CONTACT_TABLE.dbf
//
// Both fronts share the switches; the Win32 front adds `--busy-ms N`,
// `--unregister` and the `-Embedding` that COM passes to a server it starts,
// and there the table may be left out (the front then opens the one it
// opened last, or none).
//
// parseOptions never exits the process: `--help` comes back as `helpText`,
// and a wrong command line as `error` (German, for stderr).

#include <optional>
#include <string>
#include <vector>

#include "standin/automation.h"

namespace standin {

enum class Front { kQt, kWin32 };

struct Options {
  std::string contactTable;  // as given; empty when left out
  std::optional<std::string> title;
  std::optional<std::string> windowClass;
  bool hidden = false;
  bool noApplication = false;
  Misbehaviour misbehaviour;
  std::optional<std::string> logFile;
  std::optional<std::string> netLinksFolder;
  // The Win32 front only.
  int busyMs = 0;           // calls are refused as "busy" for this long after start
  bool embedding = false;   // started by COM to serve a client
  bool unregister = false;  // remove the COM registration and end
};

struct ParsedOptions {
  std::optional<Options> options;  // set when the stand-in is to run
  std::string helpText;            // set for --help
  std::string error;               // set for a wrong command line
};

// `arguments` includes the program name; text is UTF-8.
ParsedOptions parseOptions(const std::vector<std::string>& arguments, Front front);

}  // namespace standin
