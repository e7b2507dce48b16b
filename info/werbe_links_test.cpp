#include "info/werbe_links.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>

#include "common/path_text.h"
#include "info/vendor.h"
#include "tests/fakes/fake_message_boxes.h"

namespace info {
namespace {

namespace fs = std::filesystem;

const std::string kCatalogueLine =
    std::string("[ACT! Add-ons (&deutsch)]") + kAddOnCatalogue + "\r\n";
const std::string kForumLine = std::string("[ACT! deutsches &Forum]") + kUserForum + "\r\n";

// A registry holding at most the one value ACT! keeps there; records what it
// is asked for.
class OneValueRegistry : public platform::RegistryBackend {
 public:
  struct Value {
    std::uint32_t type;
    std::string bytes;  // UTF-8, with its NUL for the string types
  };
  std::optional<Value> value;
  std::string openedPath, queriedName;
  platform::RegistryRootKey openedRoot = 0;

  platform::RegistryOpenResult openKey(platform::RegistryRootKey root, std::string_view keyPath,
                                       std::uint32_t) override {
    openedRoot = root;
    openedPath = std::string(keyPath);
    if (!value) return {platform::kRegistryNotFound, 0};
    return {platform::kRegistrySuccess, 7};
  }
  platform::RegistryQueryResult queryValueInfo(platform::RegistryKeyHandle,
                                               std::string_view name) override {
    queriedName = std::string(name);
    return answer(platform::kRegistrySuccess);
  }
  platform::RegistryQueryResult queryValueData(platform::RegistryKeyHandle, std::string_view,
                                               std::span<std::uint8_t> buffer) override {
    if (buffer.size() < value->bytes.size()) return answer(platform::kRegistryMoreData);
    std::memcpy(buffer.data(), value->bytes.data(), value->bytes.size());
    return answer(platform::kRegistrySuccess);
  }
  platform::RegistryStatus closeKey(platform::RegistryKeyHandle) override {
    return platform::kRegistrySuccess;
  }

  void setFolder(const std::string& path) {
    value = Value{platform::kRegSz, path + std::string(1, '\0')};
  }

