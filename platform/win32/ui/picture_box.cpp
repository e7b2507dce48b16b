#include "platform/win32/ui/picture_box.h"

#include <commctrl.h>

#include "platform/win32/ui/window.h"

namespace win32_ui {

PictureBox::PictureBox(const PictureBoxArgs& args)
    : Control(args.window,
              {WC_STATICW,
               // The text only names the picture: an "&" in it is no access key.
               static_cast<DWORD>(SS_BITMAP | SS_NOPREFIX) |
                   (args.onClick ? static_cast<DWORD>(SS_NOTIFY) : 0u)},
              args.accessibleName, args.placement),
      picture_(args.picture),
      onClick_(args.onClick) {
  loadPictureForDpi();
}

void PictureBox::layout() {
  Control::layout();
  loadPictureForDpi();
}

void PictureBox::loadPictureForDpi() {
  LoadedPicture loaded = loadPicture(picture_, window().dpi(), GetSysColor(COLOR_BTNFACE));
  SendMessageW(handle(), STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(loaded.bitmap.get()));
  loaded_ = std::move(loaded);  // the old bitmap goes once the control shows the new one
  // Shown at its own size, whatever the rectangle: the control takes it.
  SetWindowPos(handle(), nullptr, 0, 0, loaded_.width, loaded_.height,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool PictureBox::onCommand(WORD code) {
  if (code != STN_CLICKED || !onClick_) return false;
  onClick_();
  return true;
}

}  // namespace win32_ui
