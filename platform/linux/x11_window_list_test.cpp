#include "platform/linux/x11_window_list.h"

#include <gtest/gtest.h>

#include <tuple>

#include "common/window_list_contract_test_util.h"
#include "platform/linux/linux_test_util.h"
#include "tests/e2e/x11_test_display.h"

namespace platform_linux {
namespace {

using State = common::TestWindowMaker::State;

std::vector<common::WindowHandle> listed(X11WindowList& list) {
  std::vector<common::WindowHandle> handles;
  list.enumerate([&](common::WindowHandle h) {
    handles.push_back(h);
    return true;
  });
  return handles;
}

TEST(X11WindowList, WithoutADisplayThereAreNoWindows) {
  testing::ScopedEnvironment environment;
  environment.set("DISPLAY", std::nullopt);
  for (const char* display : {static_cast<const char*>(nullptr), ":spurlix-nowhere"}) {
    X11WindowList list(display);
    EXPECT_FALSE(list.connected());
    EXPECT_TRUE(listed(list).empty());
    EXPECT_EQ(std::tuple(list.isWindow(1), list.isVisible(1), list.className(1), list.title(1),
                         list.titleLength(1)),
              std::tuple(false, false, "", "", 0));
  }
}

class X11WindowListOnXvfb : public ::testing::Test, public common::TestWindowMaker {
 protected:
  void SetUp() override {
    if (!x11_test::XvfbServer::available()) GTEST_SKIP() << "Xvfb is not installed";
    ASSERT_TRUE(server_.started()) << server_.failure();
    ASSERT_TRUE(windows_.ok());
  }
  // Windows as a window manager keeps them: WM_STATE and the client list.
  common::WindowHandle create(const std::string& className, const std::string& title,
                              State state) override {
    const auto window = windows_.create(className, {title, true}, state == State::kShown);
    const std::uint32_t wmState[] = {1, 3, 0};  // normal, iconic, withdrawn
    if (state != State::kNeverShown) windows_.setWmState(window, wmState[static_cast<int>(state)]);
    clients_.push_back(window);
    windows_.publishClientList(clients_);
    return window;
  }
  void destroy(common::WindowHandle window) override { windows_.destroy(window); }

  x11_test::XvfbServer server_;
  x11_test::TestWindows windows_{server_.display()};
  std::vector<common::WindowHandle> clients_;
};

TEST_F(X11WindowListOnXvfb, KeepsTheContractUnderAWindowManager) {
  X11WindowList list(server_.display().c_str());
  ASSERT_TRUE(list.connected());
  common::expectWindowListContract(list, *this);
}

// Without a window manager the root's children are the list and the map
// state decides (a WM_STATE is then stale); under one its client list, in
// its order. A title set the old way is Latin-1 WM_NAME.
TEST_F(X11WindowListOnXvfb, WithoutAWindowManagerTheMapStateDecides) {
  const auto shown = windows_.create("c", {"Kundenmanager M\xfcller", false}, true);
  const auto stale = windows_.create("c", {"minimiert", true}, false);
  windows_.setWmState(stale, 3);
  X11WindowList list(server_.display().c_str());
  EXPECT_EQ(listed(list), (std::vector<common::WindowHandle>{shown, stale}));
  EXPECT_TRUE(list.isVisible(shown));
  EXPECT_FALSE(list.isVisible(stale));
  EXPECT_EQ(list.title(shown), "Kundenmanager Müller");
  windows_.publishClientList({stale, shown});  // shown keeps no WM_STATE
  EXPECT_EQ(listed(list), (std::vector<common::WindowHandle>{stale, shown}));
  EXPECT_TRUE(list.isVisible(stale));
  EXPECT_TRUE(list.isVisible(shown));
}

}  // namespace
}  // namespace platform_linux
