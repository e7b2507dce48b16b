#pragma once
// The DPI of a window and the DPI-dependent system functions of Windows 10,
// with the system-wide values of older Windows where those are missing (the
// program then scales by the system DPI alone).
//
// The program declares itself per-monitor DPI aware in its manifest: every
// window is laid out for the DPI of the monitor it is on and told by
// WM_DPICHANGED when that changes.

#include <windows.h>

namespace win32_ui {

unsigned dpiOfWindow(HWND window);
unsigned systemDpi();

// The window rectangle that gives a client area of `width` x `height`
// pixels for the given frame styles at `dpi` (origin 0, 0).
RECT frameAround(int width, int height, DWORD style, DWORD exStyle, unsigned dpi);

// GetSystemMetrics for `dpi` (icon sizes, frame widths).
int systemMetric(int index, unsigned dpi);

}  // namespace win32_ui
