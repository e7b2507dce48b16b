// The registry backend over Wine's real registry.

#include "platform/win32/win32_registry.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "common/path_text.h"
#include "info/werbe_links.h"
#include "platform/registry_backend_contract_test_util.h"
#include "platform/win32/win32_test_util.h"
#include "tests/fakes/fake_message_boxes.h"

namespace platform_win32 {
namespace {

// The contract's values as reg.exe (an independent writer) stores them.
TEST(Win32RegistryOnWine, KeepsTheContract) {
  for (const platform::ContractValue& v : platform::contractValues()) {
    const std::string name = *v.name ? " /v \"" + std::string(v.name) + "\"" : " /ve";
    ASSERT_EQ(win32_test::reg("add \"HKCU\\" + std::string(v.key) + "\"" + name + " /t " +
                              v.regType + " /d \"" + v.regData + "\" /f"),
              0u)
        << v.name;
  }
  Win32Registry registry;
  platform::expectRegistryBackendContract(registry);
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
