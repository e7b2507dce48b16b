#include "platform/linux/ini_settings_store.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <thread>

#include "platform/linux/ini_file.h"
#include "platform/linux/xdg_test_folder.h"

namespace platform_linux {
namespace {

using testing::entriesOf;
using testing::readFile;
using testing::TestFolder;
using testing::writeFile;

constexpr std::string_view kApp = "Spurlix light";
constexpr std::string_view kHistory = "Suchbegriffe";

TEST(IniSettingsStore, LivesInTheUsersConfigFolder) {
  TestFolder folder;
  const char* saved = std::getenv("XDG_CONFIG_HOME");
  std::string savedValue = saved ? saved : "";
  ::setenv("XDG_CONFIG_HOME", folder.path().c_str(), 1);
  IniSettingsStore store = IniSettingsStore::forCurrentUser();
  ::setenv("XDG_CONFIG_HOME", "relative/is/ignored", 1);
  std::string fallbackPath = IniSettingsStore::forCurrentUser().settingsFilePath(kApp);
  if (saved) {
    ::setenv("XDG_CONFIG_HOME", savedValue.c_str(), 1);
  } else {
    ::unsetenv("XDG_CONFIG_HOME");
  }

  ASSERT_TRUE(store.write(kApp, kHistory, "0", "Meyer"));
  EXPECT_EQ(readFile(folder.path() + "/Spurlix light/settings.ini"), "[Suchbegriffe]\n0=Meyer\n");
  EXPECT_TRUE(fallbackPath.ends_with("/.config/Spurlix light/settings.ini")) << fallbackPath;
}

TEST(IniSettingsStore, EveryFieldIsEscaped) {
  // The escaping itself is IniFile's; this pins that the store uses it for
  // every field.
  TestFolder folder;
  IniSettingsStore store(folder.path());
  for (std::string_view text : {std::string_view("[a]=b\n; c "), std::string_view("\0\xff", 2)}) {
    ASSERT_TRUE(store.write(kApp, text, text, text));
    EXPECT_EQ(store.read(kApp, text, text, "fehlt"), text);
  }
}

TEST(IniSettingsStore, KeepsOtherKeysSectionsAndApplications) {
  TestFolder folder;
  IniSettingsStore store(folder.path());
  ASSERT_TRUE(store.write(kApp, kHistory, "0", "Abel"));
  ASSERT_TRUE(store.write(kApp, kHistory, "1", "Zorn"));
  ASSERT_TRUE(store.write(kApp, "Debug", "Debug", "Debug"));
  ASSERT_TRUE(store.write("Andere", kHistory, "0", "fremd"));
  ASSERT_TRUE(store.write(kApp, kHistory, "0", "Meyer"));
  EXPECT_EQ(store.read(kApp, kHistory, "0", ""), "Meyer");
  EXPECT_EQ(store.read(kApp, "SUCHBEGRIFFE", "1", ""), "Zorn");
  EXPECT_EQ(store.read(kApp, "Debug", "debug", ""), "Debug");
  EXPECT_EQ(store.read("Andere", kHistory, "0", ""), "fremd");
  EXPECT_EQ(store.read(kApp, kHistory, "2", "leer"), "leer");
  EXPECT_EQ(store.read(kApp, "Nichts", "0", "leer"), "leer");
  EXPECT_EQ(readFile(store.settingsFilePath(kApp)),
            "[Suchbegriffe]\n0=Meyer\n1=Zorn\n\n[Debug]\nDebug=Debug\n");
}

TEST(IniSettingsStore, ReadsDamagedFilesAsFarAsTheyGo) {
  TestFolder folder;
  IniSettingsStore store(folder.path());
  const std::string path = store.settingsFilePath(kApp);
  std::filesystem::create_directories(folder.path() + "/Spurlix light");
  const std::string damaged[] = {
      std::string("\x7f"
                  "ELF\x02\x01\x01\0\0\0\xff\xfe[Suchbegriffe\n\0\0",
                  22),
      "[Suchbegriffe\n0=Meyer\n",
      "[Suchbegriffe]\n0 Meyer\n",
      "0=Meyer\n",
  };
  for (const std::string& text : damaged) {
    writeFile(path, text);
    EXPECT_EQ(store.read(kApp, kHistory, "0", "fehlt"), "fehlt");
    EXPECT_EQ(readFile(path), text) << "reading never writes";
    ASSERT_TRUE(store.write(kApp, kHistory, "1", "neu"));
    EXPECT_EQ(store.read(kApp, kHistory, "1", ""), "neu");
    EXPECT_TRUE(readFile(path).starts_with(text)) << "the damaged lines are kept";
  }
}

TEST(IniSettingsStore, UnreadableFilesReadAsAbsentAndAreNotReplaced) {
  TestFolder folder;
  IniSettingsStore store(folder.path());
  const std::string path = store.settingsFilePath(kApp);
  std::filesystem::create_directories(path);  // a folder where the file belongs
  writeFile(path + "/inside", "x");
  EXPECT_EQ(store.read(kApp, kHistory, "0", "fehlt"), "fehlt");
  EXPECT_FALSE(store.write(kApp, kHistory, "0", "Meyer"));
  EXPECT_EQ(entriesOf(folder.path() + "/Spurlix light"), "settings.ini;");
  EXPECT_EQ(readFile(path + "/inside"), "x");
}

TEST(IniSettingsStore, RefusesApplicationNamesThatAreNoFolderName) {
  TestFolder folder;
  IniSettingsStore store(folder.path());
  for (std::string_view name :
       {std::string_view(""), std::string_view("."), std::string_view(".."),
        std::string_view("a/b"), std::string_view("../x"), std::string_view("a\0b", 3)}) {
    EXPECT_FALSE(store.write(name, kHistory, "0", "x"));
    EXPECT_EQ(store.read(name, kHistory, "0", "fehlt"), "fehlt");
  }
  EXPECT_EQ(entriesOf(folder.path()), "");
  IniSettingsStore nowhere("");
  EXPECT_FALSE(nowhere.write(kApp, kHistory, "0", "x"));
  EXPECT_EQ(nowhere.read(kApp, kHistory, "0", "fehlt"), "fehlt");
  // Reading never creates anything.
  IniSettingsStore unborn(folder.path() + "/config");
  EXPECT_EQ(unborn.read(kApp, kHistory, "0", "fehlt"), "fehlt");
  EXPECT_FALSE(std::filesystem::exists(folder.path() + "/config"));
}

TEST(IniSettingsStore, AFullDiskLeavesTheOldFile) {
  TestFolder folder;
  IniSettingsStore store(folder.path());
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
  EXPECT_EQ(entriesOf(folder.path() + "/Spurlix light"), "settings.ini;");
}

// A writer killed at any moment leaves the file with either the old or the
// new contents, complete.
TEST(IniSettingsStore, AKilledWriterNeverLeavesAHalfWrittenFile) {
  TestFolder folder;
  IniSettingsStore store(folder.path());
  // Ten long terms make each write large enough to be caught in the middle.
  for (int k = 0; k < 10; ++k) {
    ASSERT_TRUE(store.write(kApp, kHistory, std::to_string(k),
                            std::string(3000, static_cast<char>('a' + k))));
  }
  ASSERT_TRUE(store.write(kApp, "Zähler", "n", "0"));
  const std::string path = store.settingsFilePath(kApp);
  const std::string initial = readFile(path);
  auto expectedWith = [&](long n) {
    IniFile file = IniFile::parse(initial);
    file.setValue("Zähler", "n", std::to_string(n));
    return file.text();
  };

  std::mt19937 random(1234);
  long last = 0;
  for (int round = 0; round < 12; ++round) {
    pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      for (long n = last + 1;; ++n) store.write(kApp, "Zähler", "n", std::to_string(n));
    }
    std::this_thread::sleep_for(std::chrono::microseconds(2000 + random() % 20000));
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);

    const std::string text = readFile(path);
    long n = std::stol(store.read(kApp, "Zähler", "n", "-1"));
    ASSERT_GE(n, last) << "round " << round;
    ASSERT_EQ(text, expectedWith(n)) << "round " << round;
    last = n;
  }
  EXPECT_GT(last, 0) << "the writers got some writes done";
  // The next write clears what the killed writers left behind.
  ASSERT_TRUE(store.write(kApp, "Zähler", "n", "fertig"));
  EXPECT_EQ(entriesOf(folder.path() + "/Spurlix light"), "settings.ini;");
}

}  // namespace
}  // namespace platform_linux
