#include "platform/linux/shell_backend_linux.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

#include "platform/linux/linux_test_util.h"
#include "platform/shell_backend_contract_test_util.h"
#include "tests/scratch.h"

namespace platform_linux {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using test_support::readFile;
using test_support::waitFor;

void writeFile(const fs::path& path, std::string_view content, fs::perms perms) {
  test_support::writeFile(path, content);
  fs::permissions(path, perms);
}

class LinuxShellTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // The opener must never reach a real browser or desktop: no display, an
    // empty desktop database, and BROWSER set to our own script.
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "XDG_CURRENT_DESKTOP", "DESKTOP_SESSION",
                             "KDE_FULL_SESSION", "GNOME_DESKTOP_SESSION_ID"}) {
      env_.set(name, std::nullopt);
    }
    fs::create_directories(dir_ / "data");
    fs::create_directories(dir_ / "config");
    env_.set("XDG_DATA_HOME", (dir_ / "data").string());
    env_.set("XDG_DATA_DIRS", (dir_ / "data").string());
    env_.set("XDG_CONFIG_HOME", (dir_ / "config").string());
    env_.set("XDG_CONFIG_DIRS", (dir_ / "config").string());
    writeFile(dir_ / "record.sh", "#!/bin/sh\nprintf '%s\\n' \"$@\" >> \"$0.out\"\n",
              fs::perms::owner_all);
    writeFile(dir_ / "refuse.sh", "#!/bin/sh\nexit 1\n", fs::perms::owner_all);
    writeFile(dir_ / "linger.sh", "#!/bin/sh\nsleep 3\n", fs::perms::owner_all);
    env_.set("BROWSER", (dir_ / "record.sh").string());
  }

  LinuxShell::Options patientOptions() {
    LinuxShell::Options options;
    options.earlyExitWait = 20s;  // the helpers here end quickly; never time out on a slow machine
    return options;
  }

  test_support::ScratchFolder folder_;
  fs::path dir_ = folder_.path();
  testing::ScopedEnvironment env_;
};

// The calls the launcher makes, spelt out.
platform::ShellExecuteExResult launchProgram(LinuxShell& shell, std::string_view program,
                                             std::string_view parameters = "",
                                             std::string_view startFolder = "") {
  return shell.shellExecuteEx(0, platform::kMaskNoCloseProcess | platform::kMaskDoEnvSubst, "Open",
                              program, parameters, startFolder, 10);
}
std::int32_t openAddress(LinuxShell& shell, std::string_view address) {
  return shell.shellExecute(0, std::nullopt, address, std::nullopt, std::nullopt, 10);
}

TEST_F(LinuxShellTest, KeepsTheContract) {
  LinuxShell shell(patientOptions());
  platform::expectShellBackendContract({shell, [&] { return readFile(dir_ / "record.sh.out"); },
                                        "sleep", "1",  // found on PATH
                                        (dir_ / "missing.txt").string()});
}

// The handle of a process that has ended, was released, or is none of ours
// is inactive; without kMaskNoCloseProcess none is handed back at all.
TEST_F(LinuxShellTest, OnlyHandedOutProcessesAreActive) {
  LinuxShell shell;
  EXPECT_FALSE(shell.processStillActive(0));
  EXPECT_FALSE(shell.processStillActive(1));  // init is no child of ours
  platform::ShellExecuteExResult launched = launchProgram(shell, "/bin/sleep", "2");
  shell.releaseProcess(launched.process);
  EXPECT_FALSE(shell.processStillActive(launched.process));
  launched = shell.shellExecuteEx(0, 0, "Open", "/bin/true", "", "", 10);
  EXPECT_EQ(launched.instanceCode, 42);
  EXPECT_EQ(launched.process, 0u);
}

TEST_F(LinuxShellTest, ProgramGetsItsWordsAndStartFolderWithVariablesExpanded) {
  writeFile(dir_ / "args.sh", "#!/bin/sh\nprintf '%s\\n' \"$@\" > args.out\npwd >> args.out\n",
            fs::perms::owner_all);
  fs::create_directories(dir_ / "work dir");
  env_.set("SPURLIX_TEST_DIR", dir_.string());
  LinuxShell shell;
  // Parameters are split, never expanded; file and folder are expanded.
  platform::ShellExecuteExResult launched =
      launchProgram(shell, "${SPURLIX_TEST_DIR}/args.sh", R"(a 'b c' "d\"e" $HOME)",
                    "%SPURLIX_TEST_DIR%/work dir");
  EXPECT_EQ(launched.instanceCode, 42);
  ASSERT_TRUE(waitFor([&] { return !shell.processStillActive(launched.process); }));
  EXPECT_EQ(readFile(dir_ / "work dir" / "args.out"),
            "a\nb c\nd\"e\n$HOME\n" + (dir_ / "work dir").string() + "\n");
}

