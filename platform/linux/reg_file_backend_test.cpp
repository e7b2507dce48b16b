#include "platform/linux/reg_file_backend.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "platform/linux/xdg_test_folder.h"

namespace platform_linux {
namespace {

using namespace platform;
using Bytes = std::vector<std::uint8_t>;
using testing::readFile;
using testing::TestFolder;
using testing::writeFile;

const std::string kWineFile = SPURLIX_TEST_DATA "/registry/wine_user.reg";
constexpr std::string_view kTestKey = "Software\\SpurlixTest\\MixedCase Key";

// The value's type and data as the backend hands them out; nullopt when the
// key or value is missing.
std::optional<RegValue> query(RegFileBackend& registry, std::string_view key, std::string_view name,
                              RegistryRootKey root = kHkeyCurrentUser) {
  RegistryOpenResult opened = registry.openKey(root, key, kKeyRead);
  if (opened.status != kRegistrySuccess) return std::nullopt;
  std::optional<RegValue> result;
  RegistryQueryResult info = registry.queryValueInfo(opened.key, name);
  if (info.status == kRegistrySuccess) {
    Bytes data(info.size);
    RegistryQueryResult read = registry.queryValueData(opened.key, name, data);
    EXPECT_EQ(read.status, kRegistrySuccess);
    EXPECT_EQ(read.size, info.size);
    result = RegValue{read.type, data};
  }
  EXPECT_EQ(registry.closeKey(opened.key), kRegistrySuccess);
  return result;
}

Bytes bytesOf(std::string_view text) {
  return Bytes(text.begin(), text.end());
}

// A string value's data: its UTF-8 and the terminating NUL.
RegValue text(std::uint32_t type, std::string_view utf8) {
  Bytes data = bytesOf(utf8);
  data.push_back(0);
  return {type, data};
}

// Every kind of value Wine wrote, as the backend hands it out: texts in
// UTF-8 with their NUL, also those no 8-bit code page holds.
TEST(RegFileBackend, HandsOutEveryKindOfValueWithTextsInUtf8) {
  Bytes counting(100);
  for (std::size_t i = 0; i < counting.size(); ++i) counting[i] = static_cast<std::uint8_t>(i);
  RegFileBackend registry(kWineFile);
  const struct {
    std::string_view name;
    RegValue expected;
  } cases[] = {
      {"umlauts", text(1, "Grüße aus Köln, Straße 5 € ¼")},
      {"NotInCodePage", text(1, "Ωmega ✓")},
      {"Quoted", text(1, "say \"hallo\" \\ back\\\\slash")},
      {"Tabbed", text(1, "a\tb")},
      {"", text(1, "Standardwert")},
      {"Empty", text(1, "")},
      {"Multi", text(7, std::string_view("eins\0zwei\0drei\0", 15))},
      {"Expand", text(2, "%USERPROFILE%\\Links")},
      {"Bytes", {3, {1, 2, 0xab, 0xff, 0}}},
      {"NoBytes", {3, {}}},
      {"Long", {3, counting}},  // continuation lines
      {"Small", {4, {42, 0, 0, 0}}},
      {"Quad", {11, {0x88, 0x77, 0x66, 0x55, 0x44, 0x33, 0x22, 0x11}}},
      {"NAME WITH \"QUOTES\"", text(1, "x")},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(query(registry, "SOFTWARE\\spurlixtest\\mixedcase key", c.name), c.expected)
        << c.name;
  }
}

TEST(RegFileBackend, MissingOrDamagedStoresReadAsAbsent) {
  TestFolder folder;
  writeFile(folder.file("empty"), "");
  writeFile(folder.file("garbage"), std::string("\x00\xff\xfeWINE REGISTRY Version 2\n\x01", 29));
  const struct {
    std::string path;
    RegistryRootKey root = kHkeyCurrentUser;
    std::string_view key = kTestKey;
  } cases[] = {
      {folder.file("missing.reg")},
      {""},
      {folder.file("empty")},
      {folder.file("garbage")},
      {folder.path()},  // a folder
      {kWineFile, kHkeyLocalMachine},
      {kWineFile, kHkeyCurrentUser, "Software\\Nichts"},
      {kWineFile, kHkeyCurrentUser, "\\Software"},
  };
  for (const auto& c : cases) {
    RegFileBackend registry(c.path);
    EXPECT_EQ(registry.openKey(c.root, c.key, kKeyRead).status, kRegistryNotFound)
        << c.path << " " << c.key;
  }
}

TEST(RegFileBackend, ReportsStatusesAsWindowsDoesAndAnOpenKeyKeepsWhatItSaw) {
  TestFolder folder;
  const std::string path = folder.file("user.reg");
  writeFile(path, readFile(kWineFile));
  RegFileBackend registry(path);
  RegistryOpenResult opened = registry.openKey(kHkeyCurrentUser, kTestKey, kKeyRead);
  ASSERT_EQ(opened.status, kRegistrySuccess);
  writeFile(path, "WINE REGISTRY Version 2\n");
  EXPECT_EQ(registry.queryValueInfo(opened.key, "Nichts").status, kRegistryNotFound);

  Bytes small(3);
  RegistryQueryResult tooSmall = registry.queryValueData(opened.key, "Plain", small);
  EXPECT_EQ(tooSmall.status, kRegistryMoreData);
  EXPECT_EQ(tooSmall.type, kRegSz);
  EXPECT_EQ(tooSmall.size, 26u);
  EXPECT_EQ(small, Bytes(3, 0)) << "nothing copied";

  EXPECT_EQ(registry.closeKey(opened.key), kRegistrySuccess);
  EXPECT_EQ(registry.closeKey(opened.key), kRegistryInvalidHandle);
  EXPECT_EQ(registry.queryValueInfo(opened.key, "Plain").status, kRegistryInvalidHandle);
  EXPECT_EQ(registry.openKey(kHkeyCurrentUser, kTestKey, kKeyRead).status, kRegistryNotFound);
}

TEST(RegFileBackend, WritesIntoAWineFileChangingOnlyTheValuesLine) {
  TestFolder folder;
  const std::string path = folder.file("user.reg");
  const std::string original = readFile(kWineFile);
  writeFile(path, original);
  ::chmod(path.c_str(), 0640);
  RegFileBackend registry(path);

  const std::string folderName = "C:\\Users\\Łukasz\\NetLinks Müller";
  ASSERT_EQ(registry.setValue(kHkeyCurrentUser, "software\\symantec\\act!", "NetLinks File Type",
                              kRegSz, bytesOf(folderName)),
            kRegistrySuccess);
  EXPECT_EQ(query(registry, "Software\\Symantec\\ACT!", "netlinks file type"),
            text(kRegSz, folderName));

  const std::string oldLine = "\"NetLinks File Type\"=\"C:\\\\ACT\\\\NetLinks\"\n";
  std::string expected = original;
  expected.replace(
      expected.find(oldLine), oldLine.size(),
      "\"NetLinks File Type\"=\"C:\\\\Users\\\\\\x141ukasz\\\\NetLinks M\\xfcller\"\n");
  EXPECT_EQ(readFile(path), expected);

  struct stat info {};
  ::stat(path.c_str(), &info);
  EXPECT_EQ(info.st_mode & 0777, 0640u) << "permissions kept";
  EXPECT_EQ(testing::entriesOf(folder.path()), "user.reg;") << "no temporary file left";
}

TEST(RegFileBackend, CreatesTheFileItsFolderAndTheKey) {
  TestFolder folder;
  const std::string path = folder.file("config/registry/user.reg");
  RegFileBackend registry(path);
  ASSERT_EQ(registry.setValue(kHkeyCurrentUser, "Software\\Symantec\\ACT!", "Zahl", kRegDword,
                              Bytes{0xff, 0xff, 0xff, 0xff}),
            kRegistrySuccess);
  EXPECT_TRUE(readFile(path).starts_with("WINE REGISTRY Version 2\n"));
  EXPECT_EQ(query(registry, "Software\\Symantec\\ACT!", "Zahl"),
            (RegValue{kRegDword, Bytes{0xff, 0xff, 0xff, 0xff}}));
  EXPECT_EQ(registry.openKey(kHkeyCurrentUser, "Software", kKeyRead).status, kRegistrySuccess);
}

TEST(RegFileBackend, RefusesWritesThatWouldLoseData) {
  TestFolder folder;
  const std::string garbage = "not a registry file\n";
  writeFile(folder.file("user.reg"), garbage);
  std::filesystem::create_directory(folder.file("dir.reg"));
  const struct {
    std::string file;
    RegistryRootKey root;
    std::string_view key;
    RegistryStatus expected;
  } cases[] = {
      {"user.reg", kHkeyCurrentUser, "A", kRegistryBadDatabase},
      {"dir.reg", kHkeyCurrentUser, "A", kRegistryBadDatabase},
      {"new.reg", kHkeyLocalMachine, "A", kRegistryAccessDenied},
      {"new.reg", kHkeyCurrentUser, "", kRegistryInvalidParameter},
      {"new.reg", kHkeyCurrentUser, "A\\\\B", kRegistryInvalidParameter},
  };
  for (const auto& c : cases) {
    RegFileBackend registry(folder.file(c.file));
    EXPECT_EQ(registry.setValue(c.root, c.key, "v", kRegDword, Bytes{1, 0, 0, 0}), c.expected)
        << c.file << " " << c.key;
  }
  EXPECT_EQ(readFile(folder.file("user.reg")), garbage);
  EXPECT_EQ(testing::entriesOf(folder.path()), "dir.reg;user.reg;");
}

}  // namespace
}  // namespace platform_linux
