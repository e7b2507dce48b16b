#include "standin/standin_app.h"

#include <QApplication>
#include <QDBusConnection>
#include <QFileInfo>
#include <cstdio>

#include "platform/linux/reg_file_backend.h"
#include "standin/bus_objects.h"
#include "standin/main_window.h"
#include "standin/options.h"

namespace standin {
namespace {

void report(const QString& text) {
  std::fprintf(stderr, "act-standin: %s\n", text.toLocal8Bit().constData());
}

QStringList argumentsOf(int argc, char** argv) {
  QStringList arguments;
  for (int i = 0; i < argc; ++i) arguments.push_back(QString::fromLocal8Bit(argv[i]));
  return arguments;
}

}  // namespace

int runStandin(int argc, char** argv) {
  // The command line is read before the GUI exists, so --help and a wrong
  // command line work without a display.
  const ParsedOptions parsed = parseOptions(argumentsOf(argc, argv));
  if (!parsed.helpText.isEmpty()) {
    std::fputs(parsed.helpText.toLocal8Bit().constData(), stdout);
    return 0;
  }
  if (!parsed.options) {
    report(parsed.error);
    return 2;
  }
  const Options& options = *parsed.options;

  QApplication app(argc, argv);
  // With the xcb platform the class part of WM_CLASS is the application name,
  // read when the first window is created.
  QApplication::setApplicationName(
      options.windowClass.value_or(QString::fromLatin1(kDefaultWindowClass)));

  LoadedTable loaded = loadContactTable(options.contactTable);
  if (!loaded.table) {
    report(loaded.error);
    return 2;
  }
  ContactModel model;
  model.setTable(std::move(*loaded.table));

  CallLog log;
  if (options.logFile && !log.open(*options.logFile)) {
    report(QStringLiteral("Die Protokolldatei \"%1\" kann nicht geöffnet werden.")
               .arg(*options.logFile));
    return 2;
  }

  Automation automation(model, log, options.misbehaviour);
  BusServer server(QDBusConnection::sessionBus(), automation, [&server] {
    server.leave();
    QCoreApplication::exit(0);
  });
  switch (server.start(!options.noApplication)) {
    case BusServer::Outcome::kNoBus:
      report(QStringLiteral("Der Sitzungsbus ist nicht erreichbar: %1")
                 .arg(QDBusConnection::sessionBus().lastError().message()));
      return 1;
    case BusServer::Outcome::kNameTaken:
      report(QStringLiteral("Der Busname %1 ist schon belegt: es läuft bereits ein ACT!.")
                 .arg(QString::fromLatin1(kBusName)));
      return 1;
    case BusServer::Outcome::kServing:
    case BusServer::Outcome::kNotServing:
      break;
  }

  const QString netLinks = options.netLinksFolder.value_or(defaultNetLinksFolder());
  if (!announceNetLinksFolder(netLinks, platform_linux::RegFileBackend::defaultUserRegPath())) {
    report(QStringLiteral("Der Web-Link-Ordner \"%1\" konnte nicht in der Registrierung "
                          "eingetragen werden.")
               .arg(netLinks));
  }

  const auto titleFor = [&options](const QString& tablePath) {
    return options.title.value_or(QStringLiteral("ACT! - ") +
                                  QFileInfo(tablePath).completeBaseName());
  };
  const auto openTable = [&model](const QString& path) {
    LoadedTable next = loadContactTable(path);
    if (!next.table) return next.error;
    model.setTable(std::move(*next.table));
    return QString();
  };
  MainWindow window(model, readWebLinks(netLinks), openTable, titleFor);
  window.setWindowTitle(titleFor(model.table().path()));
  if (options.hidden) {
    window.winId();  // the window exists, unmapped
  } else {
    window.show();
  }
  return app.exec();
}

}  // namespace standin
