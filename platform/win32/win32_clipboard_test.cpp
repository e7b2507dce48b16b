// The clipboard as another Windows program sees it.

#include "platform/win32/win32_clipboard.h"

#include <gtest/gtest.h>

#include "platform/win32/win32_test_util.h"

namespace platform_win32 {
namespace {

std::string clipboardSeenByAnotherProgram() {
  const win32_test::ProgramRun run =
      win32_test::runProgram(wideFromUtf8(std::string(SPURLIX_TEST_HELPER) + " clipboard"));
  return run.exitCode == 0 ? run.output : "<kein Text>";
}

TEST(Win32ClipboardOnWine, TextReachesOtherProgramsAndWaitsForAHolder) {
  Win32Clipboard clipboard;
  const std::string sql =
      "SELECT [KONTAKTE].COMPANY FROM [KONTAKTE] WHERE [KONTAKTE].COMPANY LIKE '*[mM][üÜ]*' € Ω";
  clipboard.setText(sql);
  EXPECT_EQ(clipboardSeenByAnotherProgram(), sql);
  clipboard.clear();
  EXPECT_EQ(clipboardSeenByAnotherProgram(), "<kein Text>");

  // Another program holds the clipboard open for a moment: the text still
  // gets there once it lets go.
  const win32_test::StartedProgram holder = win32_test::startProgram(
      wideFromUtf8(std::string(SPURLIX_TEST_HELPER) + " hold-clipboard 150"));
  ASSERT_TRUE(holder.process);
  char said[5] = {};
  DWORD got = 0;
  ASSERT_TRUE(ReadFile(holder.output.get(), said, sizeof(said), &got, nullptr));  // "offen"
  clipboard.setText("nach dem Warten");
  EXPECT_EQ(clipboardSeenByAnotherProgram(), "nach dem Warten");
  WaitForSingleObject(holder.process.get(), INFINITE);

  // A holder that keeps it: clearing and then setting wait one second in all.
  const win32_test::StartedProgram keeper = win32_test::startProgram(
      wideFromUtf8(std::string(SPURLIX_TEST_HELPER) + " hold-clipboard 2500"));
  ASSERT_TRUE(ReadFile(keeper.output.get(), said, sizeof(said), &got, nullptr));
  const auto start = std::chrono::steady_clock::now();
  clipboard.clear();
  clipboard.setText("zu spät");
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(1800));
  WaitForSingleObject(keeper.process.get(), INFINITE);
  EXPECT_EQ(clipboardSeenByAnotherProgram(), "nach dem Warten");
}

}  // namespace
}  // namespace platform_win32
