// The window finder over real Windows windows (Wine on Xvfb): windows this
// test creates, with the classes and titles ACT!'s main window may have.

#include "platform/win32/win32_window_list.h"

#include <gtest/gtest.h>

#include "platform/win32/wide_text.h"
#include "platform/win32/win32_handles.h"
#include "startup/window_finder.h"

namespace platform_win32 {
namespace {

constexpr const char* kActClass = "act3.0frameclass";

// A top-level window of its own class, shown or hidden.
class TestWindow {
 public:
  TestWindow(const wchar_t* className, const std::string& title, bool visible) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = className;
    RegisterClassW(&windowClass);  // fails harmlessly when the class exists
    window_.reset(CreateWindowExW(0, className, wideFromUtf8(title).c_str(), WS_OVERLAPPEDWINDOW,
                                  10, 10, 200, 100, nullptr, nullptr, windowClass.hInstance,
                                  nullptr));
    if (visible) ShowWindow(window_.get(), SW_SHOWNOACTIVATE);
  }
  std::uint32_t handle() const { return handleOf(window_.get()); }
  void hide() const { ShowWindow(window_.get(), SW_HIDE); }
  void minimise() const { ShowWindow(window_.get(), SW_SHOWMINNOACTIVE); }

 private:
  UniqueWindow window_;
};

TEST(Win32WindowListOnWine, FindsActsMainWindowByTheRule) {
  Win32WindowList list;
  startup::SetWindowList(list);

  // Class names ignore letter case in Windows: all three share the class.
  TestWindow first(L"ACT3.0FrameClass", "ACT! - erste Datenbank", true);
  TestWindow hidden(L"ACT3.0FrameClass", "ACT! verborgen", false);
  TestWindow capitals(L"act3.0frameclass", "  Kundenmanager für Windows", true);
  ASSERT_NE(first.handle(), 0u);

  EXPECT_EQ(list.className(capitals.handle()), "ACT3.0FrameClass");
  EXPECT_EQ(list.title(capitals.handle()), "  Kundenmanager für Windows");
  EXPECT_EQ(list.titleLength(capitals.handle()), 27);

  EXPECT_EQ(startup::FindTopLevelWindow(kActClass, "ACT"), first.handle());
  EXPECT_EQ(startup::FindTopLevelWindow(kActClass, "für"), capitals.handle());
  EXPECT_EQ(startup::FindTopLevelWindow(kActClass, "verborgen"), 0u);
  EXPECT_EQ(startup::FindTopLevelWindow("ACT3.0FrameClass", "*"), 0u);

  // Minimised, ACT! still runs; hidden, it does not show.
  first.minimise();
  EXPECT_EQ(startup::FindTopLevelWindow(kActClass, "ACT"), first.handle());
  first.hide();
  EXPECT_EQ(startup::FindTopLevelWindow(kActClass, "ACT"), 0u);
  EXPECT_EQ(startup::FindTopLevelWindow(kActClass, "*"), capitals.handle());
}

}  // namespace
}  // namespace platform_win32
