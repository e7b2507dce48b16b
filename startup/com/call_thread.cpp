#include "startup/com/call_thread.h"

#include <windows.h>

#include <exception>
#include <optional>

#include "platform/win32/win32_handles.h"

namespace startup_com {

struct CallThread::Shared {
  platform_win32::UniqueHandle callReady{CreateEventW(nullptr, FALSE, FALSE, nullptr)};
  platform_win32::UniqueHandle callDone{CreateEventW(nullptr, FALSE, FALSE, nullptr)};
  std::function<HRESULT()> call;  // empty: the thread is to end
  HRESULT answer = S_OK;
};

CallThread::CallThread(std::chrono::milliseconds limit)
    : limit_(limit), shared_(std::make_shared<Shared>()) {
  if (!shared_->callReady || !shared_->callDone) return;
  try {
    thread_ = std::thread([shared = shared_] {
      CoInitializeEx(nullptr, COINIT_MULTITHREADED);
      for (;;) {
        WaitForSingleObject(shared->callReady.get(), INFINITE);
        if (!shared->call) break;
        shared->answer = shared->call();
        shared->call = nullptr;  // what the call held goes in this apartment
        SetEvent(shared->callDone.get());
      }
      CoUninitialize();
    });
  } catch (...) {
    // No thread: every call fails.
  }
}

CallThread::~CallThread() {
  if (!thread_.joinable()) return;
  if (timedOut_) {
    thread_.detach();  // still inside the unanswered call; the process ends it
    return;
  }
  shared_->call = nullptr;
  SetEvent(shared_->callReady.get());
  thread_.join();
}

HRESULT CallThread::run(std::function<HRESULT()> call, const std::function<void()>& meanwhile) {
  if (timedOut_ || !thread_.joinable()) {
    if (meanwhile) meanwhile();
    return RPC_E_TIMEOUT;
  }
  shared_->call = std::move(call);
  SetEvent(shared_->callReady.get());

  std::exception_ptr meanwhileFailed;
  if (meanwhile) {
    try {
      meanwhile();
    } catch (...) {
      meanwhileFailed = std::current_exception();
    }
  }

  const auto deadline = std::chrono::steady_clock::now() + limit_;
  const HANDLE done = shared_->callDone.get();
  std::optional<int> quit;  // a WM_QUIT seen while waiting, posted again after it
  HRESULT answer = RPC_E_TIMEOUT;
  for (;;) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    const DWORD wait = MsgWaitForMultipleObjects(
        1, &done, FALSE, left.count() > 0 ? static_cast<DWORD>(left.count()) : 0,
        QS_SENDMESSAGE | QS_POSTMESSAGE | QS_TIMER | QS_PAINT);
    if (wait == WAIT_OBJECT_0) {
      answer = shared_->answer;
      break;
    }
    if (wait != WAIT_OBJECT_0 + 1) {
      timedOut_ = true;
      break;
    }
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0,
                        PM_REMOVE | PM_QS_SENDMESSAGE | PM_QS_POSTMESSAGE | PM_QS_PAINT)) {
      if (message.message == WM_QUIT) {
        quit = static_cast<int>(message.wParam);
        continue;
      }
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }
  if (quit) PostQuitMessage(*quit);
  if (meanwhileFailed) std::rethrow_exception(meanwhileFailed);
  return answer;
}

}  // namespace startup_com