TEST_F(LinuxShellTest, FailedLaunchesComeBackAsShellCodes) {
  writeFile(dir_ / "not-executable.sh", "#!/bin/sh\nexit 0\n", fs::perms::owner_read);
  writeFile(dir_ / "broken-binary",
            "\x7f"
            "ELF garbage that is no program",
            fs::perms::owner_all);
  writeFile(dir_ / "plain.txt", "text", fs::perms::owner_read | fs::perms::owner_write);
  const std::string d = dir_.string();
  const std::tuple<const char*, std::string, std::string, std::int32_t> table[] = {
      {"missing program", d + "/no-such-program", "", 2},
      {"bare name nowhere on PATH", "spurlix-no-such-program", "", 2},
      {"missing folder of the program", d + "/no-such-dir/program", "", 3},
      {"missing start folder", "/bin/true", d + "/no-such-dir", 3},
      {"start folder is a file", "/bin/true", d + "/plain.txt", 3},
      {"program without execute permission", d + "/not-executable.sh", "", 5},
      {"program the system cannot run", d + "/broken-binary", "", 11},
      {"program relative to a missing start folder", "true.sh", d + "/gone", 3},
  };
  LinuxShell shell(patientOptions());
  for (const auto& [name, program, startFolder, code] : table) {
    SCOPED_TRACE(name);
    platform::ShellExecuteExResult launched = launchProgram(shell, program, "", startFolder);
    EXPECT_EQ(launched.instanceCode, code);
    EXPECT_EQ(launched.process, 0u);
  }
}

TEST_F(LinuxShellTest, RequestsNothingHandlesAreRefused) {
  LinuxShell shell(patientOptions());
  const std::string d = dir_.string();
  EXPECT_EQ(shell.shellExecute(0, "edit", d + "/record.sh", std::nullopt, std::nullopt, 10), 31);
  EXPECT_EQ(shell.shellExecute(0, "print", d, std::nullopt, std::nullopt, 0), 31);
  EXPECT_EQ(
      shell.shellExecute(0, "print", "https://www.example.com/", std::nullopt, std::nullopt, 0),
      31);
  EXPECT_EQ(shell.shellExecute(0, "open", d + "/missing/x.txt", std::nullopt, std::nullopt, 10), 3);
}

TEST_F(LinuxShellTest, AddressesReachTheBrowserThroughTheOpener) {
  LinuxShell shell(patientOptions());
  EXPECT_EQ(openAddress(shell, "mailto:info@example.com"), 42);
  EXPECT_EQ(readFile(dir_ / "record.sh.out"), "mailto:info@example.com\n");

  // No handler, or no opener at all, is the shell's "no association".
  env_.set("BROWSER", (dir_ / "refuse.sh").string());
  EXPECT_EQ(openAddress(shell, "spurlix-nobody:whatever"), 31);
  LinuxShell::Options options = patientOptions();
  options.opener = "spurlix-no-such-opener";
  LinuxShell withoutOpener(options);
  EXPECT_EQ(openAddress(withoutOpener, "https://www.example.com/"), 31);
}

TEST_F(LinuxShellTest, ALingeringOpenerDoesNotBlockTheCaller) {
  env_.set("BROWSER", (dir_ / "linger.sh").string());
  LinuxShell::Options options;
  options.earlyExitWait = 300ms;
  const auto start = std::chrono::steady_clock::now();
  {
    LinuxShell shell(options);
    EXPECT_EQ(openAddress(shell, "https://www.example.com/"), 42);
  }
  EXPECT_LT(std::chrono::steady_clock::now() - start, 2500ms);
}

TEST_F(LinuxShellTest, PrintHandsTheFileToThePrintCommand) {
  writeFile(dir_ / "letter.txt", "Hallo", fs::perms::owner_read | fs::perms::owner_write);
  LinuxShell::Options options = patientOptions();
  options.printer = (dir_ / "record.sh").string();
  LinuxShell shell(options);
  EXPECT_EQ(
      shell.shellExecute(0, "print", (dir_ / "letter.txt").string(), std::nullopt, std::nullopt, 0),
      42);
  EXPECT_EQ(readFile(dir_ / "record.sh.out"), (dir_ / "letter.txt").string() + "\n");
}

}  // namespace
}  // namespace platform_linux
