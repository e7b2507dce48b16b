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
//   - Visible: shown in the sense of Windows' IsWindowVisible, where a
//     minimised window still counts. Where a window manager runs (the list
//     came from _NET_CLIENT_LIST), its WM_STATE decides: NormalState or
//     IconicState (minimised, or left on another virtual desktop: the
//     manager unmaps such a client but keeps it) is visible, WithdrawnState
//     (never shown, or hidden by its program) is not; a client the manager
//     keeps no WM_STATE for counts when its program has mapped it. Where none
//     runs, nothing can minimise a window and nobody keeps WM_STATE (one left
//     by an earlier manager is stale): a root child is visible when mapped.
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
  // Longest property read, in 32-bit units: far beyond any title or class.
  static constexpr std::uint32_t kPropertyLimit = 1u << 16;

  struct Property {
    std::uint32_t type = 0;
    std::uint8_t format = 0;
    std::vector<std::uint8_t> bytes;
  };
  struct ConnectionDeleter {
    void operator()(xcb_connection_t* connection) const;
  };

  // Reads at most `units` 32-bit units; a property that is absent is nullopt.
  std::optional<Property> readProperty(std::uint32_t window, std::uint32_t property,
                                       std::uint32_t units = kPropertyLimit) const;
  // The root window holds a window manager's client list.
  bool windowManagerRuns() const;
  std::uint32_t internAtom(const char* name) const;
  std::vector<std::uint32_t> topLevelWindows() const;
  // The window's map state; nullopt when it is no window or there is no display.
  std::optional<std::uint8_t> mapState(common::WindowHandle window);

  std::unique_ptr<xcb_connection_t, ConnectionDeleter> connection_;
  std::uint32_t root_ = 0;
  std::uint32_t netClientList_ = 0;
  std::uint32_t netWmName_ = 0;
  std::uint32_t utf8String_ = 0;
  std::uint32_t wmState_ = 0;
};

}  // namespace platform_linux
