#include "standin/qt/bus_objects.h"

#include <QDBusConnectionInterface>
#include <QMetaObject>

namespace standin_qt {
namespace {

constexpr QDBusConnection::RegisterOptions kExport = QDBusConnection::ExportAllSlots;

}  // namespace

ViewObject::ViewObject(standin::Automation& automation, int number, std::function<void()> leaveBus)
    : automation_(automation), number_(number), leaveBus_(std::move(leaveBus)) {}

int ViewObject::LookupAll() {
  return automation_.lookupAll(number_);
}

int ViewObject::CreateLookup(const QString& ids) {
  const std::optional<int> answer = automation_.createLookup(number_, ids.toStdString());
  if (answer) return *answer;
  // No answer at all: the caller learns from the bus that we are gone.
  if (calledFromDBus()) setDelayedReply(true);
  QMetaObject::invokeMethod(this, leaveBus_, Qt::QueuedConnection);
  return 0;
}

ViewsObject::ViewsObject(standin::Automation& automation, std::function<void()> leaveBus)
    : automation_(automation), leaveBus_(std::move(leaveBus)) {}

ViewsObject::~ViewsObject() = default;

QDBusObjectPath ViewsObject::Create(qint16 first, qint16 second) {
  const QString path = QString::fromStdString(automation_.create(first, second));
  const int number = automation_.viewNumber(path.toStdString());
  if (number == 0) return QDBusObjectPath(path);
  views_.push_back(std::make_unique<ViewObject>(automation_, number, leaveBus_));
  if (calledFromDBus()) connection().registerObject(path, views_.back().get(), kExport);
  return QDBusObjectPath(path);
}

ApplicationObject::ApplicationObject(standin::Automation& automation) : automation_(automation) {}

QDBusObjectPath ApplicationObject::Views() {
  return QDBusObjectPath(QString::fromStdString(automation_.views()));
}

QString ApplicationObject::GetOpenDBName() {
  return QString::fromStdString(automation_.getOpenDBName());
}

BusServer::BusServer(QDBusConnection connection, standin::Automation& automation,
                     std::function<void()> leaveBus)
    : connection_(std::move(connection)),
      application_(automation),
      views_(automation, std::move(leaveBus)) {}

BusServer::~BusServer() {
  leave();
  connection_.unregisterObject(QString::fromLatin1(standin::kApplicationPath),
                               QDBusConnection::UnregisterTree);
}

BusServer::Outcome BusServer::start(bool serveApplication) {
  if (!connection_.isConnected()) return Outcome::kNoBus;
  if (!serveApplication) return Outcome::kNotServing;
  // Objects first, so a call that arrives the moment the name is ours is served.
  connection_.registerObject(QString::fromLatin1(standin::kApplicationPath), &application_,
                             kExport);
  connection_.registerObject(QString::fromLatin1(standin::kViewsPath), &views_, kExport);
  // The name is requested without queueing: a second stand-in is refused at
  // once instead of waiting in line for the first to leave.
  if (!connection_.registerService(QString::fromLatin1(kBusName))) return Outcome::kNameTaken;
  ownsName_ = true;
  return Outcome::kServing;
}

void BusServer::leave() {
  if (ownsName_) connection_.unregisterService(QString::fromLatin1(kBusName));
  ownsName_ = false;
}

}  // namespace standin_qt
