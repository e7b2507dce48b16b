// The settings store in Wine's real registry, at the place classic Visual
// Basic programs keep their settings; reg.exe writes and reads beside it.

#include "platform/win32/registry_settings_store.h"

#include <gtest/gtest.h>

#include "platform/win32/win32_test_util.h"

namespace platform_win32 {
namespace {

const std::string kSettings = "\"HKCU\\Software\\VB and VBA Program Settings\\Spurlix light\\";
const std::string kHistoryKey = kSettings + "Suchbegriffe\"";
const std::string kWrittenKey = kSettings + "Schreibprobe\"";  // (tests run side by side)

TEST(RegistrySettingsStoreOnWine, ReadsAHistoryAnEarlierInstallationStored) {
  win32_test::reg("delete " + kHistoryKey + " /f");  // what an earlier run left
  const struct {
    const char* key;
    const char* type;
    const char* data;
    const char* expected;  // what the store reads, with the fallback "-"
  } cases[] = {
      {"0", "REG_SZ", "Müller", "Müller"},
      {"1", "REG_SZ", " Straße & Söhne", " Straße & Söhne"},
      {"2", "REG_SZ", "O'Neil [a-c]*", "O'Neil [a-c]*"},
      {"3", "REG_SZ", "", ""},
      {"4", "REG_DWORD", "4", "-"},  // another type reads as absent
      {"5", "REG_EXPAND_SZ", "%TEMP%", "-"},
  };
  for (const auto& c : cases) {
    ASSERT_EQ(win32_test::reg("add " + kHistoryKey + " /v " + c.key + " /t " + c.type + " /d \"" +
                              c.data + "\" /f"),
              0u);
  }
  RegistrySettingsStore store;
  for (const auto& c : cases) {
    EXPECT_EQ(store.read("Spurlix light", "Suchbegriffe", c.key, "-"), c.expected) << c.key;
  }
  EXPECT_EQ(store.read("Spurlix light", "Suchbegriffe", "9", "-"), "-");
  EXPECT_EQ(store.read("Spurlix light", "Fehlt", "0", "-"), "-");
}

TEST(RegistrySettingsStoreOnWine, WritesWhatRegExeAndTheStoreReadBack) {
  RegistrySettingsStore store;
  const struct {
    const char* key;
    const char* text;
    const char* queried;  // the data column of `reg query`, which prints in the OEM code page
  } cases[] = {
      {"0", "Krümmüller", "Krümmüller"},
      {"1", " Blanks außen ", " Blanks außen "},
      {"2", "", ""},
      {"3", "€ und Ω", nullptr},  // beyond the OEM code page: compared through the store only
      {"4", "Tab\tund\r\nZeilen", nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.key);
    ASSERT_TRUE(store.write("Spurlix light", "Schreibprobe", c.key, c.text));
    EXPECT_EQ(store.read("Spurlix light", "Schreibprobe", c.key, "-"), c.text);
    if (c.queried == nullptr) continue;
    const win32_test::ProgramRun query = win32_test::runProgram(
        platform_win32::wideFromUtf8("reg.exe query " + kWrittenKey + " /v " + c.key));
    ASSERT_EQ(query.exitCode, 0u);
    EXPECT_NE(win32_test::fromOemCodePage(query.output)
                  .find("    " + std::string(c.key) + "    REG_SZ    " + c.queried + "\r\n"),
              std::string::npos)
        << query.output;
  }
  // Names that would address another key are refused.
  EXPECT_FALSE(store.write("Spurlix light", "Such\\begriffe", "0", "x"));
  EXPECT_FALSE(store.write("", "Suchbegriffe", "0", "x"));
  EXPECT_EQ(store.read("Spurlix light\\Suchbegriffe", "", "0", "-"), "-");
}

}  // namespace
}  // namespace platform_win32
