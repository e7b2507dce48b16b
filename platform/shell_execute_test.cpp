#include "platform/shell_execute.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "tests/fakes/fake_message_boxes.h"
#include "tests/fakes/fake_shell_backend.h"

namespace platform {
namespace {

using Calls = std::vector<std::string>;

// A launcher over a recording shell, and the message boxes it shows.
struct Launcher {
  fakes::FakeShellBackend shell;
  fakes::FakeMessageBoxes boxes;
  CShellExecute launcher{shell, boxes};
};

const struct LaunchCase {
  const char* name;
  std::function<std::int32_t(CShellExecute&)> launch;
  const char* call;  // mask 0x240: hand back the process, expand variables
} kLaunchCases[] = {
    {"Explore", [](CShellExecute& s) { return s.Explore(77, "/data"); },
     "plain 77 0 'explore' '/data' null null 10"},
    {"LaunchDocument", [](CShellExecute& s) { return s.LaunchDocument(77, "a.txt", "/w", 3); },
     "ex 77 576 'Open' 'a.txt' '' '/w' 3"},
    {"LaunchEmail", [](CShellExecute& s) { return s.LaunchEmail(77, "info@example.com"); },
     "plain 77 0 null 'mailto:info@example.com' null null 10"},
    {"LaunchFolder", [](CShellExecute& s) { return s.LaunchFolder(77, "/data", 0); },
     "plain 77 0 'open' '/data' null null 0"},
    {"LaunchProgram", [](CShellExecute& s) { return s.LaunchProgram(77, "prog", "-x 1", "/w"); },
     "ex 77 576 'Open' 'prog' '-x 1' '/w' 10"},
    {"LaunchProgram", [](CShellExecute& s) { return s.LaunchProgram(77, "prog"); },
     "ex 77 576 'Open' 'prog' '' '' 10"},
    {"LaunchURL", [](CShellExecute& s) { return s.LaunchURL(77, "https://www.example.com/", 3); },
     "plain 77 0 null 'https://www.example.com/' null null 3"},
    {"PrintDocument", [](CShellExecute& s) { return s.PrintDocument(77, "a.txt"); },
     "plain 77 0 'print' 'a.txt' null null 0"},
};

TEST(ShellExecute, EachOperationMakesItsOneShellCallOrReportsAFailureTitledWithItsName) {
  for (const LaunchCase& c : kLaunchCases) {
    SCOPED_TRACE(c.call);
    Launcher t;
    t.shell.exResult = {42, 0};
    EXPECT_EQ(c.launch(t.launcher), -1);
    EXPECT_EQ(t.shell.calls, Calls{c.call});
    EXPECT_TRUE(t.boxes.shown.empty());

    // A launch that throws: the standard report, 0, and both fields cleared
    // before the failing call.
    t.shell.exResult = {42, 1234};
    t.launcher.LaunchProgram(1, "earlier");
    t.shell.throwOnLaunch = true;
    EXPECT_EQ(c.launch(t.launcher), 0);
    EXPECT_EQ(t.boxes.shown, (fakes::Boxes{{.text = "Error: 51. boom", .title = c.name}}));
    EXPECT_EQ(t.launcher.lastInstanceCode(), 0);
    EXPECT_FALSE(t.launcher.StillExecuting());
  }
}

TEST(ShellExecute, CodesAbove32AreSuccessOthersComeBackUnchanged) {
  const struct {
    std::int32_t shellCode, result;
  } table[] = {{33, -1}, {0x7fffffff, -1}, {32, 32}, {31, 31}, {2, 2}, {0, 0}, {-5, -5}};
  for (const auto& row : table) {
    SCOPED_TRACE(row.shellCode);
    Launcher t;
    t.shell.plainCode = row.shellCode;
    t.shell.exResult = {row.shellCode, 0};
    EXPECT_EQ(t.launcher.LaunchURL(1, "x"), row.result);
    EXPECT_EQ(t.launcher.LaunchProgram(1, "x"), row.result);
    EXPECT_EQ(t.launcher.lastInstanceCode(), row.shellCode);
  }
}

TEST(ShellExecute, StillExecutingAsksOnlyAfterAnExtendedLaunch) {
  Launcher t;
  EXPECT_FALSE(t.launcher.StillExecuting());
  EXPECT_TRUE(t.shell.calls.empty());

  t.launcher.LaunchProgram(1, "prog");
  EXPECT_EQ(t.launcher.lastProcessHandle(), 1234u);
  EXPECT_TRUE(t.launcher.StillExecuting());
  EXPECT_EQ(t.shell.calls.back(), "active 1234");
  t.shell.active = false;
  EXPECT_FALSE(t.launcher.StillExecuting());

  // A plain launch clears both fields; the question is no longer asked.
  t.launcher.LaunchFolder(1, "/");
  EXPECT_EQ(t.launcher.lastProcessHandle(), 0u);
  const std::size_t callsBefore = t.shell.calls.size();
  EXPECT_FALSE(t.launcher.StillExecuting());
  EXPECT_EQ(t.shell.calls.size(), callsBefore);

  // A failed extended launch still stores what the shell left, so the shell
  // is asked again (and says no for handle 0).
  t.shell.exResult = {2, 0};
  EXPECT_EQ(t.launcher.LaunchDocument(1, "missing.txt", ""), 2);
  EXPECT_EQ(t.launcher.lastInstanceCode(), 2);
  EXPECT_FALSE(t.launcher.StillExecuting());
  EXPECT_EQ(t.shell.calls.back(), "active 0");

  // A query that throws: the report, and no.
  t.shell.throwOnQuery = true;
  t.boxes.shown.clear();
  EXPECT_FALSE(t.launcher.StillExecuting());
  EXPECT_EQ(t.boxes.shown,
            (fakes::Boxes{{.text = "Error: 51. query failed", .title = "StillExecuting"}}));
}

TEST(ShellExecute, EarlierProcessIsReleasedWhenTheNextLaunchStartsAndWhenTheObjectGoes) {
  fakes::FakeShellBackend shell;
  fakes::FakeMessageBoxes boxes;
  {
    CShellExecute launcher(shell, boxes);
    shell.exResult = {42, 0};
    launcher.LaunchProgram(1, "no handle");  // nothing to release later
    shell.exResult = {42, 1234};
    launcher.LaunchProgram(1, "first");
    shell.exResult = {42, 5678};
    launcher.LaunchProgram(1, "second");
    launcher.LaunchURL(1, "https://www.example.com/");
    shell.exResult = {42, 9999};
    launcher.LaunchDocument(1, "doc", "");
  }
  Calls kinds;
  for (const std::string& call : shell.calls) {
    kinds.push_back(call.starts_with("release") ? call : call.substr(0, call.find(' ')));
  }
  EXPECT_EQ(kinds, (Calls{"ex", "ex", "release 1234", "ex", "release 5678", "plain", "ex",
                          "release 9999"}));
}

}  // namespace
}  // namespace platform
