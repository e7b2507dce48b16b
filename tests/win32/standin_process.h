#pragma once
// The stand-in ACT! for Windows as a process in tests under Wine: started
// with its arguments, its standard error collected, and ended when the test
// is done by closing its window (killed only if it does not go: under Wine 8
// a killed COM server stays registered in rpcss).
//
//   win32_test::StandinProcess act({L"--log", log, table});
//   ASSERT_TRUE(act.waitUntilServing());
//
// "Serving" means its main window exists: the stand-in registers its class
// object before it opens the window. The program's path comes from the
// compile definition ACT_STANDIN_PATH. Header-only.

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/win32/win32_test_util.h"

namespace win32_test {

// The lines of a text file (the stand-in's call log).
inline std::vector<std::string> linesOf(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  std::vector<std::string> lines;
  for (std::string line; std::getline(file, line);) lines.push_back(line);
  return lines;
}

// A path as the stand-in reports it (full, Windows separators), and as its
// log writes it (JSON, backslashes doubled).
inline std::string reportedPath(const std::string& path) {
  return platform_win32::utf8FromWide(std::filesystem::path(platform_win32::wideFromUtf8(path))
                                          .lexically_normal()
                                          .make_preferred()
                                          .wstring());
}
inline std::string logged(std::string text) {
  for (std::size_t at = text.find('\\'); at != std::string::npos; at = text.find('\\', at + 2)) {
    text.insert(at, 1, '\\');
  }
  return text;
}

class StandinProcess {
 public:
  // Each argument is passed in quotes (none of ours holds a quote or ends
  // with a backslash).
  explicit StandinProcess(const std::vector<std::wstring>& arguments,
                          std::wstring windowClass = L"act3.0frameclass")
      : windowClass_(std::move(windowClass)) {
    std::wstring commandLine = L"\"" + platform_win32::wideFromUtf8(ACT_STANDIN_PATH) + L"\"";
    for (const std::wstring& argument : arguments) commandLine += L" \"" + argument + L"\"";
    SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    HANDLE readEnd = nullptr;
    HANDLE writeEnd = nullptr;
    if (!CreatePipe(&readEnd, &writeEnd, &inherit, 1 << 16)) return;
    errors_.reset(readEnd);
    const platform_win32::UniqueHandle writer(writeEnd);  // the child holds its own
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdError = writeEnd;
    PROCESS_INFORMATION started{};
    if (CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                       &startup, &started)) {
      CloseHandle(started.hThread);
      process_.reset(started.hProcess);
      id_ = started.dwProcessId;
    }
  }
  ~StandinProcess() {
    if (!running()) return;
    close();
    if (waitForExit(std::chrono::seconds(5)) < 0) TerminateProcess(process_.get(), 99);
  }
  StandinProcess(const StandinProcess&) = delete;
  StandinProcess& operator=(const StandinProcess&) = delete;

  // True once the main window exists; false when the stand-in ended first or
  // did not get so far within `patience`.
  bool waitUntilServing(std::chrono::milliseconds patience = std::chrono::seconds(15)) {
    waitFor([this] { return !running() || (window_ = findWindow()) != nullptr; }, patience);
    return window_ != nullptr && running();
  }
  HWND window() const { return window_; }
  bool running() const {
    return process_ && WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT;
  }
  // Closes the main window, as a user ends the program.
  void close() {
    if (window_ == nullptr) window_ = findWindow();
    if (window_ != nullptr) PostMessageW(window_, WM_CLOSE, 0, 0);
  }
  // The exit status once the stand-in has ended within `patience`, else -1.
  int waitForExit(std::chrono::milliseconds patience = std::chrono::seconds(10)) const {
    DWORD code = 0;
    if (!process_ ||
        WaitForSingleObject(process_.get(), static_cast<DWORD>(patience.count())) !=
            WAIT_OBJECT_0 ||
        !GetExitCodeProcess(process_.get(), &code)) {
      return -1;
    }
    return static_cast<int>(code);
  }
  // What it wrote to its standard error once it has ended (UTF-8).
  std::string standardError() {
    if (running()) return {};
    std::string text(1 << 16, '\0');
    DWORD got = 0;
    if (!errors_ ||
        !ReadFile(errors_.get(), text.data(), static_cast<DWORD>(text.size()), &got, nullptr)) {
      got = 0;
    }
    return text.substr(0, got);
  }

 private:
  HWND findWindow() const {
    std::pair<const StandinProcess*, HWND> search{this, nullptr};
    EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
          auto* s = reinterpret_cast<std::pair<const StandinProcess*, HWND>*>(data);
          DWORD owner = 0;
          GetWindowThreadProcessId(window, &owner);
          wchar_t name[256] = {};
          GetClassNameW(window, name, 256);
          if (owner != s->first->id_ || s->first->windowClass_ != name) return TRUE;
          s->second = window;
          return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.second;
  }

  std::wstring windowClass_;
  platform_win32::UniqueHandle process_;
  platform_win32::UniqueHandle errors_;
  DWORD id_ = 0;
  HWND window_ = nullptr;
};

}  // namespace win32_test
