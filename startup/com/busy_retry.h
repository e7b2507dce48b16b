#pragma once
// Calls to an automation server that answers "busy" (SERVERCALL_RETRYLATER,
// as ACT! does while it shows a dialog of its own) are retried for up to
// kBusyRetryLimit, then they count as failed. No dialog is ever shown.
//
// Two ways lead there, because systems differ:
//   - BusyRetryFilter, the thread's COM message filter: Windows asks it
//     (RetryRejectedCall) what to do with a rejected call and retries inside
//     the call;
//   - retryWhileBusy, around each call: a call that still comes back with
//     RPC_E_SERVERCALL_RETRYLATER (a system that never asks the filter, such
//     as Wine 8, or a server that answers so itself) is made again after a
//     pause, until the limit.

#include <objbase.h>

#include <chrono>
#include <functional>

#include "platform/win32/com_ptr.h"

namespace startup_com {

inline constexpr std::chrono::milliseconds kBusyRetryLimit{10'000};
inline constexpr std::chrono::milliseconds kBusyRetryPause{100};

// Makes `call` until it answers anything but RPC_E_SERVERCALL_RETRYLATER or
// `deadline` has passed; its last answer.
HRESULT retryWhileBusy(std::chrono::steady_clock::time_point deadline,
                       const std::function<HRESULT()>& call);

// A fresh message filter for the thread: rejected calls are retried every
// kBusyRetryPause while the server says "retry later" and the call is younger
// than kBusyRetryLimit; cancelled otherwise.
platform_win32::ComPtr<IMessageFilter> makeBusyRetryFilter();

}  // namespace startup_com
