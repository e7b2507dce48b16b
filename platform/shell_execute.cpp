#include "platform/shell_execute.h"

#include <exception>
#include <new>
#include <string>

#include "common/error_report.h"

namespace platform {
namespace {

// The shell's codes above 32 mean success; the launcher reports that as -1.
std::int32_t launchResult(std::int32_t shellCode) {
  return shellCode > 32 ? -1 : shellCode;
}

// Runs `body`; anything it throws becomes the standard error report titled
// `routine`, and `onFailure` is returned. The numbers are those the classic
// run time gives such failures.
template <class Result, class Body>
Result guarded(common::MessageBoxes& boxes, std::string_view routine, Result onFailure,
               Body&& body) {
  try {
    return body();
  } catch (const std::bad_alloc&) {
    common::showStandardErrorReport(boxes, routine, 7, "Nicht genügend Speicher");
  } catch (const std::exception& e) {
    std::string_view what = e.what();
    common::showStandardErrorReport(boxes, routine, 51, what.empty() ? "Interner Fehler" : what);
  } catch (...) {
    common::showStandardErrorReport(boxes, routine, 51, "Interner Fehler");
  }
  return onFailure;
}

}  // namespace

CShellExecute::CShellExecute(ShellBackend& shell, common::MessageBoxes& boxes)
    : shell_(shell), boxes_(boxes) {}

CShellExecute::~CShellExecute() {
  try {
    if (lastProcessHandle_ != 0) shell_.releaseProcess(lastProcessHandle_);
  } catch (...) {
    // Nothing sensible to tell anybody while the object goes.
  }
}

void CShellExecute::forgetLastLaunch() {
  ProcessHandle earlier = lastProcessHandle_;
  lastInstanceCode_ = 0;
  lastProcessHandle_ = 0;
  if (earlier != 0) shell_.releaseProcess(earlier);
}

bool CShellExecute::StillExecuting() {
  return guarded(boxes_, "StillExecuting", false, [&] {
    if (lastInstanceCode_ == 0) return false;
    return shell_.processStillActive(lastProcessHandle_);
  });
}

std::int32_t CShellExecute::plainLaunch(std::string_view routine, WindowHandle owner,
                                        std::optional<std::string_view> verb, std::string_view file,
                                        std::int32_t show) {
  return guarded(boxes_, routine, std::int32_t{0}, [&] {
    forgetLastLaunch();
    return launchResult(shell_.shellExecute(owner, verb, file, std::nullopt, std::nullopt, show));
  });
}

std::int32_t CShellExecute::extendedLaunch(std::string_view routine, WindowHandle owner,
                                           std::string_view file, std::string_view parameters,
                                           std::string_view startFolder, std::int32_t show) {
  return guarded(boxes_, routine, std::int32_t{0}, [&] {
    forgetLastLaunch();
    ShellExecuteExResult launched = shell_.shellExecuteEx(
        owner, kMaskNoCloseProcess | kMaskDoEnvSubst, "Open", file, parameters, startFolder, show);
    lastInstanceCode_ = launched.instanceCode;
    lastProcessHandle_ = launched.process;
    return launchResult(launched.instanceCode);
  });
}

std::int32_t CShellExecute::Explore(WindowHandle lnghWnd, std::string_view strFolder,
                                    std::int32_t eShowStyle) {
  return plainLaunch("Explore", lnghWnd, "explore", strFolder, eShowStyle);
}

std::int32_t CShellExecute::LaunchDocument(WindowHandle lnghWnd, std::string_view strDocument,
                                           std::string_view strStartIn, std::int32_t eShowStyle) {
  return extendedLaunch("LaunchDocument", lnghWnd, strDocument, "", strStartIn, eShowStyle);
}

std::int32_t CShellExecute::LaunchEmail(WindowHandle lnghWnd, std::string_view strAddress,
                                        std::int32_t eShowStyle) {
  return guarded(boxes_, "LaunchEmail", std::int32_t{0}, [&] {
    std::string mailto = "mailto:";
    mailto += strAddress;
    return plainLaunch("LaunchEmail", lnghWnd, std::nullopt, mailto, eShowStyle);
  });
}

std::int32_t CShellExecute::LaunchFolder(WindowHandle lnghWnd, std::string_view strFolder,
                                         std::int32_t eShowStyle) {
  return plainLaunch("LaunchFolder", lnghWnd, "open", strFolder, eShowStyle);
}

std::int32_t CShellExecute::LaunchProgram(WindowHandle lnghWnd, std::string_view strProgram,
                                          std::string_view strParameters,
                                          std::string_view strStartIn, std::int32_t eShowStyle) {
  return extendedLaunch("LaunchProgram", lnghWnd, strProgram, strParameters, strStartIn,
                        eShowStyle);
}

std::int32_t CShellExecute::LaunchURL(WindowHandle lnghWnd, std::string_view strURL,
                                      std::int32_t eShowStyle) {
  return plainLaunch("LaunchURL", lnghWnd, std::nullopt, strURL, eShowStyle);
}

std::int32_t CShellExecute::PrintDocument(WindowHandle lnghWnd, std::string_view strDocument) {
  return plainLaunch("PrintDocument", lnghWnd, "print", strDocument, kShowHidden);
}

}  // namespace platform
