#pragma once
// The stand-in's automation server on the session bus: the well-known name
// ACTOLE.APPOBJECT, the application object at /Application (interface
// ACTOLE.Application: Views() -> o, GetOpenDBName() -> s), the views
// collection at /Application/Views (ACTOLE.Views: Create(n, n) -> o) and one
// object per view at /Application/Views/<n> (ACTOLE.View: LookupAll() -> i,
// CreateLookup(s) -> i). "No object" is the path "/". The objects only
// translate between the bus and standin::Automation.

#include <QDBusConnection>
#include <QDBusContext>
#include <QDBusObjectPath>
#include <QObject>
#include <functional>
#include <memory>
#include <vector>

#include "standin/automation.h"

namespace standin_qt {

inline constexpr char kBusName[] = "ACTOLE.APPOBJECT";

class ViewObject : public QObject, protected QDBusContext {
  Q_OBJECT
  Q_CLASSINFO("D-Bus Interface", "ACTOLE.View")

 public:
  ViewObject(standin::Automation& automation, int number, std::function<void()> leaveBus);

 public slots:
  int LookupAll();
  int CreateLookup(const QString& ids);

 private:
  standin::Automation& automation_;
  int number_;
  std::function<void()> leaveBus_;
};

class ViewsObject : public QObject, protected QDBusContext {
  Q_OBJECT
  Q_CLASSINFO("D-Bus Interface", "ACTOLE.Views")

 public:
  ViewsObject(standin::Automation& automation, std::function<void()> leaveBus);
  ~ViewsObject() override;

 public slots:
  QDBusObjectPath Create(qint16 first, qint16 second);

 private:
  standin::Automation& automation_;
  std::function<void()> leaveBus_;
  std::vector<std::unique_ptr<ViewObject>> views_;
};

class ApplicationObject : public QObject {
  Q_OBJECT
  Q_CLASSINFO("D-Bus Interface", "ACTOLE.Application")

 public:
  explicit ApplicationObject(standin::Automation& automation);

 public slots:
  QDBusObjectPath Views();
  QString GetOpenDBName();

 private:
  standin::Automation& automation_;
};

// Exports the objects and takes the bus name.
class BusServer {
 public:
  enum class Outcome { kServing, kNoBus, kNameTaken, kNotServing };

  // `leaveBus` runs (queued, after the current call) when the stand-in is to
  // leave the bus without answering.
  BusServer(QDBusConnection connection, standin::Automation& automation,
            std::function<void()> leaveBus);
  ~BusServer();
  BusServer(const BusServer&) = delete;
  BusServer& operator=(const BusServer&) = delete;

  // With `serveApplication` false nothing is exported and no name is taken:
  // to a client that is exactly "nobody serves ACTOLE.APPOBJECT"
  // (kNotServing). Otherwise kServing, or kNoBus / kNameTaken.
  Outcome start(bool serveApplication);
  // Gives up the bus name (the objects stay until destruction).
  void leave();

 private:
  QDBusConnection connection_;
  ApplicationObject application_;
  ViewsObject views_;
  bool ownsName_ = false;
};

}  // namespace standin_qt
