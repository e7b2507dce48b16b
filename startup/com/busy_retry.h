#pragma once
// Calls to an automation server that answers "busy" (SERVERCALL_RETRYLATER,
// as ACT! does while it shows a dialog of its own) are retried for up to
// kBusyRetryLimit, then they count as failed. No dialog is ever shown.
//
// The calls are made in the multithreaded apartment, which has no message
// filter: a rejected call comes back as RPC_E_SERVERCALL_RETRYLATER, and
// retryWhileBusy makes it again after a pause, until the limit.

#include <objbase.h>

#include <chrono>
#include <functional>


namespace startup_com {

inline constexpr std::chrono::milliseconds kBusyRetryLimit{10'000};
inline constexpr std::chrono::milliseconds kBusyRetryPause{100};

// Makes `call` until it answers anything but RPC_E_SERVERCALL_RETRYLATER or
// `deadline` has passed; its last answer.
HRESULT retryWhileBusy(std::chrono::steady_clock::time_point deadline,
                       const std::function<HRESULT()>& call);

}  // namespace startup_com
