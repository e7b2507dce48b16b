#include "platform/win32/ui/dpi.h"

#include "platform/win32/ui/gdi_objects.h"
#include "platform/win32/ui/twips.h"

namespace win32_ui {
namespace {

// The user32 function `name`, or null on a Windows without it.
template <typename Function>
Function user32Function(const char* name) {
  HMODULE user32 = GetModuleHandleW(L"user32.dll");
  if (user32 == nullptr) return nullptr;
  // GetProcAddress gives every function the same pointer type.
  return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(user32, name)));
}

using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
using GetDpiForSystemFn = UINT(WINAPI*)();
using AdjustForDpiFn = BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT);
using MetricForDpiFn = int(WINAPI*)(int, UINT);

}  // namespace

unsigned systemDpi() {
  static const auto forSystem = user32Function<GetDpiForSystemFn>("GetDpiForSystem");
  if (forSystem != nullptr) return forSystem();
  ScreenDc screen;
  const int dpi = screen.get() != nullptr ? GetDeviceCaps(screen.get(), LOGPIXELSY) : 0;
  return dpi > 0 ? static_cast<unsigned>(dpi) : kDefaultDpi;
}

unsigned dpiOfWindow(HWND window) {
  static const auto forWindow = user32Function<GetDpiForWindowFn>("GetDpiForWindow");
  if (forWindow != nullptr && window != nullptr) {
    if (const UINT dpi = forWindow(window); dpi != 0) return dpi;
  }
  return systemDpi();
}

RECT frameAround(int width, int height, DWORD style, DWORD exStyle, unsigned dpi) {
  static const auto adjust = user32Function<AdjustForDpiFn>("AdjustWindowRectExForDpi");
  RECT rect{0, 0, width, height};
  if (adjust != nullptr) {
    adjust(&rect, style, FALSE, exStyle, dpi);
  } else {
    AdjustWindowRectEx(&rect, style, FALSE, exStyle);
  }
  return rect;
}

int systemMetric(int index, unsigned dpi) {
  static const auto forDpi = user32Function<MetricForDpiFn>("GetSystemMetricsForDpi");
  if (forDpi != nullptr) return forDpi(index, dpi);
  return GetSystemMetrics(index);
}

}  // namespace win32_ui
