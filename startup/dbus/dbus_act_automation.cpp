#include "startup/dbus/dbus_act_automation.h"

#include <QCoreApplication>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QVariant>
#include <future>
#include <system_error>

namespace startup_dbus {
namespace {

const QString kApplicationInterface = QStringLiteral("ACTOLE.Application");
const QString kViewsInterface = QStringLiteral("ACTOLE.Views");
const QString kViewInterface = QStringLiteral("ACTOLE.View");

// One object of the server: whom to call, and where.
struct Remote {
  QDBusConnection connection;
  QString service;  // the owner's unique name
  QString path;
  int timeoutMs;
};

// The first value of the answer to `member`, or nullopt when the call failed.
std::optional<QVariant> call(const Remote& remote, const QString& interface, const QString& member,
                             const QVariantList& arguments = {}) {
  QDBusMessage message =
      QDBusMessage::createMethodCall(remote.service, remote.path, interface, member);
  message.setArguments(arguments);
  const QDBusMessage reply = remote.connection.call(message, QDBus::Block, remote.timeoutMs);
  if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) {
    return std::nullopt;
  }
  return reply.arguments().front();
}

// An object path answer; nullopt for "/" and for anything that is no path.
std::optional<QString> objectPathOf(const std::optional<QVariant>& answer) {
  if (!answer || answer->metaType() != QMetaType::fromType<QDBusObjectPath>()) return std::nullopt;
  const QString path = answer->value<QDBusObjectPath>().path();
  if (path.isEmpty() || path == u"/") return std::nullopt;
  return path;
}

class DBusView : public common::ActView {
 public:
  explicit DBusView(Remote remote) : remote_(std::move(remote)) {}

  bool LookupAll() override {
    return call(remote_, kViewInterface, QStringLiteral("LookupAll")).has_value();
  }

  std::optional<std::int32_t> CreateLookup(std::string& idList) override {
    const auto answer = call(remote_, kViewInterface, QStringLiteral("CreateLookup"),
                             {QString::fromStdString(idList)});
    if (!answer) return std::nullopt;
    // ACT! answers a 32-bit number; other whole-number types are taken as such.
    switch (answer->metaType().id()) {
      case QMetaType::Int:
      case QMetaType::Short:
      case QMetaType::UShort:
      case QMetaType::UChar:
        return answer->toInt();
      case QMetaType::UInt:
        return static_cast<std::int32_t>(answer->toUInt());
      default:
        return std::nullopt;
    }
  }

 private:
  Remote remote_;
};

class DBusViews : public common::ActViews {
 public:
  explicit DBusViews(Remote remote) : remote_(std::move(remote)) {}

  std::unique_ptr<common::ActView> Create(std::int16_t first, std::int16_t second) override {
    const auto path = objectPathOf(
        call(remote_, kViewsInterface, QStringLiteral("Create"),
             {QVariant::fromValue<qint16>(first), QVariant::fromValue<qint16>(second)}));
    if (!path) return nullptr;
    return std::make_unique<DBusView>(
        Remote{remote_.connection, remote_.service, *path, remote_.timeoutMs});
  }

 private:
  Remote remote_;
};

class DBusApplication : public common::ActApplication {
 public:
  explicit DBusApplication(Remote remote) : remote_(std::move(remote)) {}

  std::unique_ptr<common::ActViews> Views() override {
    const auto path = objectPathOf(call(remote_, kApplicationInterface, QStringLiteral("Views")));
    if (!path) return nullptr;
    return std::make_unique<DBusViews>(
        Remote{remote_.connection, remote_.service, *path, remote_.timeoutMs});
  }

  std::optional<std::string> GetOpenDBName() override {
    const auto answer = call(remote_, kApplicationInterface, QStringLiteral("GetOpenDBName"));
    if (!answer || answer->metaType() != QMetaType::fromType<QString>()) return std::nullopt;
    return answer->toString().toStdString();
  }

 private:
  Remote remote_;
};

// What `work` gives, made on a thread of its own while `meanwhile` runs on
// this one; without a thread to be had, the two run here one after the other.
template <typename Work>
auto whileRunning(const std::function<void()>& meanwhile, Work work) -> decltype(work()) {
  std::future<decltype(work())> made;
  try {
    made = std::async(std::launch::async, work);
  } catch (const std::system_error&) {
    made = std::async(std::launch::deferred, work);
  }
  if (meanwhile) meanwhile();
  return made.get();
}

}  // namespace

DBusActAutomation::DBusActAutomation() = default;

DBusActAutomation::DBusActAutomation(QDBusConnection connection, int callTimeoutMs)
    : connection_(std::move(connection)), callTimeoutMs_(callTimeoutMs) {}

std::unique_ptr<common::ActApplication> DBusActAutomation::CreateObject(
    std::string_view progId, const std::function<void()>& meanwhile) {
  if (QCoreApplication::instance() == nullptr) {
    if (meanwhile) meanwhile();
    return nullptr;
  }
  const QString name = QString::fromUtf8(progId.data(), static_cast<qsizetype>(progId.size()));
  const std::optional<QString> owner =
      whileRunning(meanwhile, [this, name] { return ownerOf(name); });
  if (!owner) return nullptr;
  return std::make_unique<DBusApplication>(
      Remote{*connection_, *owner, QStringLiteral("/Application"), callTimeoutMs_});
}

std::optional<QString> DBusActAutomation::ownerOf(const QString& name) {
  if (!connection_) connection_ = QDBusConnection::sessionBus();
  if (!connection_->isConnected()) return std::nullopt;
  // An error answer (no owner, malformed name) is "nobody".
  const Remote bus{*connection_, QStringLiteral("org.freedesktop.DBus"),
                   QStringLiteral("/org/freedesktop/DBus"), callTimeoutMs_};
  const auto owner =
      call(bus, QStringLiteral("org.freedesktop.DBus"), QStringLiteral("GetNameOwner"), {name});
  if (!owner || owner->metaType() != QMetaType::fromType<QString>()) return std::nullopt;
  return owner->toString();
}

}  // namespace startup_dbus
