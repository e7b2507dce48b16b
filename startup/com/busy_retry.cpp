#include "startup/com/busy_retry.h"

#include <algorithm>
#include <thread>

namespace startup_com {

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

}  // namespace startup_com
