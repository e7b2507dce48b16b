#pragma once
// The stand-in ACT! for Windows as a process in tests under Wine: started
// with its arguments, its standard error collected, and ended when the test
// is done by closing its window (killed only if it does not go: under Wine 8
// a killed COM server stays registered in rpcss, so a kill also restarts
// rpcss).
//
//   win32_test::StandinProcess act({"--log", log, table});
//   ASSERT_TRUE(act.waitUntilServing());
//
// "Serving" means its main window exists: the stand-in registers its class
// object before it opens the window. The program's path comes from the
// compile definition ACT_STANDIN_PATH. Header-only.

#include <windows.h>
//
#include <tlhelp32.h>

#include <filesystem>
#include <string>
#include <vector>

#include "common/act_automation_contract_test_util.h"
#include "platform/win32/win32_test_util.h"

namespace win32_test {

// A path as the stand-in reports it: full, with Windows separators.
inline std::string reportedPath(const std::string& path) {
  return common::utf8FromPath(
      std::filesystem::absolute(common::pathFromUtf8(path)).lexically_normal().make_preferred());
}

class StandinProcess : public common::TestStandin {
 public:
  // Each argument (UTF-8) is passed in quotes (none of ours holds a quote or
  // ends with a backslash).
  explicit StandinProcess(const std::vector<std::string>& arguments) {
    static const bool leftoversEnded = (endLeftovers(), true);
    (void)leftoversEnded;
    std::string commandLine = "\"" + std::string(ACT_STANDIN_PATH) + "\"";
    for (const std::string& argument : arguments) commandLine += " \"" + argument + "\"";
    program_ = startProgram(platform_win32::wideFromUtf8(commandLine), true);
  }
  ~StandinProcess() override {
    if (!running()) return;
    close();
    if (waitForExit(kClosePatience) < 0) {
      TerminateProcess(program_.process.get(), 99);
      forgetDeadServers();
    }
  }

  // A rig (act_automation_contract_test_util.h) for `automation`; its
  // stand-ins show no window when `hidden`.
  static common::StandinRig rig(common::ActAutomation* automation, bool hidden) {
    return {[hidden](std::vector<std::string> arguments) {
              if (hidden) arguments.insert(arguments.begin(), "--hidden");
              return std::make_unique<StandinProcess>(arguments);
            },
            automation, SPURLIX_TEST_DATA "/sql/KONTAKTE.dbf"};
  }

  bool waitUntilServing() override { return waitUntilServing(std::chrono::seconds(15)); }
  // True once the main window exists; false when the stand-in ended first or
  // did not get so far within `patience`.
  bool waitUntilServing(std::chrono::milliseconds patience) {
    waitFor([this] { return !running() || (window_ = findWindow()) != nullptr; }, patience);
    return window_ != nullptr && running();
  }
  HWND window() const { return window_; }
  bool running() const {
    return program_.process && WaitForSingleObject(program_.process.get(), 0) == WAIT_TIMEOUT;
  }
  // Closes the main window, as a user ends the program.
  void close() {
    if (window_ == nullptr) window_ = findWindow();
    if (window_ != nullptr) PostMessageW(window_, WM_CLOSE, 0, 0);
  }
  int waitForExit() override { return waitForExit(std::chrono::seconds(10)); }
  // The exit status once the stand-in has ended within `patience`, else -1.
  int waitForExit(std::chrono::milliseconds patience) const {
    DWORD code = 0;
    if (!program_.process ||
        WaitForSingleObject(program_.process.get(), static_cast<DWORD>(patience.count())) !=
            WAIT_OBJECT_0 ||
        !GetExitCodeProcess(program_.process.get(), &code)) {
      return -1;
    }
    return static_cast<int>(code);
  }
  std::string standardError() override {
    if (running()) return {};
    std::string text(1 << 16, '\0');
    DWORD got = 0;
    if (!ReadFile(program_.output.get(), text.data(), static_cast<DWORD>(text.size()), &got,
                  nullptr)) {
      got = 0;
    }
    return text.substr(0, got);
  }

 private:
  // A stand-in closes at once; a busy machine may keep it a few seconds.
  static constexpr std::chrono::seconds kClosePatience{20};

  // Under Wine a killed COM server stays registered with rpcss, and every
  // later activation of its class fails or waits. Ending rpcss clears that:
  // Wine starts a fresh one for the next COM call.
  static void forgetDeadServers() {
    const platform_win32::UniqueHandle snapshot =
        platform_win32::ownedFileHandle(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof(entry);
    for (BOOL more = Process32FirstW(snapshot.get(), &entry); more;
         more = Process32NextW(snapshot.get(), &entry)) {
      if (_wcsicmp(entry.szExeFile, L"rpcss.exe") != 0) continue;
      const platform_win32::UniqueHandle rpcss(
          OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, entry.th32ProcessID));
      if (rpcss && TerminateProcess(rpcss.get(), 1)) WaitForSingleObject(rpcss.get(), 5000);
    }
  }

  // The first stand-in of a test program first ends any that an earlier test
  // program left running (one killed at its time limit leaves its child).
  static void endLeftovers() {
    for (HWND window; (window = FindWindowW(L"act3.0frameclass", nullptr)) != nullptr;) {
      DWORD id = 0;
      GetWindowThreadProcessId(window, &id);
      const platform_win32::UniqueHandle leftover(
          OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, id));
      if (!leftover) return;
      PostMessageW(window, WM_CLOSE, 0, 0);
      if (WaitForSingleObject(leftover.get(), 20'000) != WAIT_OBJECT_0) {
        TerminateProcess(leftover.get(), 99);
        WaitForSingleObject(leftover.get(), 5000);
        forgetDeadServers();
      }
    }
  }

  HWND findWindow() const {
    for (HWND window = nullptr;
         (window = FindWindowExW(nullptr, window, L"act3.0frameclass", nullptr)) != nullptr;) {
      DWORD owner = 0;
      GetWindowThreadProcessId(window, &owner);
      if (owner == program_.id) return window;
    }
    return nullptr;
  }

  StartedProgram program_;
  HWND window_ = nullptr;
};

}  // namespace win32_test
