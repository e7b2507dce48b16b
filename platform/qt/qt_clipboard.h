#pragma once
// The system clipboard through QGuiApplication::clipboard(), plain text only.
// Remembers whether this program put text there, so that the program end can
// hand that text over to the desktop's clipboard manager (see
// qt_program_end.h). Needs a QGuiApplication; use on the user-interface
// thread. Never throws.

#include "common/clipboard.h"

namespace platform_qt {

class QtClipboard : public common::Clipboard {
 public:
  void clear() override;
  void setText(std::string_view text) override;

  // True from setText() until clear(): the clipboard holds text this
  // program put there (unless another program has replaced it since).
  bool placedText() const { return placedText_; }

 private:
  bool placedText_ = false;
};

}  // namespace platform_qt
