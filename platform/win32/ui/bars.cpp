#include "platform/win32/ui/bars.h"

#include <commctrl.h>

#include <algorithm>
#include <cmath>

#include "platform/win32/ui/window.h"
#include "platform/win32/wide_text.h"

namespace win32_ui {

StatusBar::StatusBar(const StatusBarArgs& args)
    : Control(args.window, {STATUSCLASSNAMEW, CCS_NORESIZE | CCS_NOPARENTALIGN | CCS_NODIVIDER}, "",
              args.placement),
      panelWidths_(args.panelWidths) {
  setPanels();
}

void StatusBar::layout() {
  Control::layout();
  setPanels();
}

void StatusBar::setPanels() {
  std::vector<int> rightEdges;
  int right = 0;
  for (int width : panelWidths_) {
    right += width;
    rightEdges.push_back(twipsToPixels(right, window().dpi()));
  }
  SendMessageW(handle(), SB_SETPARTS, rightEdges.size(),
               reinterpret_cast<LPARAM>(rightEdges.data()));
}

void StatusBar::setPanelText(int panel, const std::string& text) {
  const std::wstring wide = platform_win32::wideFromUtf8(text);
  SendMessageW(handle(), SB_SETTEXTW, static_cast<WPARAM>(panel),
               reinterpret_cast<LPARAM>(wide.c_str()));
}

ProgressBar::ProgressBar(const ProgressBarArgs& args)
    : Control(args.window, {PROGRESS_CLASSW, PBS_SMOOTH}, "", args.placement) {
  SendMessageW(handle(), PBM_SETRANGE32, 0, 100 * kStepsPerPercent);
  SendMessageW(handle(), PBM_SETPOS, 0, 0);
}

void ProgressBar::setPosition(double percent) {
  const double steps = std::round(std::clamp(percent, 0.0, 100.0) * kStepsPerPercent);
  SendMessageW(handle(), PBM_SETPOS, static_cast<WPARAM>(steps), 0);
}

}  // namespace win32_ui
