// The settings store in Wine's real registry, at the place classic Visual
// Basic programs keep their settings; reg.exe writes and reads beside it.

#include "platform/win32/registry_settings_store.h"

#include <gtest/gtest.h>

#include "common/settings_store_contract_test_util.h"
#include "platform/win32/win32_test_util.h"

namespace platform_win32 {
namespace {

const std::string kHistoryKey =
    "\"HKCU\\Software\\VB and VBA Program Settings\\Spurlix light\\Suchbegriffe\"";

TEST(RegistrySettingsStoreOnWine, KeepsTheContract) {
  RegistrySettingsStore store;
  common::expectSettingsStoreContract(store, "Vertrag");
}

// What an earlier installation stored is read; reg.exe reads what the store
// writes (its output is in the OEM code page, which holds these texts).
TEST(RegistrySettingsStoreOnWine, SharesTheHistoryWithRegExe) {
  win32_test::reg("delete " + kHistoryKey + " /f");  // what an earlier run left
  const struct {
    const char *key, *type, *data, *expected;  // what the store reads, with the fallback "-"
  } cases[] = {
      {"0", "REG_SZ", "Müller", "Müller"},
      {"1", "REG_SZ", "O'Neil [a-c]*", "O'Neil [a-c]*"},
      {"2", "REG_DWORD", "4", "-"},  // another type reads as absent
      {"3", "REG_EXPAND_SZ", "%TEMP%", "-"},
  };
  RegistrySettingsStore store;
  for (const auto& c : cases) {
    ASSERT_EQ(win32_test::reg("add " + kHistoryKey + " /v " + c.key + " /t " + c.type + " /d \"" +
                              c.data + "\" /f"),
              0u);
    EXPECT_EQ(store.read("Spurlix light", "Suchbegriffe", c.key, "-"), c.expected) << c.key;
  }
  ASSERT_TRUE(store.write("Spurlix light", "Suchbegriffe", "4", " Krümmüller "));
  const win32_test::ProgramRun query =
      win32_test::runProgram(wideFromUtf8("reg.exe query " + kHistoryKey + " /v 4"));
  EXPECT_NE(win32_test::fromOemCodePage(query.output).find("    4    REG_SZ     Krümmüller \r\n"),
            std::string::npos)
      << query.output;
  // Names that would address another key are refused.
  EXPECT_FALSE(store.write("Spurlix light", "Such\\begriffe", "0", "x"));
  EXPECT_EQ(store.read("Spurlix light\\Suchbegriffe", "", "0", "-"), "-");
}

}  // namespace
}  // namespace platform_win32
