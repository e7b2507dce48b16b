#pragma once
// The platform's shell: hands a file, folder, program, web address or e-mail
// address to whatever the desktop associates with it. CShellExecute holds the
// launcher's rules; a backend only carries out one call.
//
// Result codes follow the Windows shell: a value above 32 means success; 0 to
// 32 is the error (0 out of memory or resources, 2 file not found, 3 path not
// found, 5 access denied, 8 out of memory, 11 bad format, 26 sharing
// violation, 31 no association). Each backend documents how it maps its own
// failures onto these codes.
//
// Errors are values: no member throws by design. The launcher still guards
// every call, so an exception that escapes anyway (out of memory) is reported
// and does not reach the dialog.

#include <cstdint>
#include <optional>
#include <string_view>

namespace platform {

using WindowHandle = std::uint32_t;   // the owner window; 0 for none
using ProcessHandle = std::uint32_t;  // a process a launch started; 0 for none

// Flags of the extended call.
inline constexpr std::uint32_t kMaskNoCloseProcess = 0x40;  // hand back the process handle
inline constexpr std::uint32_t kMaskDoEnvSubst = 0x200;     // expand variables in file and folder

// Show states (the platform's nShow values) the program uses.
inline constexpr std::int32_t kShowHidden = 0;
inline constexpr std::int32_t kShowMaximized = 3;
inline constexpr std::int32_t kShowDefault = 10;

struct ShellExecuteExResult {
  std::int32_t instanceCode = 0;  // > 32 on success, otherwise the error code
  ProcessHandle process = 0;      // 0 when no process was started or none is handed back
};

class ShellBackend {
 public:
  virtual ~ShellBackend() = default;

  // One plain shell call. `verb`, `parameters` and `startFolder` distinguish
  // null (std::nullopt: the default verb, no parameters, the current folder)
  // from the empty text. Texts are UTF-8. Returns the shell's code.
  virtual std::int32_t shellExecute(WindowHandle owner, std::optional<std::string_view> verb,
                                    std::string_view file,
                                    std::optional<std::string_view> parameters,
                                    std::optional<std::string_view> startFolder,
                                    std::int32_t show) = 0;

  // The extended call. With kMaskNoCloseProcess the started process (if any)
  // is handed back; the caller then owns it until releaseProcess().
  virtual ShellExecuteExResult shellExecuteEx(WindowHandle owner, std::uint32_t mask,
                                              std::optional<std::string_view> verb,
                                              std::string_view file,
                                              std::optional<std::string_view> parameters,
                                              std::optional<std::string_view> startFolder,
                                              std::int32_t show) = 0;

  // True while the process is still running. False for 0, for a handle this
  // backend did not hand out, and once the process has ended. Never blocks.
  virtual bool processStillActive(ProcessHandle process) = 0;

  // Gives up the handle; the process itself keeps running. Harmless for 0 and
  // for unknown handles.
  virtual void releaseProcess(ProcessHandle process) = 0;
};

}  // namespace platform
