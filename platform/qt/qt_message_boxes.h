#pragma once
// Message boxes shown with QMessageBox, reading as on a German system: the
// buttons say "OK", or "Ja" and "Nein" whatever language Qt runs in.
//
// - Text: plain text; the program's "\r\n" line breaks show as lines.
// - Icon: none, or the warning sign for MessageIcon::Exclamation.
// - foreground: the box stays on top and is raised and activated when shown,
//   so it comes in front of other programs' windows.
// - systemModal: application-modal and on top of every window.
// - A Yes/No box can only be answered by its buttons (Alt+J, Alt+N, or Enter
//   on the focused one): Escape and the title bar's close box do nothing, as
//   a Yes/No box without a cancel choice behaves on Windows. An OK box also
//   closes with Escape or its close box, answering Ok.
//
// Needs a QApplication; use on the user-interface thread. Never throws.

#include "common/message_boxes.h"

namespace platform_qt {

class QtMessageBoxes : public common::MessageBoxes {
 public:
  common::MessageAnswer show(const common::MessageBoxRequest& request) override;
};

}  // namespace platform_qt
