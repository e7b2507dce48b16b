#include "startup/com/busy_retry.h"

#include <thread>

#include "platform/win32/com_object.h"

namespace startup_com {
namespace {

class BusyRetryFilter final : public platform_win32::ComObject<IMessageFilter> {
 public:
  BusyRetryFilter() : ComObject(IID_IMessageFilter) {}

  DWORD STDMETHODCALLTYPE HandleInComingCall(DWORD, HTASK, DWORD, LPINTERFACEINFO) override {
    return SERVERCALL_ISHANDLED;
  }
  // Milliseconds to wait before the next try, or -1 to give up.
  DWORD STDMETHODCALLTYPE RetryRejectedCall(HTASK, DWORD elapsedMs, DWORD rejection) override {
    if (rejection == SERVERCALL_RETRYLATER && elapsedMs < kBusyRetryLimit.count()) {
      return static_cast<DWORD>(kBusyRetryPause.count());
    }
    return static_cast<DWORD>(-1);
  }
  DWORD STDMETHODCALLTYPE MessagePending(HTASK, DWORD, DWORD) override {
    return PENDINGMSG_WAITDEFPROCESS;
  }

 private:
  ~BusyRetryFilter() override = default;
};

}  // namespace

HRESULT retryWhileBusy(std::chrono::steady_clock::time_point deadline,
                       const std::function<HRESULT()>& call) {
  for (;;) {
    const HRESULT result = call();
    const auto now = std::chrono::steady_clock::now();
    if (result != RPC_E_SERVERCALL_RETRYLATER || now >= deadline) return result;
    std::this_thread::sleep_for(
        std::min<std::chrono::steady_clock::duration>(kBusyRetryPause, deadline - now));
  }
}

platform_win32::ComPtr<IMessageFilter> makeBusyRetryFilter() {
  return platform_win32::ComPtr<IMessageFilter>::adopt(new BusyRetryFilter);
}

}  // namespace startup_com
