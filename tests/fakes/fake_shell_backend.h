#pragma once
// A shell that starts nothing: records every call as one text ("ex OWNER
// MASK VERB FILE PARAMETERS FOLDER SHOW", "plain ...", "active HANDLE",
// "release HANDLE"; texts in quotes, null for none) and answers with the
// configured codes, or throws where a test asks it to.

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "platform/shell_backend.h"

namespace fakes {

inline std::string inQuotes(std::optional<std::string_view> text) {
  return text ? "'" + std::string(*text) + "'" : "null";
}

class FakeShellBackend : public platform::ShellBackend {
 public:
  std::int32_t shellExecute(platform::WindowHandle owner, std::optional<std::string_view> verb,
                            std::string_view file, std::optional<std::string_view> parameters,
                            std::optional<std::string_view> startFolder,
                            std::int32_t show) override {
    record("plain", owner, 0, verb, file, parameters, startFolder, show);
    return plainCode;
  }
  platform::ShellExecuteExResult shellExecuteEx(platform::WindowHandle owner, std::uint32_t mask,
                                                std::optional<std::string_view> verb,
                                                std::string_view file,
                                                std::optional<std::string_view> parameters,
                                                std::optional<std::string_view> startFolder,
                                                std::int32_t show) override {
    record("ex", owner, mask, verb, file, parameters, startFolder, show);
    return exResult;
  }
  bool processStillActive(platform::ProcessHandle process) override {
    if (throwOnQuery) throw std::runtime_error("query failed");
    calls.push_back("active " + std::to_string(process));
    return active;
  }
  void releaseProcess(platform::ProcessHandle process) override {
    calls.push_back("release " + std::to_string(process));
  }

  std::vector<std::string> calls;
  std::int32_t plainCode = 42;
  platform::ShellExecuteExResult exResult{42, 1234};
  bool active = true;
  bool throwOnLaunch = false;
  bool throwOnQuery = false;

 private:
  void record(const char* kind, platform::WindowHandle owner, std::uint32_t mask,
              std::optional<std::string_view> verb, std::string_view file,
              std::optional<std::string_view> parameters,
              std::optional<std::string_view> startFolder, std::int32_t show) {
    if (throwOnLaunch) throw std::runtime_error("boom");
    calls.push_back(std::string(kind) + " " + std::to_string(owner) + " " + std::to_string(mask) +
                    " " + inQuotes(verb) + " " + inQuotes(file) + " " + inQuotes(parameters) + " " +
                    inQuotes(startFolder) + " " + std::to_string(show));
  }
};

}  // namespace fakes
