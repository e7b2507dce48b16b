// The settings store in Wine's real registry, at the place classic Visual
// Basic programs keep their settings; reg.exe writes and reads beside it.

#include "platform/win32/registry_settings_store.h"

#include <gtest/gtest.h>

#include <tuple>

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

// Only texts are read: a value of another type that an earlier
// installation left reads as absent. Names that would address another key
// are refused. (That reg.exe reads what the store writes and the store what
// reg.exe wrote, the end-to-end tests check with the history and the Debug
// switch.)
TEST(RegistrySettingsStoreOnWine, ReadsTextsOnlyAndKeepsToItsKeys) {
  win32_test::reg("delete " + kHistoryKey + " /f");
  RegistrySettingsStore store;
  for (const auto& [key, type, data] : {std::tuple{"0", "REG_SZ", "Müller"},
                                        {"1", "REG_DWORD", "4"},
                                        {"2", "REG_EXPAND_SZ", "%TEMP%"}}) {
    ASSERT_EQ(win32_test::reg("add " + kHistoryKey + " /v " + key + " /t " + type + " /d \"" +
                              data + "\" /f"),
              0u);
    EXPECT_EQ(store.read("Spurlix light", "Suchbegriffe", key, "-"),
              std::string(key) == "0" ? "Müller" : "-")
        << key;
  }
  EXPECT_FALSE(store.write("Spurlix light", "Such\\begriffe", "0", "x"));
  EXPECT_EQ(store.read("Spurlix light\\Suchbegriffe", "", "0", "-"), "-");
}

}  // namespace
}  // namespace platform_win32
