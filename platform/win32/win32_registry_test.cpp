// The registry reader over the Windows backend, reading values that reg.exe
// (an independent writer) stored in Wine's real registry.

#include "platform/win32/win32_registry.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "common/path_text.h"
#include "info/werbe_links.h"
#include "platform/registry.h"
#include "platform/win32/win32_test_util.h"
#include "tests/fakes/fake_message_boxes.h"

namespace platform_win32 {
namespace {

using Bytes = std::vector<std::uint8_t>;
using platform::TaggedValue;

constexpr const char* kKey = "Software\\SpurlixTest\\Registry Reader";

TEST(Win32RegistryOnWine, ReadsWhatRegExeWrote) {
  struct Case {
    const char* name;
    const char* type;
    const char* data;
    TaggedValue expected;
    std::string key = kKey;
  };
  const Case cases[] = {
      {"NetLinks File Type", "REG_SZ", "C:\\ACT\\NetLinks", std::string("C:\\ACT\\NetLinks")},
      {"Umlaute", "REG_SZ", "Grüße aus Köln, Straße 5 € ¼",
       std::string("Grüße aus Köln, Straße 5 € ¼")},
      {"Nicht in 1252", "REG_SZ", "Ωmega ✓", std::string("Ωmega ✓")},
      {"Ссылки", "REG_SZ", "C:\\Users\\Łukasz\\ACT\\Links",
       std::string("C:\\Users\\Łukasz\\ACT\\Links"), std::string(kKey) + "\\Łódź Ωμεγα"},
      {"Leer", "REG_SZ", "", std::string()},
      {"Bytes", "REG_BINARY", "0102abff00", Bytes{1, 2, 0xab, 0xff, 0}},
      {"Keine Bytes", "REG_BINARY", "", Bytes{}},
      {"Alle Bits", "REG_DWORD", "0xffffffff", std::int32_t{-1}},
      {"Zahl", "REG_DWORD", "305419896", std::int32_t{0x12345678}},
      {"Erweiterbar", "REG_EXPAND_SZ", "%TEMP%\\x", TaggedValue{}},
      {"Mehrere", "REG_MULTI_SZ", "a\\0b", TaggedValue{}},
      {"Vierfach", "REG_QWORD", "5", TaggedValue{}},
  };
  for (const Case& c : cases) {
    ASSERT_EQ(win32_test::reg("add \"HKCU\\" + c.key + "\" /v \"" + c.name + "\" /t " + c.type +
                              " /d \"" + c.data + "\" /f"),
              0u)
        << c.name;
  }
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Win32Registry registry;
    fakes::FakeMessageBoxes boxes;
    EXPECT_EQ(RegistryGetKeyValue(registry, boxes, platform::kHkeyCurrentUser, c.key, c.name),
              c.expected);
    EXPECT_TRUE(boxes.shown.empty());
  }

  // Missing values and keys read as empty; key paths ignore letter case, as
  // the registry does.
  Win32Registry registry;
  fakes::FakeMessageBoxes boxes;
  const auto read = [&](const char* key, const char* name) {
    return RegistryGetKeyValue(registry, boxes, platform::kHkeyCurrentUser, key, name);
  };
  EXPECT_EQ(read(kKey, "Fehlt"), TaggedValue{});
  EXPECT_EQ(read("Software\\SpurlixTest\\Fehlt", "Umlaute"), TaggedValue{});
  EXPECT_EQ(read("SOFTWARE\\spurlixtest\\registry reader", "Zahl"), TaggedValue{0x12345678});
  EXPECT_TRUE(boxes.shown.empty());

  // Sizes count the bytes of the UTF-8 handed out, NUL included.
  const platform::RegistryOpenResult opened =
      registry.openKey(platform::kHkeyCurrentUser, kKey, platform::kKeyRead);
  ASSERT_EQ(opened.status, platform::kRegistrySuccess);
  EXPECT_EQ(registry.queryValueInfo(opened.key, "Umlaute").size, 36u);
  std::uint8_t small[8];
  EXPECT_EQ(registry.queryValueData(opened.key, "Umlaute", small).status,
            platform::kRegistryMoreData);
  EXPECT_EQ(registry.closeKey(opened.key), platform::kRegistrySuccess);
  EXPECT_EQ(registry.closeKey(opened.key), platform::kRegistryInvalidHandle);
  win32_test::reg(std::string("delete \"HKCU\\") + kKey + "\" /f");
}

// The web links land in the folder ACT! names, also one that the ANSI code
// page cannot name.
TEST(Win32RegistryOnWine, WebLinksGoIntoAFolderOutsideTheCodePage) {
  namespace fs = std::filesystem;
  const fs::path folder = fs::temp_directory_path() / common::pathFromUtf8("Łukasz Ωμεγα Ссылки");
  fs::remove_all(folder);
  fs::create_directories(folder);
  const std::string value = "\"HKCU\\Software\\Symantec\\ACT!\" /v \"NetLinks File Type\"";
  ASSERT_EQ(
      win32_test::reg("add " + value + " /t REG_SZ /d \"" + common::utf8FromPath(folder) + "\" /f"),
      0u);
  Win32Registry registry;
  fakes::FakeMessageBoxes boxes;
  info::WerbeLinksAnlegen(registry, boxes);
  win32_test::reg("delete " + value + " /f");
  EXPECT_TRUE(fs::is_regular_file(folder / "0100morede.web"));
  EXPECT_TRUE(fs::is_regular_file(folder / "0100morefe.web"));
  fs::remove_all(folder);
}

}  // namespace
}  // namespace platform_win32
