#pragma once
// Labels: text on the dialog's ground, either in a given rectangle or sizing
// itself to its text (the rectangle's left and top stay, width and height
// follow the text in the label's font, one line). A label in a given
// rectangle widens to its text where the font at hand is wider than the one
// the rectangle was measured with: text is never cut off. "&" in a label's text
// marks an access key that moves the focus to the next control in tab
// order; a label without access keys shows "&" as it is.
//
// HorizontalLine is a rule one pixel thick at 96 DPI (thicker in
// proportion above), in the colour of window frames.

#include <string>

#include "platform/win32/ui/control.h"

namespace win32_ui {

struct LabelArgs {
  Window& window;
  Placement placement;
  std::string text;
  bool sizesItself = false;
  bool hasAccessKey = false;
};

class Label : public Control {
 public:
  explicit Label(const LabelArgs& args);
  void layout() override;
  void setText(const std::string& text);

 private:
  void fitToText();
  bool sizesItself_;
};

struct HorizontalLineArgs {
  Window& window;
  int x1 = 0;  // twips
  int y = 0;
  int x2 = 0;
};

class HorizontalLine : public Control {
 public:
  explicit HorizontalLine(const HorizontalLineArgs& args);
  void layout() override;

 private:
  void fitThickness();
};

}  // namespace win32_ui
