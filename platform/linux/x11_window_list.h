#pragma once
// The top-level windows of an X11 display, through xcb.
//
//   - The windows: the client list a window manager publishes on the root
//     window (_NET_CLIENT_LIST, in its order) where there is one, otherwise
//     the root window's children in stacking order, bottom to top.
//   - Handle: the X window id.
//   - Class name: the class part (second string) of WM_CLASS.
//   - Title: _NET_WM_NAME (UTF-8), else WM_NAME (Latin-1, or UTF-8 when the
//     client typed it so); converted to UTF-8.
//   - Visible: the window's map state is viewable.
//
// Without a display (DISPLAY unset, the server unreachable or gone) there are
// no windows, and every query answers as for a handle that is no window. X
// errors (a window that vanished mid-enumeration) are answers, never a crash.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "common/window_list.h"

struct xcb_connection_t;

namespace platform_linux {

class X11WindowList : public common::WindowList {
 public:
  // Connects to `displayName`, or to $DISPLAY when null.
  explicit X11WindowList(const char* displayName = nullptr);
  ~X11WindowList() override;
  X11WindowList(const X11WindowList&) = delete;
  X11WindowList& operator=(const X11WindowList&) = delete;

  // A display was reached (and has not gone away since).
  bool connected() const;

  void enumerate(const std::function<bool(common::WindowHandle)>& visit) override;
  bool isVisible(common::WindowHandle window) override;
  bool isWindow(common::WindowHandle window) override;
  std::string className(common::WindowHandle window) override;
  std::int32_t titleLength(common::WindowHandle window) override;
  std::string title(common::WindowHandle window) override;

 private:
  struct Property {
    std::uint32_t type = 0;
    std::uint8_t format = 0;
    std::vector<std::uint8_t> bytes;
  };
  struct ConnectionDeleter {
    void operator()(xcb_connection_t* connection) const;
  };

  std::optional<Property> readProperty(std::uint32_t window, std::uint32_t property) const;
  std::uint32_t internAtom(const char* name) const;
  std::vector<std::uint32_t> topLevelWindows() const;
  // The window's map state; nullopt when it is no window or there is no display.
  std::optional<std::uint8_t> mapState(common::WindowHandle window);

  std::unique_ptr<xcb_connection_t, ConnectionDeleter> connection_;
  std::uint32_t root_ = 0;
  std::uint32_t netClientList_ = 0;
  std::uint32_t netWmName_ = 0;
  std::uint32_t utf8String_ = 0;
};

}  // namespace platform_linux
