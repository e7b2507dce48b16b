#pragma once
// A private desktop session for end-to-end tests of the stand-in ACT!: a
// session bus of our own (dbus-daemon started here), a virtual X server on
// demand (Xvfb, x11_test_display.h), a scratch home folder, and stand-in
// processes started into that session.
//
//   auto& session = e2e::Session::shared();   // one per test program
//   ASSERT_TRUE(session.busStarted()) << session.failure();
//   e2e::StandinProcess act(session, {"--log", path, table});
//   ASSERT_TRUE(act.waitUntilServing());
//   startup_dbus::DBusActAutomation automation(session.connection());
//
// The stand-in's path comes from the compile definition ACT_STANDIN_PATH.
// Header-only; needs Qt Core, Qt D-Bus and xcb.

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusReply>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <functional>
#include <memory>

#include "tests/e2e/x11_test_display.h"

namespace e2e {

// The process's QCoreApplication, made once: Qt D-Bus needs one.
inline QCoreApplication& qtApplication() {
  if (QCoreApplication::instance() == nullptr) {
    static int argc = 1;
    static char name[] = "e2e";
    static char* argv[] = {name, nullptr};
    static QCoreApplication application(argc, argv);
  }
  return *QCoreApplication::instance();
}

// Polls `condition` (running posted events in between) until it holds or
// `timeoutMs` has passed; its last value.
inline bool waitUntil(const std::function<bool()>& condition, int timeoutMs = 5000) {
  QElapsedTimer timer;
  timer.start();
  while (!condition()) {
    if (timer.elapsed() > timeoutMs) return false;
    QCoreApplication::processEvents();
    QThread::msleep(10);
  }
  return true;
}

class Session {
 public:
  static Session& shared() {
    static Session session;
    return session;
  }

  bool busStarted() const { return !address_.isEmpty(); }
  const QString& failure() const { return failure_; }
  const QString& busAddress() const { return address_; }
  // The test program's own connection to the private bus.
  QDBusConnection connection() const { return QDBusConnection(QStringLiteral("e2e-private-bus")); }
  // A scratch folder that stands in for the home folder of the stand-ins.
  QString home() const { return home_.path(); }

  // The virtual X server, started on first use; empty when it could not start.
  QString display() {
    if (!xvfb_) xvfb_ = std::make_unique<x11_test::XvfbServer>();
    return xvfb_->started() ? QString::fromStdString(xvfb_->display()) : QString();
  }

  bool nameOwned(const QString& name) const {
    QDBusReply<bool> reply = connection().interface()->isServiceRegistered(name);
    return reply.isValid() && reply.value();
  }

  ~Session() {
    QDBusConnection::disconnectFromBus(QStringLiteral("e2e-private-bus"));
    if (daemon_.state() != QProcess::NotRunning) {
      daemon_.kill();
      daemon_.waitForFinished(2000);
    }
  }

 private:
  Session() {
    qtApplication();
    daemon_.setProgram(QStringLiteral("dbus-daemon"));
    daemon_.setArguments({QStringLiteral("--session"), QStringLiteral("--nofork"),
                          QStringLiteral("--print-address=1")});
    daemon_.setProcessChannelMode(QProcess::SeparateChannels);
    daemon_.start();
    if (!daemon_.waitForStarted(5000)) {
      failure_ = QStringLiteral("dbus-daemon cannot be started: ") + daemon_.errorString();
      return;
    }
    QElapsedTimer timer;
    timer.start();
    while (!daemon_.canReadLine() && timer.elapsed() < 5000) daemon_.waitForReadyRead(100);
    address_ = QString::fromUtf8(daemon_.readLine()).trimmed();
    if (address_.isEmpty()) {
      failure_ = QStringLiteral("dbus-daemon reported no address");
      return;
    }
    QDBusConnection bus =
        QDBusConnection::connectToBus(address_, QStringLiteral("e2e-private-bus"));
    if (!bus.isConnected()) failure_ = QStringLiteral("cannot connect to the private bus");
  }

  QProcess daemon_;
  QString address_;
  QString failure_;
  QTemporaryDir home_;
  std::unique_ptr<x11_test::XvfbServer> xvfb_;
};

// One act-standin process in the session; stopped (and its bus name seen
// released) when destroyed.
class StandinProcess {
 public:
  enum class Screen { kOffscreen, kVirtualX };

  StandinProcess(Session& session, const QStringList& arguments, Screen screen = Screen::kOffscreen)
      : session_(session) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), session.busAddress());
    environment.insert(QStringLiteral("HOME"), session.home());
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), session.home() + "/config");
    environment.insert(QStringLiteral("XDG_DATA_HOME"), session.home() + "/data");
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), session.home());
    if (screen == Screen::kVirtualX) {
      environment.insert(QStringLiteral("DISPLAY"), session.display());
      environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    } else {
      environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    }
    process_.setProcessEnvironment(environment);
    process_.start(QStringLiteral(ACT_STANDIN_PATH), arguments);
    process_.waitForStarted(5000);
  }

  ~StandinProcess() {
    if (process_.state() != QProcess::NotRunning) {
      process_.terminate();
      if (!process_.waitForFinished(3000)) {
        process_.kill();
        process_.waitForFinished(3000);
      }
    }
    // The next stand-in must find the name free.
    if (servedName_) {
      waitUntil([this] { return !session_.nameOwned(QStringLiteral("ACTOLE.APPOBJECT")); }, 3000);
    }
  }
  StandinProcess(const StandinProcess&) = delete;
  StandinProcess& operator=(const StandinProcess&) = delete;

  // True once the stand-in owns ACTOLE.APPOBJECT.
  bool waitUntilServing(int timeoutMs = 10000) {
    servedName_ =
        waitUntil(
            [this] { return session_.nameOwned(QStringLiteral("ACTOLE.APPOBJECT")) || !running(); },
            timeoutMs) &&
        running();
    return servedName_;
  }

  bool running() const { return process_.state() != QProcess::NotRunning; }

  // The exit status once the process has ended within `timeoutMs`; -1 when it
  // still runs or crashed.
  int waitForExit(int timeoutMs = 5000) {
    if (running() && !process_.waitForFinished(timeoutMs)) return -1;
    return process_.exitStatus() == QProcess::NormalExit ? process_.exitCode() : -1;
  }

  QString standardError() { return QString::fromLocal8Bit(process_.readAllStandardError()); }

 private:
  Session& session_;
  QProcess process_;
  bool servedName_ = false;
};

}  // namespace e2e
