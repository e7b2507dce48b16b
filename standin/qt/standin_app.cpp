#include "standin/qt/standin_app.h"

#include <QApplication>
#include <QDBusConnection>
#include <QFileInfo>
#include <cstdio>

#include "common/path_text.h"
#include "standin/options.h"
#include "standin/qt/bus_objects.h"
#include "standin/qt/main_window.h"
#include "standin/user_store.h"

namespace standin_qt {
namespace {

void report(const QString& text) {
  std::fprintf(stderr, "act-standin: %s\n", text.toLocal8Bit().constData());
}

std::vector<std::string> argumentsOf(int argc, char** argv) {
  std::vector<std::string> arguments;
  for (int i = 0; i < argc; ++i) arguments.push_back(QString::fromLocal8Bit(argv[i]).toStdString());
  return arguments;
}

}  // namespace

int runStandin(int argc, char** argv) {
  // The command line is read before the GUI exists, so --help and a wrong
  // command line work without a display.
  const standin::ParsedOptions parsed =
      standin::parseOptions(argumentsOf(argc, argv), standin::Front::kQt);
  if (!parsed.helpText.empty()) {
    std::fputs(QString::fromStdString(parsed.helpText).toLocal8Bit().constData(), stdout);
    return 0;
  }
  if (!parsed.options) {
    report(QString::fromStdString(parsed.error));
    return 2;
  }
  const standin::Options& options = *parsed.options;

  QApplication app(argc, argv);
  // With the xcb platform the class part of WM_CLASS is the application name,
  // read when the first window is created.
  QApplication::setApplicationName(
      QString::fromStdString(options.windowClass.value_or(kDefaultWindowClass)));

  standin::LoadedTable loaded = standin::loadContactTable(options.contactTable);
  if (!loaded.table) {
    report(QString::fromStdString(loaded.error));
    return 2;
  }
  standin::ShownContacts contacts;
  ContactModel model(contacts);
  contacts.setTable(std::move(*loaded.table));

  standin::CallLog log;
  if (options.logFile && !log.open(*options.logFile)) {
    report(QStringLiteral("Die Protokolldatei \"%1\" kann nicht geöffnet werden.")
               .arg(QString::fromStdString(*options.logFile)));
    return 2;
  }

  standin::Automation automation(contacts, log, options.misbehaviour);
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

  const std::filesystem::path netLinks = options.netLinksFolder
                                             ? common::pathFromUtf8(*options.netLinksFolder)
                                             : standin::defaultNetLinksFolder();
  if (!standin::announceNetLinksFolder(netLinks)) {
    report(QStringLiteral("Der Web-Link-Ordner \"%1\" konnte nicht in der Registrierung "
                          "eingetragen werden.")
               .arg(QString::fromStdString(common::utf8FromPath(netLinks))));
  }

  const auto titleFor = [&options](const QString& tablePath) {
    return options.title ? QString::fromStdString(*options.title)
                         : QStringLiteral("ACT! - ") + QFileInfo(tablePath).completeBaseName();
  };
  const auto openTable = [&contacts](const QString& path) {
    standin::LoadedTable next = standin::loadContactTable(path.toStdString());
    if (!next.table) return QString::fromStdString(next.error);
    contacts.setTable(std::move(*next.table));
    return QString();
  };
  MainWindow window(model, standin::readWebLinks(netLinks), openTable, titleFor);
  window.setWindowTitle(titleFor(QString::fromStdString(contacts.table().path())));
  if (options.hidden) {
    window.winId();  // the window exists, unmapped
  } else {
    window.show();
  }
  return app.exec();
}

}  // namespace standin_qt
