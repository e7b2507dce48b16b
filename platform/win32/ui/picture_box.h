#pragma once
// A picture control: one of the program's pictures at its size for the
// window's DPI, in the top left corner of the control's rectangle; optionally
// clickable (a click is a left-button press and release on it).

#include <functional>

#include "platform/win32/ui/control.h"
#include "platform/win32/ui/png_picture.h"

namespace win32_ui {

struct PictureBoxArgs {
  Window& window;
  Placement placement;
  PictureResource picture;
  std::string accessibleName;          // not shown; read out by screen readers
  std::function<void()> onClick = {};  // empty: not clickable
};

class PictureBox : public Control {
 public:
  explicit PictureBox(const PictureBoxArgs& args);
  void layout() override;
  void beforeFirstPaint() override;
  bool onCommand(WORD code) override;

 private:
  // Shown at its own size, whatever the rectangle: the control takes it.
  void fitPicture();

  ControlPicture picture_;
  std::function<void()> onClick_;
};

}  // namespace win32_ui
