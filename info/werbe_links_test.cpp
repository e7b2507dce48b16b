#include "info/werbe_links.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>

#include "common/path_text.h"
#include "info/vendor.h"
#include "tests/fakes/fake_message_boxes.h"
#include "tests/fakes/fake_registry.h"
#include "tests/scratch.h"

namespace info {
namespace {

namespace fs = std::filesystem;
using test_support::entriesOf;
using test_support::readFile;
using test_support::writeFile;

const std::string kCatalogueLine =
    std::string("[ACT! Add-ons (&deutsch)]") + kAddOnCatalogue + "\r\n";
const std::string kForumLine = std::string("[ACT! deutsches &Forum]") + kUserForum + "\r\n";
const std::string kOwnLine = "[Mein Link]https://x.example.com/\r\n";

class WerbeLinks : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(folder_);
    registry_.setText(common::utf8FromPath(folder_));
    // Whatever a faulty installation wrote relative to the working folder
    // would land here.
    fs::create_directories(root_ / "cwd");
    fs::current_path(root_ / "cwd");
  }
  void TearDown() override { fs::current_path(oldCwd_); }
  void run() { WerbeLinksAnlegen(registry_, boxes_); }

  test_support::ScratchFolder scratch_;
  fs::path root_ = scratch_.path(), folder_ = root_ / "NetLinks", oldCwd_ = fs::current_path();
  fakes::FakeRegistry registry_;
  fakes::FakeMessageBoxes boxes_;
};

TEST_F(WerbeLinks, WritesTheMissingLinksAndNeverRewritesExistingOnes) {
  for (const auto& [catalogue, forum] :
       {std::pair{false, false}, {true, true}, {false, true}, {true, false}}) {
    SCOPED_TRACE(std::to_string(catalogue) + std::to_string(forum));
    fs::remove_all(folder_);
    fs::create_directories(folder_);
    if (catalogue) writeFile(folder_ / "0100morede.web", kOwnLine);
    if (forum) writeFile(folder_ / "0100morefe.web", kOwnLine);
    run();
    EXPECT_EQ(entriesOf(folder_), "0100morede.web;0100morefe.web;");
    EXPECT_EQ(readFile(folder_ / "0100morede.web"), catalogue ? kOwnLine : kCatalogueLine);
    EXPECT_EQ(readFile(folder_ / "0100morefe.web"), forum ? kOwnLine : kForumLine);
  }
  EXPECT_EQ(registry_.asked, "2147483649 Software\\Symantec\\ACT! 131097 NetLinks File Type");
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
    registry_.setText(spelled);
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
  const auto text = [](const fs::path& path) { return common::utf8FromPath(path) + '\0'; };
  const struct {
    const char* name;
    std::uint32_t type;
    std::optional<std::string> bytes;  // none: the value is absent
  } table[] = {
      {"value absent", platform::kRegSz, std::nullopt},
      {"empty text", platform::kRegSz, std::string(1, '\0')},
      {"a number", platform::kRegDword, std::string("\x01\0\0\0", 4)},
      {"bytes", platform::kRegBinary, common::utf8FromPath(folder_)},
      {"expandable text", platform::kRegExpandSz, text(folder_)},
      {"relative path", platform::kRegSz, text("links")},
      {"the root", platform::kRegSz, text(systemRoot)},
      {"the root, climbed to", platform::kRegSz, text(systemRoot / "x" / "..")},
      {"a link to the root", platform::kRegSz, text(root_ / "toRoot")},
  };
  for (const auto& row : table) {
    SCOPED_TRACE(row.name);
    registry_.openStatus = row.bytes ? platform::kRegistrySuccess : platform::kRegistryNotFound;
    registry_.type = row.type;
    const std::string bytes = row.bytes.value_or("");
    registry_.data.assign(bytes.begin(), bytes.end());
    run();
    EXPECT_EQ(entriesOf(folder_), "sub;");
    EXPECT_EQ(entriesOf(root_ / "cwd"), "links;");
    EXPECT_EQ(entriesOf(root_ / "cwd" / "links"), "");
    for (const fs::path& p : inRoot) {
      EXPECT_FALSE(fs::exists(p)) << p;
      fs::remove(p);
    }
  }
  EXPECT_TRUE(boxes_.shown.empty());
}

TEST_F(WerbeLinks, FailuresEndTheWorkSilently) {
  // The folder does not exist.
  registry_.setText(common::utf8FromPath(root_ / "missing"));
  run();
  EXPECT_FALSE(fs::exists(root_ / "missing"));

  // A folder in the way of the first link: the second is not tried.
  registry_.setText(common::utf8FromPath(folder_));
  fs::create_directories(folder_ / "0100morede.web");
  run();
  EXPECT_EQ(entriesOf(folder_), "0100morede.web;");

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
