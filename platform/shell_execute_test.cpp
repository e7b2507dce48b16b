#include "platform/shell_execute.h"

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "tests/fakes/fake_message_boxes.h"

namespace platform {
namespace {

using Text = std::optional<std::string>;

Text copy(std::optional<std::string_view> text) {
  return text ? Text(std::string(*text)) : std::nullopt;
}

// Records every call in order and answers with the configured codes.
class RecordingShell : public ShellBackend {
 public:
  struct Call {
    std::string kind;  // "plain", "ex", "active", "release"
    WindowHandle owner = 0;
    std::uint32_t mask = 0;
    Text verb, file, parameters, startFolder;
    std::int32_t show = -99;
    ProcessHandle process = 0;
  };

  std::int32_t shellExecute(WindowHandle owner, std::optional<std::string_view> verb,
                            std::string_view file, std::optional<std::string_view> parameters,
                            std::optional<std::string_view> startFolder,
                            std::int32_t show) override {
    if (throwOnLaunch) throw std::runtime_error("boom");
    calls.push_back({"plain", owner, 0, copy(verb), std::string(file), copy(parameters),
                     copy(startFolder), show, 0});
    return plainCode;
  }
  ShellExecuteExResult shellExecuteEx(WindowHandle owner, std::uint32_t mask,
                                      std::optional<std::string_view> verb, std::string_view file,
                                      std::optional<std::string_view> parameters,
                                      std::optional<std::string_view> startFolder,
                                      std::int32_t show) override {
    if (throwOnLaunch) throw std::runtime_error("boom");
    calls.push_back({"ex", owner, mask, copy(verb), std::string(file), copy(parameters),
                     copy(startFolder), show, 0});
    return exResult;
  }
  bool processStillActive(ProcessHandle process) override {
    if (throwOnQuery) throw std::runtime_error("query failed");
    calls.push_back({"active", 0, 0, {}, {}, {}, {}, -99, process});
    return active;
  }
  void releaseProcess(ProcessHandle process) override {
    calls.push_back({"release", 0, 0, {}, {}, {}, {}, -99, process});
  }

  std::vector<std::string> kinds() const {
    std::vector<std::string> out;
    for (const Call& c : calls) out.push_back(c.kind);
    return out;
  }

