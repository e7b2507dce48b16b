// The shell launcher over Wine's real shell: addresses go to a stand-in
// browser that records them, programs really start and end.

#include "platform/win32/win32_shell.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "platform/shell_execute.h"
#include "platform/win32/win32_test_util.h"
#include "tests/fakes/fake_message_boxes.h"

namespace platform_win32 {
namespace {

std::string fileText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// Wine hands web addresses to the programs its WineBrowser key lists.
void useRecordingBrowser(const std::string& unixLog) {
  const std::wstring browsers = wideFromUtf8(std::string(SPURLIX_RECORD_URL) + " " + unixLog);
  ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, L"Software\\Wine\\WineBrowser", L"Browsers", REG_SZ,
                            browsers.c_str(),
                            static_cast<DWORD>((browsers.size() + 1) * sizeof(wchar_t))),
            ERROR_SUCCESS);
}

TEST(Win32ShellOnWine, LaunchUrlHandsTheAddressToTheBrowser) {
  const std::string unixLog =
      std::string(SPURLIX_HOST_OUTPUT_DIR) + "/browser-" + std::to_string(GetCurrentProcessId());
  const std::string log = "Z:" + unixLog;
  DeleteFileW(wideFromUtf8(log).c_str());
  useRecordingBrowser(unixLog);

  Win32Shell shell;
  fakes::FakeMessageBoxes boxes;
  platform::CShellExecute launcher(shell, boxes);
  const std::string address = "https://www.example.com/produkt?seite=1&sprache=de";
  EXPECT_EQ(launcher.LaunchURL(0, address, platform::kShowMaximized), -1);
  EXPECT_TRUE(win32_test::waitFor([&] { return !fileText(log).empty(); }));
  EXPECT_EQ(fileText(log), address + "\n");
  EXPECT_TRUE(boxes.shown.empty());
  DeleteFileW(wideFromUtf8(log).c_str());
}

TEST(Win32ShellOnWine, ProgramsRunAndFailuresComeBackAsTheShellsCodes) {
  Win32Shell shell;
  fakes::FakeMessageBoxes boxes;
  platform::CShellExecute launcher(shell, boxes);

  EXPECT_EQ(launcher.LaunchProgram(0, SPURLIX_TEST_HELPER, "sleep 1500", "", platform::kShowHidden),
            -1);
  EXPECT_TRUE(launcher.StillExecuting());
  EXPECT_TRUE(win32_test::waitFor([&] { return !launcher.StillExecuting(); }));

  // The plain calls report failures without a word (the extended ones let
  // the shell show its own message, which would wait for a click here).
  EXPECT_EQ(launcher.LaunchFolder(0, "Z:\\gibt\\es\\nicht"), 2);
  EXPECT_FALSE(launcher.StillExecuting());
  EXPECT_EQ(launcher.PrintDocument(0, "Z:\\gibt\\es\\nicht\\Datei.txt"), 2);
  EXPECT_EQ(launcher.LaunchURL(0, "spurlix-unbekannt:adresse"), 31);
  EXPECT_TRUE(boxes.shown.empty());
}

}  // namespace
}  // namespace platform_win32
