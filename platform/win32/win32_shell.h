#pragma once
// The shell launcher's calls on Windows: ShellExecuteW, ShellExecuteExW and
// GetExitCodeProcess. Texts are converted from UTF-8 to UTF-16; codes, verbs,
// masks and show states are Windows' own, passed through unchanged.
//
// The result of a plain call is the shell's HINSTANCE value as a number (above
// 32 on success, the error code otherwise). Processes that an extended call
// hands back are owned here, behind small numbers, until releaseProcess or
// until the backend goes away; the processes themselves keep running.
//
// The shell's handlers may use COM: call from a thread that has initialised
// it (single-threaded apartment), as every user-interface thread does.

#include <map>
#include <mutex>

#include "platform/shell_backend.h"
#include "platform/win32/win32_handles.h"

namespace platform_win32 {

class Win32Shell : public platform::ShellBackend {
 public:
  std::int32_t shellExecute(platform::WindowHandle owner, std::optional<std::string_view> verb,
                            std::string_view file, std::optional<std::string_view> parameters,
                            std::optional<std::string_view> startFolder,
                            std::int32_t show) override;
  platform::ShellExecuteExResult shellExecuteEx(platform::WindowHandle owner, std::uint32_t mask,
                                                std::optional<std::string_view> verb,
                                                std::string_view file,
                                                std::optional<std::string_view> parameters,
                                                std::optional<std::string_view> startFolder,
                                                std::int32_t show) override;
  bool processStillActive(platform::ProcessHandle process) override;
  void releaseProcess(platform::ProcessHandle process) override;

 private:
  std::mutex mutex_;
  std::map<platform::ProcessHandle, UniqueHandle> processes_;
  platform::ProcessHandle nextProcess_ = 1;
};

}  // namespace platform_win32
