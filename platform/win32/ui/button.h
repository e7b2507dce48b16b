#pragma once
// Buttons: a push button with a caption ("&" marks its access key), a push
// button showing a picture, and the group frame (a captioned frame around
// other controls; it takes no focus and no clicks).
//
// Push buttons are tab stops and report a click (mouse, Space, or their
// access key through the dialog manager). None of them is a default
// button: Enter on a focused button does nothing.

#include <functional>
#include <string>

#include "platform/win32/ui/control.h"
#include "platform/win32/ui/png_picture.h"

namespace win32_ui {

struct PushButtonArgs {
  Window& window;
  Placement placement;
  std::string caption;
  std::function<void()> onClick;
};

class PushButton : public Control {
 public:
  explicit PushButton(const PushButtonArgs& args);
  bool onCommand(WORD code) override;

 protected:
  PushButton(const PushButtonArgs& args, DWORD extraStyle);

 private:
  std::function<void()> onClick_;
};

struct PictureButtonArgs {
  Window& window;
  Placement placement;
  std::string accessibleName;  // not shown; read out by screen readers
  PictureResource picture;
  std::function<void()> onClick;
};

class PictureButton : public PushButton {
 public:
  explicit PictureButton(const PictureButtonArgs& args);
  void layout() override;
  void beforeFirstPaint() override;

 private:
  ControlPicture picture_;
};

struct GroupFrameArgs {
  Window& window;
  Placement placement;
  std::string caption;
};

class GroupFrame : public Control {
 public:
  explicit GroupFrame(const GroupFrameArgs& args);
};

}  // namespace win32_ui
