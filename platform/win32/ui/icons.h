#pragma once
// Icons from the program's resources at a chosen size: Windows takes the
// image of that size from the icon's group (the groups hold the sizes the
// program uses at 96 and at 192 DPI), or scales the nearest one.

#include "platform/win32/ui/gdi_objects.h"

namespace win32_ui {

// Null when the program has no icon resource `resourceId`.
UniqueIcon loadIcon(int resourceId, int size);

}  // namespace win32_ui
