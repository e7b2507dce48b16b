// The finder against real X11 windows on a private Xvfb.

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
  EXPECT_EQ(FindTopLevelWindow("Act3.0FrameClass", "ACT"), 0u);
  EXPECT_EQ(FindTopLevelWindow(kActClass, "*"), onlyAct);

  // A title set the old way, as Latin-1 WM_NAME.
  auto german = windows.create(kActClass, {"Kundenmanager f\xfcr Windows", false}, true);
  EXPECT_EQ(FindTopLevelWindow(kActClass, "Kundenmanager"), german);
  EXPECT_EQ(FindTopLevelWindow(kActClass, "für"), german);

  // Only the first 50 characters after leading blanks are compared.
  windows.create("longtitle", {"   " + std::string(48, 'x') + "ACT", true}, true);
  EXPECT_EQ(FindTopLevelWindow("longtitle", "ACT"), 0u);
  auto fits = windows.create("longtitle", {"   " + std::string(47, 'x') + "ACT", true}, true);
  EXPECT_EQ(FindTopLevelWindow("longtitle", "ACT"), fits);

  // An untitled window reads "NoText".
  auto untitled = windows.create("untitled", {}, true);
  EXPECT_EQ(FindTopLevelWindow("untitled", "Text"), untitled);
  EXPECT_EQ(GetWindowCaption(untitled), "NoText");

  windows.destroy(german);
  EXPECT_EQ(GetWindowCaption(german), "");
  EXPECT_EQ(FindTopLevelWindow(kActClass, "Kundenmanager"), 0u);
}

}  // namespace
}  // namespace startup
