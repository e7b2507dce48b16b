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
// failed. Nothing throws.
//
// The object holds the calling thread's single-threaded apartment
// (CoInitializeEx) and its message filter for as long as it lives; create it,
// and use every object it hands out, on that one thread, and release those
// objects before it goes.

#include <objbase.h>

#include <memory>

#include "common/act_automation.h"
#include "platform/win32/com_ptr.h"

namespace startup_com {

class ComActAutomation : public common::ActAutomation {
 public:
  ComActAutomation();
  ~ComActAutomation() override;
  ComActAutomation(const ComActAutomation&) = delete;
  ComActAutomation& operator=(const ComActAutomation&) = delete;

  std::unique_ptr<common::ActApplication> CreateObject(std::string_view progId) override;

 private:
  HRESULT apartment_;
  platform_win32::ComPtr<IMessageFilter> previousFilter_;
  bool filterRegistered_ = false;
};

}  // namespace startup_com
