// The window list over real windows (Wine on Xvfb) that this test creates.

#include "platform/win32/win32_window_list.h"

#include <gtest/gtest.h>

#include <map>

#include "common/window_list_contract_test_util.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win32_handles.h"

namespace platform_win32 {
namespace {

class Win32WindowMaker : public common::TestWindowMaker {
 public:
  common::WindowHandle create(const std::string& className, const std::string& title,
                              State state) override {
    const std::wstring name = wideFromUtf8(className);
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = name.c_str();
    RegisterClassW(&windowClass);  // fails harmlessly when the class exists
    UniqueWindow window(CreateWindowExW(0, name.c_str(), wideFromUtf8(title).c_str(),
                                        WS_OVERLAPPEDWINDOW, 10, 10, 200, 100, nullptr, nullptr,
                                        windowClass.hInstance, nullptr));
    if (state != State::kNeverShown) ShowWindow(window.get(), SW_SHOWNOACTIVATE);
    if (state == State::kMinimised) ShowWindow(window.get(), SW_SHOWMINNOACTIVE);
    if (state == State::kHidden) ShowWindow(window.get(), SW_HIDE);
    const common::WindowHandle handle = handleOf(window.get());
    windows_[handle] = std::move(window);
    return handle;
  }
  void destroy(common::WindowHandle window) override { windows_.erase(window); }

 private:
  std::map<common::WindowHandle, UniqueWindow> windows_;
};

TEST(Win32WindowListOnWine, KeepsTheContract) {
  Win32WindowList list;
  Win32WindowMaker maker;
  common::expectWindowListContract(list, maker);
}

}  // namespace
}  // namespace platform_win32