 private:
  platform::RegistryQueryResult answer(platform::RegistryStatus status) const {
    return {status, value->type, static_cast<std::uint32_t>(value->bytes.size())};
  }
};

std::string readFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

std::vector<std::string> entries(const fs::path& folder) {
  std::vector<std::string> names;
  for (const fs::directory_entry& e : fs::directory_iterator(folder)) {
    names.push_back(e.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

class WerbeLinks : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = fs::temp_directory_path() / ("spurlix-links-" + std::to_string(::getpid()));
    folder_ = root_ / "NetLinks";
    fs::create_directories(folder_);
    registry_.setFolder(folder_.string());
    // Whatever a faulty installation wrote relative to the working folder
    // would land here.
    fs::create_directories(root_ / "cwd");
    oldCwd_ = fs::current_path();
    fs::current_path(root_ / "cwd");
  }
  void TearDown() override {
    fs::current_path(oldCwd_);
    fs::remove_all(root_);
  }
  void run() { WerbeLinksAnlegen(registry_, boxes_); }

  fs::path root_, folder_, oldCwd_;
  OneValueRegistry registry_;
  fakes::FakeMessageBoxes boxes_;
};

TEST_F(WerbeLinks, WritesTheMissingLinksAndNeverRewritesExistingOnes) {
  const struct {
    const char* name;
    std::vector<std::string> present;
  } table[] = {
      {"empty folder", {}},
      {"both present", {"0100morede.web", "0100morefe.web"}},
      {"only the forum present", {"0100morefe.web"}},
      {"only the catalogue present", {"0100morede.web"}},
  };
  for (const auto& row : table) {
    SCOPED_TRACE(row.name);
    fs::remove_all(folder_);
    fs::create_directories(folder_);
    for (const std::string& name : row.present) {
      std::ofstream(folder_ / name, std::ios::binary) << "[Mein Link]https://x.example.com/\r\n";
    }
    run();
    EXPECT_EQ(entries(folder_), (std::vector<std::string>{"0100morede.web", "0100morefe.web"}));
    for (const auto& [name, fresh] :
         {std::pair{"0100morede.web", kCatalogueLine}, std::pair{"0100morefe.web", kForumLine}}) {
      bool wasPresent = std::count(row.present.begin(), row.present.end(), name) != 0;
      EXPECT_EQ(readFile(folder_ / name),
                wasPresent ? "[Mein Link]https://x.example.com/\r\n" : fresh)
          << name;
    }
  }
  EXPECT_EQ(registry_.openedRoot, platform::kHkeyCurrentUser);
  EXPECT_EQ(registry_.openedPath, "Software\\Symantec\\ACT!");
  EXPECT_EQ(registry_.queriedName, "NetLinks File Type");
  EXPECT_TRUE(boxes_.shown.empty());
}

TEST_F(WerbeLinks, AnyAbsoluteSpellingOfTheFolderIsWrittenInto) {
  const fs::path german = root_ / u8"Verkn\u00fcpfungen";
  fs::create_directories(root_ / "act");
  const std::string root = common::utf8FromPath(root_);
  for (const std::string& spelled :
       {root + "/Verknüpfungen/", root + "/act/../Verknüpfungen", root + "/.//Verknüpfungen/."}) {
    SCOPED_TRACE(spelled);
    fs::remove_all(german);
    fs::create_directories(german);
    registry_.setFolder(spelled);
    run();
    EXPECT_EQ(readFile(german / "0100morede.web"), kCatalogueLine);
    EXPECT_EQ(readFile(german / "0100morefe.web"), kForumLine);
  }
}

TEST_F(WerbeLinks, UnusableFolderValuesWriteNothingAnywhere) {
  // Where the root cases would write, had they not been refused.
  const fs::path systemRoot = root_.root_path();
  const fs::path inRoot[] = {systemRoot / "0100morede.web", systemRoot / "0100morefe.web"};
  for (const fs::path& p : inRoot) ASSERT_FALSE(fs::exists(p)) << p;
  std::error_code noLinks;  // a system may not let us make one; the row then has nothing to do
  fs::create_directory_symlink(systemRoot, root_ / "toRoot", noLinks);
  fs::create_directories(root_ / "cwd" / "links");
  fs::create_directories(folder_ / "sub");
  const auto text = [](const fs::path& path) {
    return OneValueRegistry::Value{platform::kRegSz, path.string() + '\0'};
  };
  const struct {
    const char* name;
    std::optional<OneValueRegistry::Value> value;
  } table[] = {
      {"value absent", std::nullopt},
      {"empty text", OneValueRegistry::Value{platform::kRegSz, std::string(1, '\0')}},
      {"a number", OneValueRegistry::Value{platform::kRegDword, std::string("\x01\0\0\0", 4)}},
      {"bytes", OneValueRegistry::Value{platform::kRegBinary, folder_.string()}},
      {"expandable text", OneValueRegistry::Value{platform::kRegExpandSz, folder_.string() + '\0'}},
      {"relative path", text("links")},
      {"the root", text(systemRoot)},
      {"the root, climbed to", text(systemRoot / "x" / "..")},
      {"a link to the root", text(root_ / "toRoot")},
  };
  for (const auto& row : table) {
    SCOPED_TRACE(row.name);
    registry_.value = row.value;
    run();
    EXPECT_EQ(entries(folder_), std::vector<std::string>{"sub"});
    EXPECT_EQ(entries(root_ / "cwd"), std::vector<std::string>{"links"});
    EXPECT_TRUE(entries(root_ / "cwd" / "links").empty());
    for (const fs::path& p : inRoot) {
      EXPECT_FALSE(fs::exists(p)) << p;
      fs::remove(p);
    }
  }
  EXPECT_TRUE(boxes_.shown.empty());
}

TEST_F(WerbeLinks, FailuresEndTheWorkSilently) {
  // The folder does not exist.
  registry_.setFolder((root_ / "missing").string());
  run();
  EXPECT_FALSE(fs::exists(root_ / "missing"));

  // A folder in the way of the first link: the second is not tried.
  registry_.setFolder(folder_.string());
  fs::create_directories(folder_ / "0100morede.web");
  run();
  EXPECT_EQ(entries(folder_), std::vector<std::string>{"0100morede.web"});

  // A folder in the way of the second link: the first stays written.
  fs::remove_all(folder_ / "0100morede.web");
  fs::create_directories(folder_ / "0100morefe.web");
  run();
  EXPECT_EQ(readFile(folder_ / "0100morede.web"), kCatalogueLine);
  EXPECT_TRUE(fs::is_directory(folder_ / "0100morefe.web"));

  // A dangling link in the way is not followed.
  fs::remove_all(folder_);
  fs::create_directories(folder_);
  std::error_code noLinks;  // a system may not let us make one
  fs::create_symlink(root_ / "target.web", folder_ / "0100morede.web", noLinks);
  if (noLinks) return;
  run();
  EXPECT_FALSE(fs::exists(root_ / "target.web"));
  EXPECT_FALSE(fs::exists(folder_ / "0100morefe.web"));
  EXPECT_TRUE(boxes_.shown.empty());
}

}  // namespace
}  // namespace info
