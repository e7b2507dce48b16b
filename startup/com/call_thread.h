#pragma once
// The thread on which every call to ACT!'s automation server is made, in the
// process's multithreaded apartment, so that a server that takes a call and
// never answers cannot hold the program for good.
//
// The caller waits for each call at most `limit`. Meanwhile its thread
// handles sent, posted, timer and paint messages but no input, as COM does
// while a single-threaded apartment waits for an answer: windows repaint and
// a server in the caller's own apartment is served, but no click starts
// anything new. A call that is not answered in time counts as failed
// (RPC_E_TIMEOUT). The thread is then still inside it; every later call
// fails at once, and what that call holds is never touched again.

#include <objbase.h>

#include <chrono>
#include <functional>
#include <memory>
#include <thread>
#include <utility>

#include "platform/win32/com_ptr.h"

namespace startup_com {

class CallThread {
 public:
  explicit CallThread(std::chrono::milliseconds limit);
  ~CallThread();
  CallThread(const CallThread&) = delete;
  CallThread& operator=(const CallThread&) = delete;

  // Runs `call` on the thread; its answer, or RPC_E_TIMEOUT. The call must
  // own what it uses (capture by value): after a timeout it may still run
  // while the caller has moved on.
  //
  // `meanwhile` (when set) runs once on the caller's thread, once the call
  // has been handed to the thread and before the waiting begins (also when
  // no call can be made); the time limit counts from its end. Should it
  // throw, the call is still waited for, then the exception goes on.
  HRESULT run(std::function<HRESULT()> call, const std::function<void()>& meanwhile = {});

  // Runs `work` on the thread and hands back what it made, or an empty
  // value (nullptr, nullopt, false) when the call failed or timed out;
  // `meanwhile` as for run.
  template <typename Work>
  auto make(Work work, const std::function<void()>& meanwhile = {}) -> decltype(work()) {
    auto made = std::make_shared<decltype(work())>();
    if (FAILED(run(
            [made, work]() {
              *made = work();
              return S_OK;
            },
            meanwhile))) {
      return {};
    }
    return std::move(*made);
  }

  // Releases an interface on the thread (its apartment); after a timeout
  // the reference is left alone, as the thread may still use it.
  template <typename T>
  void release(platform_win32::ComPtr<T>& object) {
    if (!object) return;
    T* raw = object.detach();
    if (!timedOut_) {
      run([raw] {
        raw->Release();
        return S_OK;
      });
    }
  }

 private:
  struct Shared;
  std::chrono::milliseconds limit_;
  std::shared_ptr<Shared> shared_;  // also the thread's: it may outlive this object
  std::thread thread_;
  bool timedOut_ = false;
};

}  // namespace startup_com
