#include "startup/window_finder.h"

#include <gtest/gtest.h>

#include <vector>

#include "tests/fakes/fake_window_list.h"

namespace startup {
namespace {

using std::string_literals::operator""s;
using fakes::FakeWindow;

// The list every search of a test uses.
void windowList(std::vector<FakeWindow> windows) {
  static fakes::FakeWindowList list;
  list.windows = std::move(windows);
  SetWindowList(list);
}

constexpr const char* kActClass = "act3.0frameclass";

TEST(FindTopLevelWindow, TakesTheLastVisibleWindowMatchingClassAndTitle) {
  const struct {
    const char *classText, *titleText;
    common::WindowHandle expected;
    std::vector<FakeWindow> windows;
  } table[] = {
      {kActClass, "ACT", 0, {}},
      // The later match wins.
      {kActClass, "ACT", 30, {{10, true, kActClass, "ACT"}, {30, true, kActClass, "ACT"}}},
      // A hidden window never matches.
      {kActClass, "ACT", 10, {{10, true, kActClass, "ACT!"}, {20, false, kActClass, "ACT!"}}},
      // A star takes any title; empty texts match every visible window.
      {kActClass, "*", 20, {{10, true, kActClass, ""}, {20, true, kActClass, "x"}}},
      {"", "", 20, {{10, true, "a", "b"}, {20, true, "c", "d"}, {30, false, "e", "f"}}},
  };
  for (const auto& row : table) {
    windowList(row.windows);
    EXPECT_EQ(FindTopLevelWindow(row.classText, row.titleText), row.expected) << row.expected;
  }
}

TEST(FindTopLevelWindow, AppliesTheClassAndTitleRuleToOneWindow) {
  const std::string x47(47, 'x'), x48(48, 'x'), x239(239, 'x'), x240(240, 'x');
  const struct {
    const char* name;
    std::string className, title;
    const char *classText, *titleText;
    bool found;
  } table[] = {
      {"class name is lower-cased first", "ACT3.0FrameClass", "ACT!", kActClass, "ACT", true},
      {"class text with capitals never matches", "ACT3.0FrameClass", "ACT!", "Act3.0frameclass",
       "ACT", false},
      {"class text is a substring", "myact3.0frameclass2", "ACT!", kActClass, "ACT", true},
      {"title is case-sensitive", kActClass, "Act! Kontakte", kActClass, "ACT", false},
      {"title text inside the title", kActClass, "ACT! - [Kunden]", kActClass, "ACT", true},
      {"empty title reads NoText", kActClass, "", kActClass, "Text", true},
      {"star still needs the class", "other", "ACT!", kActClass, "*", false},
      {"title text ending at character 50", kActClass, x47 + "ACT", kActClass, "ACT", true},
      {"title text beyond character 50", kActClass, x48 + "ACT", kActClass, "ACT", false},
      {"leading blanks are not counted", kActClass, "    " + x47 + "ACT", kActClass, "ACT", true},
      {"a NUL cuts the title", kActClass, "Kunden\0ACT!"s, kActClass, "ACT", false},
      {"class name counts 255 characters", x239 + kActClass, "ACT", kActClass, "ACT", true},
      {"class name beyond 255 characters", x240 + kActClass, "ACT", kActClass, "ACT", false},
      {"the German title", kActClass, "Kundenmanager", kActClass, "Kundenmanager", true},
  };
  for (const auto& row : table) {
    SCOPED_TRACE(row.name);
    windowList({{10, true, row.className, row.title}});
    EXPECT_EQ(FindTopLevelWindow(row.classText, row.titleText), row.found ? 10u : 0u);
  }
}

TEST(FindTopLevelWindow, EveryWindowIsOfferedAndNothingIsLeftFromAnEarlierSearch) {
  windowList({{10, true, kActClass, "ACT!"}});
  EXPECT_EQ(FindTopLevelWindow(kActClass, "ACT"), 10u);
  EXPECT_EQ(FindTopLevelWindow(kActClass, "Kundenmanager"), 0u);
  EXPECT_EQ(EnumTopLevelProc(10, 0), 1);
  EXPECT_EQ(EnumTopLevelProc(99, 0), 1);
}

TEST(GetWindowCaption, PreparesTheTitleForComparison) {
  const std::string x49(49, 'x');
  windowList({
      {1, true, "c", ""},
      {2, false, "c", "   Hallo Welt  "},
      {3, true, "c", " \tTab"},
      {4, true, "c", x49 + "ÄBC"},
      {5, true, "c", "ACT! Kunden", 4},  // length reported shorter: the buffer cuts
      {6, true, "c", "ACT!", 20},        // longer: NUL padding, cut away
      {7, true, "c", "Titel", 0},        // no length: NoText whatever the title
      {8, true, "c", "   "},
      {9, true, "c", "A\0B"s},
  });
  const std::pair<common::WindowHandle, std::string> table[] = {
      {1, "NoText"}, {2, "Hallo Welt  "}, {3, "\tTab"}, {4, x49 + "Ä"}, {5, "ACT!"},
      {6, "ACT!"},   {7, "NoText"},       {8, ""},      {9, "A"},       {42, ""},
  };
  for (const auto& [window, caption] : table) {
    SCOPED_TRACE(window);
    EXPECT_EQ(GetWindowCaption(window), caption);
  }
}

TEST(GetWindowClassName, LowerCasesTheClassName) {
  windowList({{1, true, "ACT3.0FrameClass", ""}, {2, true, "ÄÖÜ_ŠŒŽŸ×", ""}});
  EXPECT_EQ(GetWindowClassName(1), "act3.0frameclass");
  EXPECT_EQ(GetWindowClassName(2), "äöü_šœžÿ×");
  EXPECT_EQ(GetWindowClassName(42), "");
}

}  // namespace
}  // namespace startup
