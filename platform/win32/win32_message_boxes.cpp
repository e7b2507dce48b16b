#include "platform/win32/win32_message_boxes.h"

#include <windows.h>

#include "platform/win32/wide_text.h"

namespace platform_win32 {

common::MessageAnswer Win32MessageBoxes::show(const common::MessageBoxRequest& request) {
  const bool yesNo = request.buttons == common::MessageButtons::YesNo;
  UINT flags = yesNo ? MB_YESNO : MB_OK;
  if (request.icon == common::MessageIcon::Exclamation) flags |= MB_ICONEXCLAMATION;
  if (request.foreground) flags |= MB_SETFOREGROUND;

  HWND owner = GetActiveWindow();
  if (request.systemModal) {
    flags |= MB_SYSTEMMODAL;
  } else if (owner == nullptr) {
    flags |= MB_TASKMODAL;  // no owner: every window of the thread waits
  }

  const std::wstring text = wideFromUtf8(request.text);
  const std::wstring title = wideFromUtf8(request.title);
  switch (MessageBoxW(owner, text.c_str(), title.c_str(), flags)) {
    case IDYES:
      return common::MessageAnswer::Yes;
    case IDNO:
      return common::MessageAnswer::No;
    default:
      return yesNo ? common::MessageAnswer::No : common::MessageAnswer::Ok;
  }
}

}  // namespace platform_win32
