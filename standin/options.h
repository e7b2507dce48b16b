#pragma once
// The stand-in's command line.
//
//   act-standin [options] CONTACT_TABLE.dbf
//
// parseOptions never exits the process: `--help` and `--version` come back as
// `helpText`, and a wrong command line as `error` (German, for stderr).

#include <QString>
#include <QStringList>
#include <optional>

#include "standin/automation.h"

namespace standin {

struct Options {
  QString contactTable;  // as given
  std::optional<QString> title;
  std::optional<QString> windowClass;
  bool hidden = false;
  bool noApplication = false;
  Misbehaviour misbehaviour;
  std::optional<QString> logFile;
  std::optional<QString> netLinksFolder;
};

struct ParsedOptions {
  std::optional<Options> options;  // set when the stand-in is to run
  QString helpText;                // set for --help / --version
  QString error;                   // set for a wrong command line
};

// `arguments` includes the program name, as QCoreApplication::arguments().
ParsedOptions parseOptions(const QStringList& arguments);

}  // namespace standin
