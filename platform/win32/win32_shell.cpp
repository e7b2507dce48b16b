#include "platform/win32/win32_shell.h"

#include <shellapi.h>

#include <algorithm>
#include <climits>

#include "platform/win32/wide_text.h"

namespace platform_win32 {
namespace {

// A text handed to the shell, or null where the caller gave none.
class OptionalWide {
 public:
  explicit OptionalWide(std::optional<std::string_view> text)
      : present_(text.has_value()), text_(text ? wideFromUtf8(*text) : std::wstring()) {}
  const wchar_t* get() const { return present_ ? text_.c_str() : nullptr; }

 private:
  bool present_;
  std::wstring text_;
};

// The shell's instance code as the 32-bit number the launcher compares.
std::int32_t codeOf(HINSTANCE instance) {
  const auto code = reinterpret_cast<INT_PTR>(instance);
  return static_cast<std::int32_t>(std::clamp<INT_PTR>(code, INT_MIN, INT_MAX));
}

}  // namespace

std::int32_t Win32Shell::shellExecute(platform::WindowHandle owner,
                                      std::optional<std::string_view> verb, std::string_view file,
                                      std::optional<std::string_view> parameters,
                                      std::optional<std::string_view> startFolder,
                                      std::int32_t show) {
  const OptionalWide wideVerb(verb), wideParameters(parameters), wideFolder(startFolder);
  const std::wstring wideFile = wideFromUtf8(file);
  return codeOf(ShellExecuteW(windowOf(owner), wideVerb.get(), wideFile.c_str(),
                              wideParameters.get(), wideFolder.get(), show));
}

platform::ShellExecuteExResult Win32Shell::shellExecuteEx(
    platform::WindowHandle owner, std::uint32_t mask, std::optional<std::string_view> verb,
    std::string_view file, std::optional<std::string_view> parameters,
    std::optional<std::string_view> startFolder, std::int32_t show) {
  const OptionalWide wideVerb(verb), wideParameters(parameters), wideFolder(startFolder);
  const std::wstring wideFile = wideFromUtf8(file);
  SHELLEXECUTEINFOW info{};
  info.cbSize = sizeof(info);
  info.fMask = mask;
  info.hwnd = windowOf(owner);
  info.lpVerb = wideVerb.get();
  info.lpFile = wideFile.c_str();
  info.lpParameters = wideParameters.get();
  info.lpDirectory = wideFolder.get();
  info.nShow = show;
  ShellExecuteExW(&info);  // the outcome is in hInstApp, success or not

  platform::ShellExecuteExResult result{codeOf(info.hInstApp), 0};
  if (info.hProcess != nullptr) {
    std::lock_guard lock(mutex_);
    result.process = nextProcess_++;
    processes_.emplace(result.process, UniqueHandle(info.hProcess));
  }
  return result;
}

bool Win32Shell::processStillActive(platform::ProcessHandle process) {
  std::lock_guard lock(mutex_);
  auto it = processes_.find(process);
  if (it == processes_.end()) return false;
  DWORD exitCode = 0;
  return GetExitCodeProcess(it->second.get(), &exitCode) != 0 && exitCode == STILL_ACTIVE;
}

void Win32Shell::releaseProcess(platform::ProcessHandle process) {
  std::lock_guard lock(mutex_);
  processes_.erase(process);
}

}  // namespace platform_win32
