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
  fitPicture();
}

void PictureBox::layout() {
  Control::layout();
  picture_.follow(handle(), STM_SETIMAGE, window().dpi());
  fitPicture();
}

void PictureBox::beforeFirstPaint() {
  picture_.show(handle(), STM_SETIMAGE, window().dpi());
  fitPicture();
}

void PictureBox::fitPicture() {
  const SIZE size = pictureSize(picture_.resource(), window().dpi());
  SetWindowPos(handle(), nullptr, 0, 0, size.cx, size.cy,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool PictureBox::onCommand(WORD code) {
  if (code != STN_CLICKED || !onClick_) return false;
  onClick_();
  return true;
}

}  // namespace win32_ui
