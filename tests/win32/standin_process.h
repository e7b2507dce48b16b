#pragma once
// The stand-in ACT! for Windows as a process in tests under Wine: started
// with its arguments, its standard error collected, and ended when the test
// is done (its window closed, or killed if it does not go).
//
//   win32_test::StandinProcess act({L"--log", log, table});
//   ASSERT_TRUE(act.waitUntilServing());
//
// "Serving" means its main window exists: the stand-in registers its class
// object before it opens the window. The program's path comes from the
// compile definition ACT_STANDIN_PATH. Header-only.

#include <windows.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "platform/win32/wide_text.h"
#include "platform/win32/win32_handles.h"
#include "platform/win32/win32_test_util.h"

namespace win32_test {

// One command-line argument, quoted as CommandLineToArgvW reads it back.
inline std::wstring quoted(const std::wstring& argument) {
  if (!argument.empty() && argument.find_first_of(L" \t\"") == std::wstring::npos) return argument;
  std::wstring text = L"\"";
  std::size_t backslashes = 0;
  for (const wchar_t c : argument) {
    if (c == L'\\') {
      ++backslashes;
      continue;
    }
    text.append(c == L'"' ? 2 * backslashes + 1 : backslashes, L'\\');
    backslashes = 0;
    text += c;
  }
  text.append(2 * backslashes, L'\\');
  return text + L"\"";
}

// The lines of a text file (the stand-in's call log).
inline std::vector<std::string> linesOf(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  std::vector<std::string> lines;
  for (std::string line; std::getline(file, line);) lines.push_back(line);
  return lines;
}

class StandinProcess {
 public:
  explicit StandinProcess(const std::vector<std::wstring>& arguments,
                          std::wstring windowClass = L"act3.0frameclass")
      : windowClass_(std::move(windowClass)) {
    std::wstring commandLine = quoted(platform_win32::wideFromUtf8(ACT_STANDIN_PATH));
    for (const std::wstring& argument : arguments) commandLine += L" " + quoted(argument);
    SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    HANDLE readEnd = nullptr;
    HANDLE writeEnd = nullptr;
    if (!CreatePipe(&readEnd, &writeEnd, &inherit, 0)) return;
    errors_.reset(readEnd);
    const platform_win32::UniqueHandle writer(writeEnd);
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
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
    if (WaitForSingleObject(process_.get(), 5000) != WAIT_OBJECT_0) kill();
  }
  StandinProcess(const StandinProcess&) = delete;
  StandinProcess& operator=(const StandinProcess&) = delete;

  // True once the main window exists; false when the stand-in ended first or
  // did not get so far within `patience`.
  bool waitUntilServing(std::chrono::milliseconds patience = std::chrono::seconds(15)) {
    waitFor([this] { return !running() || findWindow() != nullptr; }, patience);
    window_ = findWindow();
    return window_ != nullptr && running();
  }

  HWND window() const { return window_; }
  DWORD id() const { return id_; }
  bool running() const {
    return process_ && WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT;
  }

  // Closes the main window, as a user ends the program.
  void close() {
    if (window_ == nullptr) window_ = findWindow();
    if (window_ != nullptr) PostMessageW(window_, WM_CLOSE, 0, 0);
  }
  void kill() const {
    if (process_) {
      TerminateProcess(process_.get(), 99);
      WaitForSingleObject(process_.get(), 5000);
    }
  }

  // The exit status once the stand-in has ended within `patience`, else -1.
  int waitForExit(std::chrono::milliseconds patience = std::chrono::seconds(10)) const {
    if (!process_) return -1;
    if (WaitForSingleObject(process_.get(), static_cast<DWORD>(patience.count())) !=
        WAIT_OBJECT_0) {
      return -1;
    }
    DWORD code = 0;
    GetExitCodeProcess(process_.get(), &code);
    return static_cast<int>(code);
  }

  // What it wrote to its standard error so far (UTF-8).
  std::string standardError() {
    DWORD waiting = 0;
    while (errors_ && PeekNamedPipe(errors_.get(), nullptr, 0, nullptr, &waiting, nullptr) &&
           waiting > 0) {
      std::string chunk(waiting, '\0');
      DWORD got = 0;
      if (!ReadFile(errors_.get(), chunk.data(), waiting, &got, nullptr)) break;
      errorText_.append(chunk, 0, got);
    }
    return errorText_;
  }

 private:
  HWND findWindow() const {
    struct Search {
      DWORD id;
      const std::wstring* className;
      HWND found;
    } search{id_, &windowClass_, nullptr};
    EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
          auto* s = reinterpret_cast<Search*>(data);
          DWORD owner = 0;
          GetWindowThreadProcessId(window, &owner);
          wchar_t name[256] = {};
          GetClassNameW(window, name, 256);
          if (owner != s->id ||
              CompareStringOrdinal(name, -1, s->className->c_str(), -1, TRUE) != CSTR_EQUAL) {
            return TRUE;
          }
          s->found = window;
          return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
  }

  std::wstring windowClass_;
  platform_win32::UniqueHandle process_;
  platform_win32::UniqueHandle errors_;
  DWORD id_ = 0;
  HWND window_ = nullptr;
  std::string errorText_;
};

}  // namespace win32_test
