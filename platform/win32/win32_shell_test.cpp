// The shell launcher over Wine's real shell: addresses go to a stand-in
// browser that records them, programs really start and end.

#include "platform/win32/win32_shell.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "common/path_text.h"
#include "platform/shell_backend_contract_test_util.h"
#include "platform/win32/win32_test_util.h"
#include "tests/fakes/fake_message_boxes.h"

namespace platform_win32 {
namespace {

// Wine hands web addresses to the programs its WineBrowser key lists.
void useRecordingBrowser(const std::string& unixLog) {
  const std::wstring browsers = wideFromUtf8(std::string(SPURLIX_RECORD_URL) + " " + unixLog);
  ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, L"Software\\Wine\\WineBrowser", L"Browsers", REG_SZ,
                            browsers.c_str(),
                            static_cast<DWORD>((browsers.size() + 1) * sizeof(wchar_t))),
            ERROR_SUCCESS);
}

TEST(Win32ShellOnWine, KeepsTheContract) {
  const std::string unixLog =
      std::string(SPURLIX_HOST_OUTPUT_DIR) + "/browser-" + std::to_string(GetCurrentProcessId());
  const std::string log = "Z:" + unixLog;
  DeleteFileW(wideFromUtf8(log).c_str());
  useRecordingBrowser(unixLog);
  Win32Shell shell;
  platform::expectShellBackendContract(
      {shell, [&] { return test_support::readFile(common::pathFromUtf8(log)); },
       SPURLIX_TEST_HELPER, "sleep 1500",
       common::utf8FromPath(std::filesystem::temp_directory_path() / "Datei fehlt.txt")});
  DeleteFileW(wideFromUtf8(log).c_str());
}

// The plain calls report failures without a word (the extended ones let the
// shell show its own message, which would wait for a click here).
TEST(Win32ShellOnWine, FailuresComeBackAsTheShellsCodes) {
  Win32Shell shell;
  fakes::FakeMessageBoxes boxes;
  platform::CShellExecute launcher(shell, boxes);
  EXPECT_EQ(launcher.LaunchFolder(0, "Z:\\gibt\\es\\nicht"), 2);
  EXPECT_EQ(launcher.LaunchURL(0, "spurlix-unbekannt:adresse"), 31);
  EXPECT_TRUE(boxes.shown.empty());
}

}  // namespace
}  // namespace platform_win32
