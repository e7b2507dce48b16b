// The stand-in as a process under Wine: its window as the window finder sees
// it, the refused second instance, its COM registration, its command line,
// and a client nobody here wrote: Wine's cscript running a VBScript against
// it.
#include "tests/win32/standin_process.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "common/path_text.h"
#include "platform/win32/win32_window_list.h"
#include "standin/win32/com_registration.h"
#include "startup/window_finder.h"

namespace standin_win32 {
namespace {

using win32_test::StandinProcess;

const std::wstring kFixture = platform_win32::wideFromUtf8(SPURLIX_TEST_DATA "/sql/KONTAKTE.dbf");

common::WindowHandle findWindow(const char* classText, const char* titleText) {
  platform_win32::Win32WindowList windows;
  startup::SetWindowList(windows);
  return startup::FindTopLevelWindow(classText, titleText);
}

TEST(StandinProcess, WindowFinderFindsTheMainWindowUnlessItIsHidden) {
  {
    StandinProcess act({kFixture});
    ASSERT_TRUE(act.waitUntilServing()) << act.standardError();
    EXPECT_TRUE(
        win32_test::waitFor([] { return findWindow("act3.0frameclass", "ACT! - KONTAKTE") != 0; }));
    EXPECT_EQ(findWindow("act3.0frameclass", "Kundenmanager"), 0u);
  }
  {
    StandinProcess act({L"--hidden", kFixture});
    ASSERT_TRUE(act.waitUntilServing());
    EXPECT_FALSE(IsWindowVisible(act.window()));
    EXPECT_EQ(findWindow("act3.0frameclass", "*"), 0u);
  }
}

TEST(StandinProcess, ServesAsRegisteredUntilUnregisteredAndOneAtATime) {
  StandinProcess first({L"--hidden", kFixture});
  ASSERT_TRUE(first.waitUntilServing());
  CLSID registered{};
  EXPECT_EQ(CLSIDFromProgID(kProgId, &registered), S_OK);
  EXPECT_TRUE(IsEqualCLSID(registered, kStandinClsid));

  StandinProcess second({L"--hidden", kFixture});
  EXPECT_EQ(second.waitForExit(), 1);
  EXPECT_TRUE(second.standardError().starts_with("act-standin: ")) << second.standardError();
  EXPECT_TRUE(first.running());

  StandinProcess unregister({L"--unregister"});
  EXPECT_EQ(unregister.waitForExit(), 0);
  EXPECT_NE(CLSIDFromProgID(kProgId, &registered), S_OK);
  HKEY key = nullptr;
  EXPECT_EQ(
      RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\Classes\\ACTOLE.APPOBJECT", 0, KEY_READ, &key),
      ERROR_FILE_NOT_FOUND);
}

TEST(StandinProcess, WrongStartsEndWithStatusTwoAndAGermanMessage) {
  const std::vector<std::wstring> cases[] = {
      {L"--refuse-views", L"x", kFixture},
      {platform_win32::wideFromUtf8(SPURLIX_TEST_DATA "/sql/FEHLT.dbf")},
      {L"--log", L"Z:\\nonexistent\\folder\\log", kFixture},
  };
  for (const auto& arguments : cases) {
    StandinProcess act(arguments);
    EXPECT_EQ(act.waitForExit(), 2) << platform_win32::utf8FromWide(arguments.front());
    EXPECT_TRUE(act.standardError().starts_with("act-standin: ")) << act.standardError();
  }
}

TEST(StandinProcess, AVBScriptDrivesEveryOperation) {
  const std::filesystem::path log = std::filesystem::temp_directory_path() / "vbscript.jsonl";
  std::filesystem::remove(log);
  StandinProcess act({L"--hidden", L"--log", log.wstring(), kFixture});
  ASSERT_TRUE(act.waitUntilServing());
  // Wine's cscript reports script errors nowhere and ends with 0: the
  // script's printed answers tell whether it ran through.
  const std::filesystem::path vbs =
      common::pathFromUtf8(SPURLIX_TEST_SCRIPTS "/drive_standin.vbs").make_preferred();
  const win32_test::ProgramRun script =
      win32_test::runProgram(L"cscript.exe //NoLogo \"" + vbs.wstring() + L"\"");
  const std::string path = win32_test::reportedPath(SPURLIX_TEST_DATA "/sql/KONTAKTE.dbf");
  EXPECT_EQ(win32_test::fromOemCodePage(script.output),
            "GetOpenDBName=" + path +
                "\r\nCreateLookup=0\r\ncreatelookup=100\r\n"
                "type mismatch=13\r\nwrong count=450\r\nunknown name=438\r\n");
  EXPECT_EQ(win32_test::linesOf(log),
            std::vector<std::string>({
                R"({"call":"Views","result":"/Application/Views"})",
                R"({"args":[1,2],"call":"Create","result":"/Application/Views/1"})",
                R"({"call":"GetOpenDBName","result":")" + win32_test::logged(path) + R"("})",
                R"({"call":"LookupAll","result":0,"view":1})",
                R"({"call":"CreateLookup","ids":["X1","A00000000001"],"result":0,"view":1})",
                R"({"call":"Views","result":"/Application/Views"})",
                R"({"args":[3,4],"call":"Create","result":"/Application/Views/2"})",
                R"({"call":"CreateLookup","ids":["NOPE"],"result":100,"view":2})",
            }));
}

}  // namespace
}  // namespace standin_win32