  std::vector<Call> calls;
  std::int32_t plainCode = 42;
  ShellExecuteExResult exResult{42, 1234};
  bool active = true;
  bool throwOnLaunch = false;
  bool throwOnQuery = false;
};

// A launcher over a recording shell, and the message boxes it shows.
struct Launcher {
  RecordingShell shell;
  fakes::FakeMessageBoxes boxes;
  CShellExecute launcher{shell, boxes};
};

struct LaunchCase {
  const char* name;
  std::function<std::int32_t(CShellExecute&)> launch;
  RecordingShell::Call expected;
};

std::vector<LaunchCase> launchCases() {
  constexpr std::uint32_t kMask = 0x240;
  return {
      {"Explore",
       [](CShellExecute& s) { return s.Explore(77, "/data"); },
       {"plain", 77, 0, "explore", "/data", std::nullopt, std::nullopt, 10, 0}},
      {"LaunchDocument",
       [](CShellExecute& s) { return s.LaunchDocument(77, "a.txt", "/w", 3); },
       {"ex", 77, kMask, "Open", "a.txt", "", "/w", 3, 0}},
      {"LaunchEmail",
       [](CShellExecute& s) { return s.LaunchEmail(77, "info@example.com"); },
       {"plain", 77, 0, std::nullopt, "mailto:info@example.com", std::nullopt, std::nullopt, 10,
        0}},
      {"LaunchFolder",
       [](CShellExecute& s) { return s.LaunchFolder(77, "/data", 0); },
       {"plain", 77, 0, "open", "/data", std::nullopt, std::nullopt, 0, 0}},
      {"LaunchProgram",
       [](CShellExecute& s) { return s.LaunchProgram(77, "prog", "-x 1", "/w"); },
       {"ex", 77, kMask, "Open", "prog", "-x 1", "/w", 10, 0}},
      {"LaunchProgramDefaults",
       [](CShellExecute& s) { return s.LaunchProgram(77, "prog"); },
       {"ex", 77, kMask, "Open", "prog", "", "", 10, 0}},
      {"LaunchURL",
       [](CShellExecute& s) { return s.LaunchURL(77, "https://www.example.com/", 3); },
       {"plain", 77, 0, std::nullopt, "https://www.example.com/", std::nullopt, std::nullopt, 3,
        0}},
      {"PrintDocument",
       [](CShellExecute& s) { return s.PrintDocument(77, "a.txt"); },
       {"plain", 77, 0, "print", "a.txt", std::nullopt, std::nullopt, 0, 0}},
  };
}

TEST(ShellExecute, EachOperationMakesItsOneShellCallByteExact) {
  for (const LaunchCase& c : launchCases()) {
    SCOPED_TRACE(c.name);
    Launcher t;
    t.shell.exResult = {42, 0};
    EXPECT_EQ(c.launch(t.launcher), -1);
    ASSERT_EQ(t.shell.calls.size(), 1u);
    const RecordingShell::Call& got = t.shell.calls[0];
    EXPECT_EQ(got.kind, c.expected.kind);
    EXPECT_EQ(got.owner, c.expected.owner);
    EXPECT_EQ(got.mask, c.expected.mask);
    EXPECT_EQ(got.verb, c.expected.verb);  // nullopt and "" differ
    EXPECT_EQ(got.file, c.expected.file);
    EXPECT_EQ(got.parameters, c.expected.parameters);
    EXPECT_EQ(got.startFolder, c.expected.startFolder);
    EXPECT_EQ(got.show, c.expected.show);
    EXPECT_TRUE(t.boxes.shown.empty());
  }
}

TEST(ShellExecute, CodesAbove32AreSuccessOthersComeBackUnchanged) {
  const struct {
    std::int32_t shellCode, result;
  } table[] = {{33, -1}, {42, -1}, {0x7fffffff, -1}, {32, 32}, {31, 31}, {2, 2}, {0, 0}, {-5, -5}};
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

TEST(ShellExecute, StillExecutingIsFalseWithoutAskingUnlessAnExtendedLaunchSetTheFields) {
  Launcher t;
  EXPECT_FALSE(t.launcher.StillExecuting());
  EXPECT_TRUE(t.shell.calls.empty());

  t.launcher.LaunchProgram(1, "prog");
  EXPECT_EQ(t.launcher.lastInstanceCode(), 42);
  EXPECT_EQ(t.launcher.lastProcessHandle(), 1234u);
  EXPECT_TRUE(t.launcher.StillExecuting());
  ASSERT_EQ(t.shell.calls.back().kind, "active");
  EXPECT_EQ(t.shell.calls.back().process, 1234u);
  t.shell.active = false;
  EXPECT_FALSE(t.launcher.StillExecuting());

  // A plain launch clears both fields; the question is no longer asked.
  t.launcher.LaunchFolder(1, "/");
  EXPECT_EQ(t.launcher.lastInstanceCode(), 0);
  EXPECT_EQ(t.launcher.lastProcessHandle(), 0u);
  std::size_t callsBefore = t.shell.calls.size();
  EXPECT_FALSE(t.launcher.StillExecuting());
  EXPECT_EQ(t.shell.calls.size(), callsBefore);

  // A failed extended launch still stores what the shell left, so the shell
  // is asked again (and says no for handle 0).
  t.shell.exResult = {2, 0};
  EXPECT_EQ(t.launcher.LaunchDocument(1, "missing.txt", ""), 2);
  EXPECT_EQ(t.launcher.lastInstanceCode(), 2);
  EXPECT_EQ(t.launcher.lastProcessHandle(), 0u);
  EXPECT_FALSE(t.launcher.StillExecuting());
  EXPECT_EQ(t.shell.calls.back().kind, "active");
}

TEST(ShellExecute, EarlierProcessIsReleasedWhenTheNextLaunchStartsAndWhenTheObjectGoes) {
  RecordingShell shell;
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
  EXPECT_EQ(shell.kinds(), (std::vector<std::string>{"ex", "ex", "release", "ex", "release",
                                                     "plain", "ex", "release"}));
  EXPECT_EQ(shell.calls[2].process, 1234u);
  EXPECT_EQ(shell.calls[4].process, 5678u);
  EXPECT_EQ(shell.calls[7].process, 9999u);
}

TEST(ShellExecute, UnexpectedFailureShowsStandardReportTitledWithTheOperation) {
  for (const LaunchCase& c : launchCases()) {
    SCOPED_TRACE(c.name);
    Launcher t;
    t.launcher.LaunchProgram(1, "earlier");
    t.shell.throwOnLaunch = true;
    EXPECT_EQ(c.launch(t.launcher), 0);
    ASSERT_EQ(t.boxes.shown.size(), 1u);
    std::string title = c.name;
    if (title == "LaunchProgramDefaults") title = "LaunchProgram";
    EXPECT_EQ(t.boxes.shown[0].title, title);
    EXPECT_EQ(t.boxes.shown[0].text, "Error: 51. boom");
    EXPECT_EQ(t.boxes.shown[0].buttons, common::MessageButtons::Ok);
    EXPECT_EQ(t.boxes.shown[0].icon, common::MessageIcon::None);
    // The fields were cleared before the failing call.
    EXPECT_EQ(t.launcher.lastInstanceCode(), 0);
    EXPECT_FALSE(t.launcher.StillExecuting());
  }
}

TEST(ShellExecute, FailingProcessQueryReportsAndAnswersFalse) {
  Launcher t;
  t.launcher.LaunchProgram(1, "prog");
  t.shell.throwOnQuery = true;
  EXPECT_FALSE(t.launcher.StillExecuting());
  ASSERT_EQ(t.boxes.shown.size(), 1u);
  EXPECT_EQ(t.boxes.shown[0].title, "StillExecuting");
  EXPECT_EQ(t.boxes.shown[0].text, "Error: 51. query failed");
}

}  // namespace
}  // namespace platform
