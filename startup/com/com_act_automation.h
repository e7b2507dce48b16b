#pragma once
// ACT!'s automation server over COM (common/act_automation.h), called the way
// a Visual Basic program calls it late bound:
//   - CreateObject: CLSIDFromProgID, then CoCreateInstance for IDispatch, a
//     local server first (the running ACT!, or the one COM starts), any
//     other kind of server only when no local server is registered;
//   - every call: GetIDsOfNames for the member's name, then Invoke; Views,
//     Create, GetOpenDBName and CreateLookup as DISPATCH_METHOD |
//     DISPATCH_PROPERTYGET with a result, LookupAll as DISPATCH_METHOD
//     without one;
//   - arguments: Create's two numbers as VT_I2; the ID list as a BSTR by
//     reference (VT_BSTR | VT_BYREF);
//   - answers: an object is a VT_DISPATCH (or VT_UNKNOWN) that is not null;
//     GetOpenDBName's answer is converted to text and CreateLookup's to a
//     32-bit integer, whatever their variant types, as Visual Basic
//     converts them (VariantChangeType).
//
// Failures are values: nobody registered, a server that is gone
// (RPC_E_DISCONNECTED, RPC_S_SERVER_UNAVAILABLE, ...), a missing member, an
// answer that does not convert: nullptr, nullopt or false. A server that
// answers "busy" is retried for up to 10 s (busy_retry.h), then the call has
// failed. A call that gets no answer at all within kCallLimit has failed as
// well, and so has every later one (call_thread.h): a real ACT! answers
// within a second or says it is busy, so 30 s is reached only by a server
// that hangs. Nothing throws.
//
// The calls are made on a thread of their own (call_thread.h). The object
// holds the calling thread's single-threaded apartment (CoInitializeEx) for
// as long as it lives; create it, and use every object it hands out, on that
// one thread.

#include <objbase.h>

#include <chrono>
#include <functional>
#include <memory>

#include "common/act_automation.h"
#include "platform/win32/com_ptr.h"

namespace startup_com {

class CallThread;

inline constexpr std::chrono::milliseconds kCallLimit{30'000};

class ComActAutomation : public common::ActAutomation {
 public:
  explicit ComActAutomation(std::chrono::milliseconds callLimit = kCallLimit);
  ~ComActAutomation() override;
  ComActAutomation(const ComActAutomation&) = delete;
  ComActAutomation& operator=(const ComActAutomation&) = delete;

  using common::ActAutomation::CreateObject;
  // `meanwhile` runs once the creation has been handed to the call thread,
  // while COM finds or starts the server.
  std::unique_ptr<common::ActApplication> CreateObject(
      std::string_view progId, const std::function<void()>& meanwhile) override;

 private:
  HRESULT apartment_;
  std::shared_ptr<CallThread> calls_;
};

}  // namespace startup_com
