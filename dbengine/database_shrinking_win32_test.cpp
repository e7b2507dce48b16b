// The cutter of database_shrinking_test.cpp on Windows: the tests' helper
// program, which cuts the file with SetEndOfFile.

#include <windows.h>

#include <memory>
#include <string>

#include "dbengine/file_cutter_test_util.h"

namespace dbengine::testing {

CutterStatus startFileCutter(const std::filesystem::path& file, std::uint64_t length,
                             std::chrono::milliseconds delay) {
  std::wstring command = std::wstring(L"\"" SPURLIX_TEST_HELPER L"\" cut \"") + file.native() +
                         L"\" " + std::to_wstring(length) + L" " + std::to_wstring(delay.count());
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process)) {
    return {};
  }
  CloseHandle(process.hThread);
  const std::shared_ptr<void> handle(process.hProcess, CloseHandle);
  return [handle]() -> std::optional<bool> {
    if (WaitForSingleObject(handle.get(), 0) == WAIT_TIMEOUT) return std::nullopt;
    DWORD code = 1;
    return GetExitCodeProcess(handle.get(), &code) && code == 0;
  };
}

}  // namespace dbengine::testing
