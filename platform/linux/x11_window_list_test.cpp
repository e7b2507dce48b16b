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

TEST_F(X11WindowListOnXvfb, ReadsClassTitleAndMapStateOfTheRootsChildren) {
  auto shown = windows_->create("Act3.0FrameClass", {"ACT! – Müller", true}, true);
  auto hidden = windows_->create("Other", {"Kundenmanager M\xfcller", false}, false);
  auto untitled = windows_->create("Plain", {}, true);

  X11WindowList list(server_->display().c_str());
  ASSERT_TRUE(list.connected());
  EXPECT_EQ(listed(list), (std::vector<common::WindowHandle>{shown, hidden, untitled}));

  EXPECT_TRUE(list.isWindow(shown));
  EXPECT_TRUE(list.isVisible(shown));
  EXPECT_FALSE(list.isVisible(hidden));
  EXPECT_TRUE(list.isWindow(hidden));
  EXPECT_EQ(list.className(shown), "Act3.0FrameClass");
  EXPECT_EQ(list.title(shown), "ACT! – Müller");
  EXPECT_EQ(list.titleLength(shown), 13);                 // characters, not bytes
  EXPECT_EQ(list.title(hidden), "Kundenmanager Müller");  // WM_NAME in Latin-1
  EXPECT_EQ(list.title(untitled), "");
  EXPECT_EQ(list.titleLength(untitled), 0);

  windows_->destroy(shown);
  EXPECT_FALSE(list.isWindow(shown));
  EXPECT_FALSE(list.isVisible(shown));
  EXPECT_EQ(list.className(shown), "");
  EXPECT_EQ(list.title(shown), "");
  EXPECT_FALSE(list.isWindow(0));
}

TEST_F(X11WindowListOnXvfb, PrefersTheWindowManagersClientList) {
  auto first = windows_->create("a", {"A", true}, true);
  auto second = windows_->create("b", {"B", true}, true);
  windows_->create("c", {"C", true}, true);
  windows_->publishClientList({second, first});
  X11WindowList list(server_->display().c_str());
  EXPECT_EQ(listed(list), (std::vector<common::WindowHandle>{second, first}));
  int visits = 0;
  list.enumerate([&](common::WindowHandle) { return ++visits < 1; });
  EXPECT_EQ(visits, 1) << "enumeration stops when asked";
}

TEST_F(X11WindowListOnXvfb, WindowVanishingDuringEnumerationIsNoError) {
  auto first = windows_->create("a", {"A", true}, true);
  auto second = windows_->create("b", {"B", true}, true);
  X11WindowList list(server_->display().c_str());
  std::vector<std::string> classes;
  list.enumerate([&](common::WindowHandle h) {
    if (h == first) windows_->destroy(second);
    classes.push_back(list.className(h));
    return true;
  });
  EXPECT_EQ(classes, (std::vector<std::string>{"a", ""}));
}

}  // namespace
}  // namespace platform_linux
