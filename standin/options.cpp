#include "standin/options.h"

#include <QCommandLineParser>
#include <limits>

namespace standin {
namespace {

// A whole number within [lowest, highest], or nullopt.
std::optional<int> numberIn(const QString& text, int lowest, int highest) {
  bool ok = false;
  const int number = text.trimmed().toInt(&ok);
  if (!ok || number < lowest || number > highest) return std::nullopt;
  return number;
}

}  // namespace

ParsedOptions parseOptions(const QStringList& arguments) {
  QCommandLineParser parser;
  parser.setApplicationDescription(
      QStringLiteral("Stand-in für ACT!: zeigt die Kontakte einer Kontakttabelle und bedient ACT!s "
                     "Automatisierung (ACTOLE.APPOBJECT) auf dem Sitzungsbus."));
  const QCommandLineOption help = parser.addHelpOption();
  const QCommandLineOption title(QStringLiteral("title"),
                                 QStringLiteral("Fenstertitel statt \"ACT! - <Tabelle>\"."),
                                 QStringLiteral("TEXT"));
  const QCommandLineOption windowClass(QStringLiteral("class"),
                                       QStringLiteral("Fensterklasse statt act3.0frameclass."),
                                       QStringLiteral("KLASSE"));
  const QCommandLineOption hidden(QStringLiteral("hidden"),
                                  QStringLiteral("Hauptfenster verborgen starten."));
  const QCommandLineOption noApp(
      QStringLiteral("no-app"),
      QStringLiteral("Kein Anwendungsobjekt: der Busname ACTOLE.APPOBJECT wird nicht belegt."));
  const QCommandLineOption noViews(QStringLiteral("no-views"),
                                   QStringLiteral("Views liefert kein Objekt."));
  const QCommandLineOption refuseViews(
      QStringLiteral("refuse-views"),
      QStringLiteral("Create liefert N-mal kein Objekt, danach Ansichten."), QStringLiteral("N"));
  const QCommandLineOption lookupResult(QStringLiteral("lookup-result"),
                                        QStringLiteral("CreateLookup antwortet N statt 0/100."),
                                        QStringLiteral("N"));
  const QCommandLineOption quitOnLookup(
      QStringLiteral("quit-on-lookup"),
      QStringLiteral("Bei CreateLookup ohne Antwort den Bus verlassen und enden."));
  const QCommandLineOption log(
      QStringLiteral("log"),
      QStringLiteral("Jeden Automatisierungsaufruf als JSON-Zeile in DATEI schreiben."),
      QStringLiteral("DATEI"));
  const QCommandLineOption netLinks(
      QStringLiteral("netlinks"),
      QStringLiteral("Web-Link-Ordner (Standard: $XDG_DATA_HOME/act-standin/netlinks)."),
      QStringLiteral("ORDNER"));
  parser.addOptions({title, windowClass, hidden, noApp, noViews, refuseViews, lookupResult,
                     quitOnLookup, log, netLinks});
  parser.addPositionalArgument(QStringLiteral("kontakttabelle"),
                               QStringLiteral("Die Kontakttabelle (.dbf), die geöffnet wird."));

  ParsedOptions parsed;
  if (!parser.parse(arguments)) {
    parsed.error = parser.errorText();
    return parsed;
  }
  if (parser.isSet(help)) {
    parsed.helpText = parser.helpText();
    return parsed;
  }
  const QStringList positional = parser.positionalArguments();
  if (positional.size() != 1) {
    parsed.error = positional.isEmpty()
                       ? QStringLiteral("Keine Kontakttabelle angegeben.")
                       : QStringLiteral("Nur eine Kontakttabelle kann geöffnet werden.");
    return parsed;
  }

  Options options;
  options.contactTable = positional.front();
  if (parser.isSet(title)) options.title = parser.value(title);
  if (parser.isSet(windowClass)) {
    options.windowClass = parser.value(windowClass);
    if (options.windowClass->isEmpty()) {
      parsed.error = QStringLiteral("Die Fensterklasse darf nicht leer sein.");
      return parsed;
    }
  }
  options.hidden = parser.isSet(hidden);
  options.noApplication = parser.isSet(noApp);
  options.misbehaviour.noViews = parser.isSet(noViews);
  if (parser.isSet(refuseViews)) {
    const auto count = numberIn(parser.value(refuseViews), 0, 1'000'000);
    if (!count) {
      parsed.error = QStringLiteral("--refuse-views erwartet eine Zahl ab 0, nicht \"%1\".")
                         .arg(parser.value(refuseViews));
      return parsed;
    }
    options.misbehaviour.refuseViews = *count;
  }
  if (parser.isSet(lookupResult)) {
    options.misbehaviour.lookupResult =
        numberIn(parser.value(lookupResult), std::numeric_limits<int>::min(),
                 std::numeric_limits<int>::max());
    if (!options.misbehaviour.lookupResult) {
      parsed.error = QStringLiteral("--lookup-result erwartet eine ganze Zahl, nicht \"%1\".")
                         .arg(parser.value(lookupResult));
      return parsed;
    }
  }
  options.misbehaviour.quitOnLookup = parser.isSet(quitOnLookup);
  if (parser.isSet(log)) options.logFile = parser.value(log);
  if (parser.isSet(netLinks)) options.netLinksFolder = parser.value(netLinks);
  parsed.options = std::move(options);
  return parsed;
}

}  // namespace standin
