#pragma once
// The status bar and the progress bar of the Windows common controls.
//
// StatusBar: panels of fixed widths from the left, no size grip, placed
// exactly where its placement says (not docked by the control itself; the
// placement docks it). Each panel shows one line of text.
//
// ProgressBar: range 0 to 100 with hundredths, so that fractional positions
// such as 33.33 show as such; positions outside the range show as its ends.

#include <string>
#include <vector>

#include "platform/win32/ui/control.h"

namespace win32_ui {

struct StatusBarArgs {
  Window& window;
  Placement placement;
  std::vector<int> panelWidths;  // twips, from the left
};

class StatusBar : public Control {
 public:
  explicit StatusBar(const StatusBarArgs& args);
  void layout() override;
  void setPanelText(int panel, const std::string& text);

 private:
  void setPanels();
  std::vector<int> panelWidths_;
};

struct ProgressBarArgs {
  Window& window;
  Placement placement;
};

class ProgressBar : public Control {
 public:
  explicit ProgressBar(const ProgressBarArgs& args);
  // Position in percent, 0 to 100.
  void setPosition(double percent);

  static constexpr int kStepsPerPercent = 100;
};

}  // namespace win32_ui
