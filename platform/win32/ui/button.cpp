#include "platform/win32/ui/button.h"

#include <commctrl.h>

#include "platform/win32/ui/window.h"

namespace win32_ui {

PushButton::PushButton(const PushButtonArgs& args) : PushButton(args, 0) {}

PushButton::PushButton(const PushButtonArgs& args, DWORD extraStyle)
    : Control(args.window, {WC_BUTTONW, BS_PUSHBUTTON | WS_TABSTOP | extraStyle}, args.caption,
              args.placement),
      onClick_(args.onClick) {}

bool PushButton::onCommand(WORD code) {
  if (code != BN_CLICKED) return false;
  if (onClick_) onClick_();
  return true;
}

PictureButton::PictureButton(const PictureButtonArgs& args)
    : PushButton({args.window, args.placement, args.accessibleName, args.onClick}, BS_BITMAP),
      picture_(args.picture) {}

void PictureButton::layout() {
  PushButton::layout();
  picture_.follow(handle(), BM_SETIMAGE, window().dpi());
}

void PictureButton::beforeFirstPaint() {
  picture_.show(handle(), BM_SETIMAGE, window().dpi());
}

GroupFrame::GroupFrame(const GroupFrameArgs& args)
    : Control(args.window, {WC_BUTTONW, BS_GROUPBOX}, args.caption, args.placement) {}

}  // namespace win32_ui
