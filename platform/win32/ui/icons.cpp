#include "platform/win32/ui/icons.h"

namespace win32_ui {

UniqueIcon loadIcon(int resourceId, int size) {
  return UniqueIcon(
      static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(resourceId),
                                    IMAGE_ICON, size, size, LR_DEFAULTCOLOR)));
}

}  // namespace win32_ui
