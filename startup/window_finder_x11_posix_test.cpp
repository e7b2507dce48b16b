// The finder against real X11 windows on a private Xvfb: what the X11 list
// adds to the rule (class and title as X11 keeps them, map state, WM_STATE,
// vanished windows). The rule itself is tested against a fake list.

#include <gtest/gtest.h>

#include "platform/linux/x11_window_list.h"
#include "startup/window_finder.h"
#include "tests/e2e/x11_test_display.h"

namespace startup {
namespace {

constexpr const char* kActClass = "act3.0frameclass";

TEST(WindowFinderOnXvfb, FindsActsMainWindowByTheRule) {
  if (!x11_test::XvfbServer::available()) GTEST_SKIP() << "Xvfb is not installed";
  x11_test::XvfbServer server;
  ASSERT_TRUE(server.started()) << server.failure();
  x11_test::TestWindows windows(server.display());
  ASSERT_TRUE(windows.ok());
  platform_linux::X11WindowList list(server.display().c_str());
  ASSERT_TRUE(list.connected());
  SetWindowList(list);

  EXPECT_EQ(FindTopLevelWindow(kActClass, "ACT"), 0u);

  windows.create(kActClass, {"ACT! - erste Datenbank", true}, true);
  auto second = windows.create("ACT3.0FrameClass", {"ACT! - zweite Datenbank", true}, true);
  windows.create(kActClass, {"ACT! verborgen", true}, false);
  auto onlyAct = windows.create(kActClass, {"Act! Kontakte", true}, true);
  // Later match wins, class case folded, hidden and "Act" ignored.
  EXPECT_EQ(FindTopLevelWindow(kActClass, "ACT"), second);
  EXPECT_EQ(FindTopLevelWindow(kActClass, "*"), onlyAct);

  // A title set the old way, as Latin-1 WM_NAME.
  auto german = windows.create(kActClass, {"Kundenmanager f\xfcr Windows", false}, true);
  EXPECT_EQ(FindTopLevelWindow(kActClass, "für"), german);
  windows.destroy(german);
  EXPECT_EQ(GetWindowCaption(german), "");
  EXPECT_EQ(FindTopLevelWindow(kActClass, "Kundenmanager"), 0u);

  // Under a window manager a minimised ACT! is found, a withdrawn one is not.
  auto minimised = windows.create(kActClass, {"ACT! minimiert", true}, false);
  windows.setWmState(minimised, 3);
  auto withdrawn = windows.create(kActClass, {"ACT! zurückgezogen", true}, false);
  windows.setWmState(withdrawn, 0);
  windows.publishClientList({second, minimised, withdrawn});
  EXPECT_EQ(FindTopLevelWindow(kActClass, "ACT"), minimised);
}

}  // namespace
}  // namespace startup
