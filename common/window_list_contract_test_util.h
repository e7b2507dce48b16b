#pragma once
// The contract of WindowList (window_list.h) as one test body that every
// platform's list runs, over windows the platform's test makes through
// TestWindowMaker; and the window finder's rule over that list.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

#include "common/window_list.h"
#include "startup/window_finder.h"

namespace common {

class TestWindowMaker {
 public:
  // Shown, minimised by the user, hidden by its program after it was shown,
  // or never shown.
  enum class State { kShown, kMinimised, kHidden, kNeverShown };
  virtual ~TestWindowMaker() = default;
  // A top-level window of that class, title (UTF-8, "" for none) and state.
  virtual WindowHandle create(const std::string& className, const std::string& title,
                              State state) = 0;
  virtual void destroy(WindowHandle window) = 0;
};

inline void expectWindowListContract(WindowList& list, TestWindowMaker& maker) {
  using State = TestWindowMaker::State;
  const WindowHandle shown = maker.create("Act3.0FrameClass", "ACT! – Müller", State::kShown);
  const WindowHandle minimised = maker.create("act3.0frameclass", "ACT! klein", State::kMinimised);
  const WindowHandle hidden = maker.create("act3.0frameclass", "ACT! Müller", State::kHidden);
  const WindowHandle never = maker.create("Plain", "", State::kNeverShown);
  std::vector<WindowHandle> listed;
  list.enumerate([&](WindowHandle window) {
    listed.push_back(window);
    return true;
  });
  for (const WindowHandle window : {shown, minimised, hidden, never}) {
    EXPECT_NE(std::find(listed.begin(), listed.end(), window), listed.end()) << window;
    EXPECT_TRUE(list.isWindow(window));
  }
  EXPECT_EQ(std::tuple(list.isVisible(shown), list.isVisible(minimised), list.isVisible(hidden),
                       list.isVisible(never)),
            std::tuple(true, true, false, false));
  EXPECT_EQ(std::tuple(list.className(shown), list.title(shown), list.titleLength(shown)),
            std::tuple("Act3.0FrameClass", "ACT! – Müller", 13));  // characters, not bytes
  EXPECT_EQ(std::tuple(list.title(never), list.titleLength(never)), std::tuple("", 0));
  int visits = 0;
  list.enumerate([&](WindowHandle) { return ++visits < 2; });
  EXPECT_EQ(visits, 2) << "the enumeration stops when asked";

  // The rule finds ACT!'s visible window, minimised or not, never a hidden one.
  startup::SetWindowList(list);
  EXPECT_EQ(startup::FindTopLevelWindow("act3.0frameclass", "Müller"), shown);
  EXPECT_EQ(startup::FindTopLevelWindow("act3.0frameclass", "klein"), minimised);

  maker.destroy(shown);  // gone: answers as for no window
  EXPECT_EQ(std::tuple(list.isWindow(shown), list.isVisible(shown), list.className(shown),
                       list.title(shown), list.titleLength(shown)),
            std::tuple(false, false, "", "", 0));
  EXPECT_EQ(startup::FindTopLevelWindow("act3.0frameclass", "Müller"), 0u);
}

}  // namespace common
