#pragma once
// For tests: a shell backend that records every call and starts nothing.

#include <optional>
#include <string>
#include <vector>

#include "platform/shell_backend.h"

namespace info_qt {

class RecordingShellBackend : public platform::ShellBackend {
 public:
  struct Call {
    platform::WindowHandle owner = 0;
    std::optional<std::string> verb;
    std::string file;
    std::int32_t show = -1;
  };

  std::int32_t shellExecute(platform::WindowHandle owner, std::optional<std::string_view> verb,
                            std::string_view file, std::optional<std::string_view>,
                            std::optional<std::string_view>, std::int32_t show) override {
    calls.push_back(
        {owner, verb ? std::optional<std::string>(*verb) : std::nullopt, std::string(file), show});
    return code;
  }
  platform::ShellExecuteExResult shellExecuteEx(platform::WindowHandle owner, std::uint32_t,
                                                std::optional<std::string_view> verb,
                                                std::string_view file,
                                                std::optional<std::string_view>,
                                                std::optional<std::string_view>,
                                                std::int32_t show) override {
    calls.push_back(
        {owner, verb ? std::optional<std::string>(*verb) : std::nullopt, std::string(file), show});
    return {code, 0};
  }
  bool processStillActive(platform::ProcessHandle) override { return false; }
  void releaseProcess(platform::ProcessHandle) override {}

  std::vector<Call> calls;
  std::int32_t code = 42;  // the shell's success; 31 for "no handler"
};

}  // namespace info_qt
