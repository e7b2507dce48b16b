#include "platform/win32/win32_window_list.h"

#include <vector>

#include "platform/win32/wide_text.h"
#include "platform/win32/win32_handles.h"

namespace platform_win32 {
namespace {

// No exception may pass through Windows' own frames: out of memory ends the
// list early.
BOOL CALLBACK collect(HWND window, LPARAM context) {
  try {
    reinterpret_cast<std::vector<common::WindowHandle>*>(context)->push_back(handleOf(window));
    return TRUE;
  } catch (...) {
    return FALSE;
  }
}

}  // namespace

void Win32WindowList::enumerate(const std::function<bool(common::WindowHandle)>& visit) {
  std::vector<common::WindowHandle> windows;
  EnumWindows(collect, reinterpret_cast<LPARAM>(&windows));
  for (common::WindowHandle window : windows) {
    if (!visit(window)) return;
  }
}

bool Win32WindowList::isVisible(common::WindowHandle window) {
  return IsWindowVisible(windowOf(window)) != 0;
}

bool Win32WindowList::isWindow(common::WindowHandle window) {
  return IsWindow(windowOf(window)) != 0;
}

std::string Win32WindowList::className(common::WindowHandle window) {
  wchar_t name[257] = {};  // class names have at most 256 characters
  const int length = GetClassNameW(windowOf(window), name, static_cast<int>(std::size(name)));
  try {
    return length > 0 ? utf8FromWide(std::wstring_view(name, static_cast<std::size_t>(length)))
                      : std::string();
  } catch (...) {
    return {};  // out of memory
  }
}

std::int32_t Win32WindowList::titleLength(common::WindowHandle window) {
  return GetWindowTextLengthW(windowOf(window));
}

std::string Win32WindowList::title(common::WindowHandle window) {
  const HWND hwnd = windowOf(window);
  // The title may change between the two calls; a longer one is cut, as the
  // buffer of the length asked for holds it.
  const int length = GetWindowTextLengthW(hwnd);
  if (length <= 0) return {};
  try {
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const int copied = GetWindowTextW(hwnd, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
    return utf8FromWide(text);
  } catch (...) {
    return {};  // out of memory
  }
}

}  // namespace platform_win32
