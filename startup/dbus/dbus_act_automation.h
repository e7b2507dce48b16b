#pragma once
// ACT!'s automation server over D-Bus (common/act_automation.h).
//
// The ProgID is the well-known bus name; CreateObject binds the application
// object to the name's current owner (its unique name), so a server that
// leaves and comes back is a new server, as a new process is for COM. Members
// are called by name at run time, with these interfaces:
//   /Application             ACTOLE.Application  Views() -> o, GetOpenDBName() -> s
//   /Application/Views       ACTOLE.Views        Create(n, n) -> o
//   /Application/Views/<n>   ACTOLE.View         LookupAll() -> i, CreateLookup(s) -> i
// The object path "/" means "no object". A views or view path is taken as the
// server answers it.
//
// Every call waits at most kCallTimeoutMs for its answer; a call that gets no
// answer in time, an error answer (member missing, server left the bus) or an
// answer of the wrong type gives nullptr, nullopt or false. Nothing throws.
// Releasing an object tells the server nothing.
//
// Requires a QCoreApplication (or QApplication) to exist for as long as the
// objects are used; without one CreateObject gives nullptr. The calls block
// the calling thread without running its event loop. CreateObject connects
// to the bus (on its first call) and asks who owns the name on a thread of
// its own, while the caller's `meanwhile` runs on the calling thread.

#include <QDBusConnection>
#include <functional>
#include <memory>
#include <optional>

#include "common/act_automation.h"

namespace startup_dbus {

// The time limit of one call, in milliseconds.
inline constexpr int kCallTimeoutMs = 5000;

class DBusActAutomation : public common::ActAutomation {
 public:
  // On the session bus (DBUS_SESSION_BUS_ADDRESS).
  DBusActAutomation();
  // On the given connection (a private bus in tests), with another time limit
  // per call if need be.
  explicit DBusActAutomation(QDBusConnection connection, int callTimeoutMs = kCallTimeoutMs);

  using common::ActAutomation::CreateObject;
  std::unique_ptr<common::ActApplication> CreateObject(
      std::string_view progId, const std::function<void()>& meanwhile) override;

 private:
  // The unique name of the owner of the bus name `name`, or nullopt.
  std::optional<QString> ownerOf(const QString& name);

  std::optional<QDBusConnection> connection_;  // unset: the session bus, on first use
  int callTimeoutMs_ = kCallTimeoutMs;
};

}  // namespace startup_dbus
