#include "platform/linux/x11_window_list.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include "tests/e2e/x11_test_display.h"

namespace platform_linux {
namespace {

std::vector<common::WindowHandle> listed(X11WindowList& list) {
  std::vector<common::WindowHandle> handles;
  list.enumerate([&](common::WindowHandle h) {
    handles.push_back(h);
    return true;
  });
  return handles;
}

TEST(X11WindowList, WithoutADisplayThereAreNoWindows) {
  const char* saved = std::getenv("DISPLAY");
  std::string savedDisplay = saved ? saved : "";
  ::unsetenv("DISPLAY");
  for (const char* display :
       {static_cast<const char*>(nullptr), ":spurlix-nowhere", "/nonexistent/socket:0"}) {
    SCOPED_TRACE(display ? display : "DISPLAY unset");
    X11WindowList list(display);
    EXPECT_FALSE(list.connected());
    EXPECT_TRUE(listed(list).empty());
    EXPECT_FALSE(list.isWindow(1));
    EXPECT_FALSE(list.isVisible(1));
    EXPECT_EQ(list.className(1), "");
    EXPECT_EQ(list.title(1), "");
    EXPECT_EQ(list.titleLength(1), 0);
  }
  if (saved) ::setenv("DISPLAY", savedDisplay.c_str(), 1);
}

class X11WindowListOnXvfb : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!x11_test::XvfbServer::available()) GTEST_SKIP() << "Xvfb is not installed";
    server_ = std::make_unique<x11_test::XvfbServer>();
    ASSERT_TRUE(server_->started()) << server_->failure();
    windows_ = std::make_unique<x11_test::TestWindows>(server_->display());
    ASSERT_TRUE(windows_->ok());
  }
  void TearDown() override {
    windows_.reset();
    server_.reset();
  }
  std::unique_ptr<x11_test::XvfbServer> server_;
  std::unique_ptr<x11_test::TestWindows> windows_;
};

TEST_F(X11WindowListOnXvfb, ReadsClassAndTitleOfTheRootsChildrenAndVanishedOnes) {
  auto shown = windows_->create("Act3.0FrameClass", {"ACT! – Müller", true}, true);
  auto hidden = windows_->create("Other", {"Kundenmanager M\xfcller", false}, false);
  auto untitled = windows_->create("Plain", {}, true);

  X11WindowList list(server_->display().c_str());
  ASSERT_TRUE(list.connected());
  EXPECT_EQ(listed(list), (std::vector<common::WindowHandle>{shown, hidden, untitled}));

  EXPECT_TRUE(list.isWindow(shown));
  EXPECT_TRUE(list.isWindow(hidden));
  EXPECT_EQ(list.className(shown), "Act3.0FrameClass");
  EXPECT_EQ(list.title(shown), "ACT! – Müller");
  EXPECT_EQ(list.titleLength(shown), 13);                 // characters, not bytes
  EXPECT_EQ(list.title(hidden), "Kundenmanager Müller");  // WM_NAME in Latin-1
  EXPECT_EQ(list.title(untitled), "");
  EXPECT_EQ(list.titleLength(untitled), 0);

  // A window vanishing during an enumeration answers as no window.
  std::vector<std::string> classes;
  list.enumerate([&](common::WindowHandle h) {
    if (h == shown) windows_->destroy(hidden);
    classes.push_back(list.className(h));
    return true;
  });
  EXPECT_EQ(classes, (std::vector<std::string>{"Act3.0FrameClass", "", "Plain"}));
  EXPECT_FALSE(list.isWindow(hidden));
  EXPECT_FALSE(list.isVisible(hidden));
  EXPECT_EQ(list.title(hidden), "");
  EXPECT_EQ(list.titleLength(hidden), 0);
  EXPECT_FALSE(list.isWindow(0));
}

// Visible as on Windows, where a minimised window still is: under a window
// manager its WM_STATE decides, without one the map state (a WM_STATE is then
// stale). The manager's client list replaces the root's children, in its order.
TEST_F(X11WindowListOnXvfb, VisibilityAndOrderWithAndWithoutAWindowManager) {
  constexpr std::uint32_t kNoState = ~0u;
  const struct {
    const char* name;
    bool mapped;
    std::uint32_t wmState;
    bool visibleUnderManager, visibleWithout;
  } rows[] = {
      {"shown", true, 1, true, true},
      {"minimised (unmapped, iconic)", false, 3, true, false},
      {"hidden by its program (withdrawn)", false, 0, false, false},
      {"never mapped", false, kNoState, false, false},
      {"mapped, the manager keeps no state", true, kNoState, true, true},
  };
  std::vector<common::WindowHandle> handles;
  for (const auto& row : rows) {
    handles.push_back(windows_->create("c", {row.name, true}, row.mapped));
    if (row.wmState != kNoState) windows_->setWmState(handles.back(), row.wmState);
  }
  X11WindowList list(server_->display().c_str());
  EXPECT_EQ(listed(list), handles);
  for (std::size_t i = 0; i < handles.size(); ++i) {
    EXPECT_EQ(list.isVisible(handles[i]), rows[i].visibleWithout) << rows[i].name;
  }

  // The manager lists all but the first, in an order of its own.
  const std::vector<common::WindowHandle> clients(handles.rbegin(), handles.rend() - 1);
  windows_->publishClientList(clients);
  EXPECT_EQ(listed(list), clients);
  for (std::size_t i = 0; i < handles.size(); ++i) {
    EXPECT_EQ(list.isVisible(handles[i]), rows[i].visibleUnderManager) << rows[i].name;
  }
  int visits = 0;
  list.enumerate([&](common::WindowHandle) { return ++visits < 1; });
  EXPECT_EQ(visits, 1) << "enumeration stops when asked";
}

}  // namespace
}  // namespace platform_linux
