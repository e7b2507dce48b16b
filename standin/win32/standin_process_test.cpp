// The stand-in as a process under Wine: the stand-in's contract, its COM
// registration, and a client nobody here wrote: Wine's cscript running a
// VBScript against it.
#include "tests/win32/standin_process.h"

#include <gtest/gtest.h>

#include "standin/standin_process_contract_test_util.h"
#include "standin/win32/com_registration.h"

namespace standin_win32 {
namespace {

using win32_test::StandinProcess;

TEST(StandinProcess, KeepsTheContract) {
  common::StandinRig rig = StandinProcess::rig(nullptr, false);
  standin::expectTheStandinProcessContract(rig);
}

TEST(StandinProcess, ServesAsRegisteredUntilUnregistered) {
  StandinProcess act({"--hidden", SPURLIX_TEST_DATA "/sql/KONTAKTE.dbf"});
  ASSERT_TRUE(act.waitUntilServing());
  CLSID registered{};
  EXPECT_EQ(CLSIDFromProgID(kProgId, &registered), S_OK);
  EXPECT_TRUE(IsEqualCLSID(registered, kStandinClsid));
  StandinProcess unregister({"--unregister"});
  EXPECT_EQ(unregister.waitForExit(), 0);
  EXPECT_NE(CLSIDFromProgID(kProgId, &registered), S_OK);
  HKEY key = nullptr;
  EXPECT_EQ(
      RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\Classes\\ACTOLE.APPOBJECT", 0, KEY_READ, &key),
      ERROR_FILE_NOT_FOUND);
}

// The answers show the calls arrived as the script made them; the
// argument forms and refusals in detail are the dispatch object's test.
TEST(StandinProcess, AVBScriptDrivesEveryOperation) {
  common::StandinRig rig = StandinProcess::rig(nullptr, true);
  const auto act = rig.start({rig.table});
  ASSERT_TRUE(act->waitUntilServing());
  // Wine's cscript reports script errors nowhere and ends with 0: the
  // script's printed answers tell whether it ran through.
  const std::filesystem::path vbs =
      common::pathFromUtf8(SPURLIX_TEST_SCRIPTS "/drive_standin.vbs").make_preferred();
  const win32_test::ProgramRun script =
      win32_test::runProgram(L"cscript.exe //NoLogo \"" + vbs.wstring() + L"\"");
  EXPECT_EQ(win32_test::fromOemCodePage(script.output),
            "GetOpenDBName=" + win32_test::reportedPath(rig.table) +
                "\r\nCreateLookup=0\r\ncreatelookup=100\r\n"
                "type mismatch=13\r\nwrong count=450\r\nunknown name=438\r\n");
}

}  // namespace
}  // namespace standin_win32
