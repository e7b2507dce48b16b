#pragma once
// The desktop's top-level windows, as the ACT! check sees them. Handles are
// 32-bit values, 0 meaning no window. Texts are UTF-8, as the platform has
// them (no trimming, no case change).
//
// A window may vanish at any moment, also during an enumeration: every query
// then answers as for a handle that is no window (false, the empty text, 0).
// Never throws. Not thread-safe: use from one thread.

#include <cstdint>
#include <functional>
#include <string>

namespace common {

using WindowHandle = std::uint32_t;

class WindowList {
 public:
  virtual ~WindowList() = default;

  // Calls `visit` once per top-level window, in the platform's order, until it
  // returns false. The list is taken before the first call, so `visit` may
  // query windows freely. Without a desktop there are no windows.
  virtual void enumerate(const std::function<bool(WindowHandle)>& visit) = 0;

  // Shown, as Windows' IsWindowVisible means it: a window its program has
  // shown, also when the user has minimised it or it sits on another virtual
  // desktop; not one that was never shown or that its program has hidden.
  virtual bool isVisible(WindowHandle window) = 0;
  // The handle names an existing window.
  virtual bool isWindow(WindowHandle window) = 0;
  // The window's class name; empty when it has none.
  virtual std::string className(WindowHandle window) = 0;
  // The title's length in characters; 0 for no title.
  virtual std::int32_t titleLength(WindowHandle window) = 0;
  // The title; empty when it has none.
  virtual std::string title(WindowHandle window) = 0;
};

}  // namespace common
