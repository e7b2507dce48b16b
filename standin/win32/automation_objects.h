#pragma once
// The stand-in's automation objects for COM: the application object (Views,
// GetOpenDBName), the views collection (Create) and the views (LookupAll,
// CreateLookup), each a DispatchObject whose members hand the call to the
// core's standin::Automation. "No object" is a VT_DISPATCH holding null (what
// Visual Basic calls Nothing). The class factory makes application objects.
//
// Every object keeps the server's state alive, so a client that holds an
// object after the stand-in began to end never reaches freed memory.

#include <chrono>
#include <functional>
#include <memory>

#include "platform/win32/com_ptr.h"
#include "standin/automation.h"

namespace standin_win32 {

struct ServerState {
  explicit ServerState(standin::Misbehaviour misbehaviour)
      : automation(contacts, log, misbehaviour) {}
  ServerState(const ServerState&) = delete;
  ServerState& operator=(const ServerState&) = delete;

  standin::ShownContacts contacts;
  standin::CallLog log;
  standin::Automation automation;
  // Calls are refused as "busy" until then.
  std::chrono::steady_clock::time_point busyUntil;
  bool busy() const { return std::chrono::steady_clock::now() < busyUntil; }
  // The objects clients hold (and LockServer's locks); when the count falls
  // to zero, `lastObjectGone` runs.
  int outsideObjects = 0;
  std::function<void()> lastObjectGone;
  // Ends the process at once, without answering (the switch --quit-on-lookup).
  std::function<void()> leaveWithoutAnswer;
};

// An application object. `counted`: it counts among the objects clients hold
// (not so the one in the running object table).
platform_win32::ComPtr<IDispatch> makeApplication(std::shared_ptr<ServerState> state, bool counted);

// The class factory that CoRegisterClassObject publishes.
platform_win32::ComPtr<IClassFactory> makeClassFactory(std::shared_ptr<ServerState> state);

}  // namespace standin_win32
