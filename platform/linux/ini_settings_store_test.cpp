#include "platform/linux/ini_settings_store.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <random>
#include <thread>

#include "common/settings_store_contract_test_util.h"
#include "platform/linux/ini_file.h"
#include "platform/linux/linux_test_util.h"
#include "tests/scratch.h"

namespace platform_linux {
namespace {

using test_support::entriesOf;
using test_support::readFile;
using test_support::ScratchFolder;
using test_support::writeFile;

constexpr std::string_view kApp = "Spurlix light";
constexpr std::string_view kHistory = "Suchbegriffe";

TEST(IniSettingsStore, KeepsTheContract) {
  ScratchFolder folder;
  IniSettingsStore store(folder.path().string());
  common::expectSettingsStoreContract(store, "Suchbegriffe");
}

TEST(IniSettingsStore, LivesInTheUsersConfigFolder) {
  ScratchFolder folder;
  testing::ScopedEnvironment environment;
  environment.set("XDG_CONFIG_HOME", folder.path().string());
  IniSettingsStore store = IniSettingsStore::forCurrentUser();
  environment.set("XDG_CONFIG_HOME", "relative/is/ignored");
  const std::string fallbackPath = IniSettingsStore::forCurrentUser().settingsFilePath(kApp);

  ASSERT_TRUE(store.write(kApp, kHistory, "0", "Meyer"));
  EXPECT_EQ(readFile(folder.path() / "Spurlix light/settings.ini"), "[Suchbegriffe]\n0=Meyer\n");
  EXPECT_TRUE(fallbackPath.ends_with("/.config/Spurlix light/settings.ini")) << fallbackPath;
}

// Names that are no folder name, no configuration folder, a folder where the
// file belongs: reads give the fallback, writes fail, nothing is created or
// replaced.
TEST(IniSettingsStore, UnusableNamesAndPlacesReadAsAbsentAndAreNotWritten) {
  ScratchFolder folder;
  const std::string unborn = folder.file("config"), blocked = folder.file("blocked");
  std::filesystem::create_directories(blocked + "/Spurlix light/settings.ini");
  const struct {
    std::string configHome;
    std::string_view application;
  } cases[] = {{unborn, ""},     {unborn, "."},         {unborn, ".."}, {unborn, "a/b"},
               {unborn, "../x"}, {unborn, {"a\0b", 3}}, {"", kApp},     {blocked, kApp}};
  for (const auto& c : cases) {
    IniSettingsStore store(c.configHome);
    EXPECT_EQ(store.read(c.application, kHistory, "0", "fehlt"), "fehlt") << c.application;
    EXPECT_FALSE(store.write(c.application, kHistory, "0", "x")) << c.application;
  }
  EXPECT_EQ(IniSettingsStore(unborn).read(kApp, kHistory, "0", "fehlt"), "fehlt");
  EXPECT_EQ(entriesOf(folder.path()), "blocked;") << "nothing was created";
  EXPECT_EQ(entriesOf(blocked + "/Spurlix light/settings.ini"), "");
}

TEST(IniSettingsStore, AFullDiskLeavesTheOldFile) {
  ScratchFolder folder;
  IniSettingsStore store(folder.path().string());
  ASSERT_TRUE(store.write(kApp, kHistory, "0", "Meyer"));
  const std::string before = readFile(store.settingsFilePath(kApp));
  pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    // The file size limit makes the write fail as a full disk does.
    rlimit limit{512, 512};
    ::setrlimit(RLIMIT_FSIZE, &limit);
    ::signal(SIGXFSZ, SIG_IGN);
    bool written = store.write(kApp, kHistory, "1", std::string(4096, 'x'));
    ::_exit(written ? 1 : 0);
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0) << "the write reported failure";
  EXPECT_EQ(readFile(store.settingsFilePath(kApp)), before);
  EXPECT_EQ(entriesOf(folder.path() / "Spurlix light"), "settings.ini;");
}

// A writer killed at any moment leaves the file with either the old or the
// new contents, complete; the next write clears what it left behind.
TEST(IniSettingsStore, AKilledWriterNeverLeavesAHalfWrittenFile) {
  ScratchFolder folder;
  IniSettingsStore store(folder.path().string());
  // Ten long terms make each write large enough to be caught in the middle.
  for (int k = 0; k < 10; ++k) {
    ASSERT_TRUE(store.write(kApp, kHistory, std::to_string(k), std::string(3000, 'a')));
  }
  const std::string path = store.settingsFilePath(kApp);
  const IniFile initial = IniFile::parse(readFile(path));
  std::mt19937 random(1234);
  long last = 0;
  for (int round = 0; round < 12; ++round) {
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      for (long n = last + 1;; ++n) store.write(kApp, "Zähler", "n", std::to_string(n));
    }
    std::this_thread::sleep_for(std::chrono::microseconds(2000 + random() % 20000));
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
    const long n = std::stol(store.read(kApp, "Zähler", "n", "0"));
    ASSERT_GE(n, last) << "round " << round;
    IniFile expected = initial;
    if (n > 0) expected.setValue("Zähler", "n", std::to_string(n));
    ASSERT_EQ(readFile(path), expected.text()) << "round " << round;
    last = n;
  }
  EXPECT_GT(last, 0) << "the writers got some writes done";
  ASSERT_TRUE(store.write(kApp, "Zähler", "n", "fertig"));
  EXPECT_EQ(entriesOf(folder.path() / "Spurlix light"), "settings.ini;");
}

}  // namespace
}  // namespace platform_linux
