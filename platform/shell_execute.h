#pragma once
// CShellExecute: hands documents, folders, programs, web addresses and e-mail
// addresses to the platform's shell, each operation with a fixed verb.
//
// Every launch returns -1 when the shell reports success (a code above 32) and
// otherwise the shell's own code, 0 to 32; a failing shell shows nothing.
// Should a call fail unexpectedly (the backend throws), the operation shows
// the standard error report titled with its own name and returns 0 (false
// for StillExecuting).
//
// Two fields: the last instance code and the last process handle. Every
// launch first clears both; only the extended launches (LaunchDocument,
// LaunchProgram) set them again, to what the shell handed back, whatever the
// outcome. StillExecuting therefore speaks only about a process started by
// the most recent operation.
//
// The process handle of an earlier launch is released when the next launch
// starts and when the object goes, so no handle leaks.
//
// Use on the user-interface thread only; not copyable, since it owns the
// process handle.

#include <cstdint>
#include <optional>
#include <string_view>

#include "common/message_boxes.h"
#include "platform/shell_backend.h"

namespace platform {

class CShellExecute {
 public:
  // Both references must outlive the object.
  CShellExecute(ShellBackend& shell, common::MessageBoxes& boxes);
  ~CShellExecute();
  CShellExecute(const CShellExecute&) = delete;
  CShellExecute& operator=(const CShellExecute&) = delete;

  // True while the process of the last LaunchDocument or LaunchProgram still
  // runs. False without asking the shell when no such launch set field 1.
  bool StillExecuting();

  std::int32_t Explore(WindowHandle lnghWnd, std::string_view strFolder,
                       std::int32_t eShowStyle = kShowDefault);
  std::int32_t LaunchDocument(WindowHandle lnghWnd, std::string_view strDocument,
                              std::string_view strStartIn, std::int32_t eShowStyle = kShowDefault);
  std::int32_t LaunchEmail(WindowHandle lnghWnd, std::string_view strAddress,
                           std::int32_t eShowStyle = kShowDefault);
  std::int32_t LaunchFolder(WindowHandle lnghWnd, std::string_view strFolder,
                            std::int32_t eShowStyle = kShowDefault);
  std::int32_t LaunchProgram(WindowHandle lnghWnd, std::string_view strProgram,
                             std::string_view strParameters = {}, std::string_view strStartIn = {},
                             std::int32_t eShowStyle = kShowDefault);
  std::int32_t LaunchURL(WindowHandle lnghWnd, std::string_view strURL,
                         std::int32_t eShowStyle = kShowDefault);
  // Always hidden (show state 0).
  std::int32_t PrintDocument(WindowHandle lnghWnd, std::string_view strDocument);

  // The two fields, for callers and tests that want to look.
  std::int32_t lastInstanceCode() const { return lastInstanceCode_; }
  ProcessHandle lastProcessHandle() const { return lastProcessHandle_; }

 private:
  std::int32_t plainLaunch(std::string_view routine, WindowHandle owner,
                           std::optional<std::string_view> verb, std::string_view file,
                           std::int32_t show);
  std::int32_t extendedLaunch(std::string_view routine, WindowHandle owner, std::string_view file,
                              std::string_view parameters, std::string_view startFolder,
                              std::int32_t show);
  // Releases the earlier launch's process handle and clears both fields.
  void forgetLastLaunch();

  ShellBackend& shell_;
  common::MessageBoxes& boxes_;
  std::int32_t lastInstanceCode_ = 0;
  ProcessHandle lastProcessHandle_ = 0;
};

}  // namespace platform
