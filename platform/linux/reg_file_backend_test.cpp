#include "platform/linux/reg_file_backend.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "platform/registry_backend_contract_test_util.h"
#include "tests/scratch.h"

namespace platform_linux {
namespace {

using namespace platform;
using Bytes = std::vector<std::uint8_t>;
using test_support::readFile;
using test_support::writeFile;

const std::string kWineFile = SPURLIX_TEST_DATA "/registry/wine_user.reg";
constexpr std::string_view kKey = "Software\\SpurlixTest\\MixedCase Key";

TEST(RegFileBackend, KeepsTheContractOverTheFileWineWrote) {
  RegFileBackend registry(kWineFile);
  expectRegistryBackendContract(registry);
}

Bytes bytesOf(std::string_view text) {
  return Bytes(text.begin(), text.end());
}

TEST(RegFileBackend, MissingOrDamagedStoresAndOtherRootsReadAsAbsent) {
  test_support::ScratchFolder folder;
  writeFile(folder.file("empty"), "");
  writeFile(folder.file("garbage"), std::string("\x00\xff\xfeWINE REGISTRY Version 2\n\x01", 29));
  const struct {
    std::string path;
    RegistryRootKey root = kHkeyCurrentUser;
    std::string_view key = kKey;
  } cases[] = {
      {folder.file("missing.reg")},   {""}, {folder.file("empty")}, {folder.file("garbage")},
      {folder.path().string()},  // a folder
      {kWineFile, kHkeyLocalMachine},
  };
  for (const auto& c : cases) {
    RegFileBackend registry(c.path);
    EXPECT_EQ(registry.openKey(c.root, c.key, kKeyRead).status, kRegistryNotFound)
        << c.path << " " << c.key;
  }
}

TEST(RegFileBackend, AnOpenKeyKeepsWhatItSaw) {
  test_support::ScratchFolder folder;
  const std::string path = folder.file("user.reg");
  writeFile(path, readFile(kWineFile));
  RegFileBackend registry(path);
  RegistryOpenResult opened = registry.openKey(kHkeyCurrentUser, kKey, kKeyRead);
  ASSERT_EQ(opened.status, kRegistrySuccess);
  writeFile(path, "WINE REGISTRY Version 2\n");
  EXPECT_EQ(registry.queryValueInfo(opened.key, "Plain").size, 26u);
  EXPECT_EQ(registry.closeKey(opened.key), kRegistrySuccess);
  EXPECT_EQ(registry.openKey(kHkeyCurrentUser, kKey, kKeyRead).status, kRegistryNotFound);
}

// Texts arrive as UTF-8 and are stored as UTF-16 (the lines themselves are
// reg_file_test.cpp's); the file's permissions stay, no temporary file is left.
TEST(RegFileBackend, WritesIntoAWineFileKeepingItsPermissions) {
  test_support::ScratchFolder folder;
  const std::string path = folder.file("user.reg");
  writeFile(path, readFile(kWineFile));
  ::chmod(path.c_str(), 0640);
  RegFileBackend registry(path);
  const std::string folderName = "C:\\Users\\Łukasz\\NetLinks Müller";
  ASSERT_EQ(registry.setValue(kHkeyCurrentUser, "software\\symantec\\act!", "NetLinks File Type",
                              kRegSz, bytesOf(folderName)),
            kRegistrySuccess);
  EXPECT_EQ(queryValue(registry, "Software\\Symantec\\ACT!", "netlinks file type"),
            handedOutText(kRegSz, folderName));
  EXPECT_NE(readFile(path).find("\"NetLinks File Type\"=\"C:\\\\Users\\\\\\x141ukasz"),
            std::string::npos);
  struct stat info {};
  ::stat(path.c_str(), &info);
  EXPECT_EQ(info.st_mode & 0777, 0640u);
  EXPECT_EQ(test_support::entriesOf(folder.path()), "user.reg;");
}

TEST(RegFileBackend, CreatesTheFileItsFolderAndTheKey) {
  test_support::ScratchFolder folder;
  RegFileBackend registry(folder.file("config/registry/user.reg"));
  ASSERT_EQ(registry.setValue(kHkeyCurrentUser, "Software\\Symantec\\ACT!", "Zahl", kRegDword,
                              Bytes{0xff, 0xff, 0xff, 0xff}),
            kRegistrySuccess);
  EXPECT_EQ(queryValue(registry, "Software\\Symantec\\ACT!", "Zahl"),
            (HandedOutValue{kRegDword, Bytes{0xff, 0xff, 0xff, 0xff}}));
  EXPECT_EQ(registry.openKey(kHkeyCurrentUser, "Software", kKeyRead).status, kRegistrySuccess);
}

TEST(RegFileBackend, RefusesWritesThatWouldLoseData) {
  test_support::ScratchFolder folder;
  const std::string garbage = "not a registry file\n";
  writeFile(folder.file("user.reg"), garbage);
  std::filesystem::create_directory(folder.file("dir.reg"));
  const std::tuple<std::string, RegistryRootKey, std::string_view, RegistryStatus> cases[] = {
      {"user.reg", kHkeyCurrentUser, "A", kRegistryBadDatabase},
      {"dir.reg", kHkeyCurrentUser, "A", kRegistryBadDatabase},
      {"new.reg", kHkeyLocalMachine, "A", kRegistryAccessDenied},
      {"new.reg", kHkeyCurrentUser, "", kRegistryInvalidParameter},
      {"new.reg", kHkeyCurrentUser, "A\\\\B", kRegistryInvalidParameter},
      {"new.reg", kHkeyCurrentUser, "\\A", kRegistryInvalidParameter},
      {"new.reg", kHkeyCurrentUser, "A\\\\", kRegistryInvalidParameter},
  };
  for (const auto& [file, root, key, expected] : cases) {
    RegFileBackend registry(folder.file(file));
    EXPECT_EQ(registry.setValue(root, key, "v", kRegDword, Bytes{1, 0, 0, 0}), expected)
        << file << " " << key;
  }
  EXPECT_EQ(readFile(folder.file("user.reg")), garbage);
  EXPECT_EQ(test_support::entriesOf(folder.path()), "dir.reg;user.reg;");
}

}  // namespace
}  // namespace platform_linux
