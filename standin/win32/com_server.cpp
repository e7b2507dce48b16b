#include "standin/win32/com_server.h"

#include "platform/win32/com_object.h"
#include "standin/win32/com_registration.h"

namespace standin_win32 {
namespace {

using platform_win32::ComPtr;

class BusyFilter final : public platform_win32::ComObject<IMessageFilter> {
 public:
  explicit BusyFilter(std::shared_ptr<ServerState> state)
      : ComObject(IID_IMessageFilter), state_(std::move(state)) {}

  DWORD STDMETHODCALLTYPE HandleInComingCall(DWORD, HTASK, DWORD, LPINTERFACEINFO) override {
    return state_->busy() ? SERVERCALL_RETRYLATER : SERVERCALL_ISHANDLED;
  }
  DWORD STDMETHODCALLTYPE RetryRejectedCall(HTASK, DWORD, DWORD) override {
    return static_cast<DWORD>(-1);  // the stand-in calls nobody
  }
  DWORD STDMETHODCALLTYPE MessagePending(HTASK, DWORD, DWORD) override {
    return PENDINGMSG_WAITDEFPROCESS;
  }

 private:
  ~BusyFilter() override = default;

  std::shared_ptr<ServerState> state_;
};

}  // namespace

ComServer::ComServer(std::shared_ptr<ServerState> state) {
  if (state->busy()) {
    const auto filter = ComPtr<IMessageFilter>::adopt(new BusyFilter(state));
    filterRegistered_ = SUCCEEDED(CoRegisterMessageFilter(filter.get(), previousFilter_.put()));
  }
  const ComPtr<IClassFactory> factory = makeClassFactory(state);
  status_ = CoRegisterClassObject(kStandinClsid, factory.get(), CLSCTX_LOCAL_SERVER,
                                  REGCLS_MULTIPLEUSE, &classCookie_);
  if (FAILED(status_)) return;
  const ComPtr<IDispatch> application = makeApplication(state, false);
  status_ =
      RegisterActiveObject(application.get(), kStandinClsid, ACTIVEOBJECT_STRONG, &activeCookie_);
}

ComServer::~ComServer() {
  revoke();
  if (filterRegistered_) {
    ComPtr<IMessageFilter> ours;
    CoRegisterMessageFilter(previousFilter_.get(), ours.put());
  }
}

void ComServer::revoke() {
  if (activeCookie_ != 0) RevokeActiveObject(std::exchange(activeCookie_, 0), nullptr);
  if (classCookie_ != 0) CoRevokeClassObject(std::exchange(classCookie_, 0));
}

}  // namespace standin_win32
