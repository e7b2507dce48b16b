#include "info/win32/frm_info.h"

#include <string>

#include "info/program_version.h"
#include "info/vendor.h"
#include "info/win32/frm_screenshot.h"
#include "platform/shell_execute.h"
#include "platform/win32/win32_handles.h"
#include "resources/win32/win32_pictures.h"

namespace info_win32 {
namespace {

using win32_ui::FontKind;

win32_ui::WindowFrame informationFrame() {
  // A tool window: small title bar, sizable frame, close box, no task-bar
  // entry, no minimise or maximise button.
  return {.caption = "Informationen über das Programm",
          .style = WS_CAPTION | WS_SYSMENU | WS_THICKFRAME,
          .exStyle = WS_EX_TOOLWINDOW,
          .clientWidth = 3660,
          .clientHeight = 5505};
}

}  // namespace

FrmInfoWindow::FrmInfoWindow(const InfoServices& services)
    : win32_ui::Window(informationFrame()),
      services_(services),
      // Created in tab order: OK is the first control that takes the focus.
      label2_({.window = *this,
               .placement = {.rect = {2520, 480, 945, 210}, .font = FontKind::kArial},
               .text = "© 1999–2001",
               .sizesItself = true}),
      command1_({.window = *this,
                 .placement = {.rect = {120, 5040, 735, 375}},
                 .caption = "&OK",
                 .onClick = [this] { modal_.end(); }}),
      label3_({.window = *this,
               .placement = {.rect = {120, 120, 510, 195}},
               .text = "Name :",
               .sizesItself = true}),
      label4_({.window = *this,
               .placement = {.rect = {120, 480, 615, 195}},
               .text = "Version :",
               .sizesItself = true}),
      lbName_({.window = *this,
               .placement = {.rect = {720, 120, 2370, 195}, .font = FontKind::kDialogBold},
               .text = "Spurlix light für ACT!",
               .sizesItself = true}),
      lbVersion_({.window = *this,
                  .placement = {.rect = {840, 480, 585, 195}, .font = FontKind::kDialogBold},
                  .text = "",
                  .sizesItself = true}),
      text1_({.window = *this,
              .placement = {.rect = {120, 1560, 3420, 1215}, .font = FontKind::kArial},
              .backgroundColour = COLOR_MENU}),
      command2_({.window = *this,
                 .placement = {.rect = {960, 5040, 2655, 375}},
                 .caption = "&Screenshot von Spurlix4",
                 .onClick = [this] { screenshotClicked(); }}),
      image2_({.window = *this,
               .placement = {.rect = {120, 3000, 3495, 1935}},
               .picture = resources_win32::kPromotion,
               .accessibleName = "Die Vollversion Spurlix4",
               .onClick = [this] { promotionClicked(); }}),
      line2_({.window = *this, .x1 = 120, .y = 2880, .x2 = 3600}),
      line1_({.window = *this, .x1 = 120, .y = 1440, .x2 = 3600}),
      image1_({.window = *this,
               .placement = {.rect = {675, 750, 2400, 600}},
               .picture = resources_win32::kVendorLogo,
               .accessibleName = info::kVendorCompany}),
      tooltip_(*this),
      keyboard_(*this, services.loop) {
  tooltip_.add(command2_, "Kicken Sie hier um ein Beispielfenster für die Spurlix4 zu sehen.");
  tooltip_.add(image2_,
               "Klicken Sie hier um mehr Informationen auf unserer Internetseite zu sehen.");
  setIconResource(resources_win32::kInformationIcon);
  centreOnScreen();
  startMessages();
  loadStep();
}

FrmInfoWindow::~FrmInfoWindow() {
  stopMessages();
}

void FrmInfoWindow::loadStep() {
  lbVersion_.setText(std::to_string(info::kVersionMajor) + "." +
                     std::to_string(info::kVersionMinor) + "." +
                     std::to_string(info::kVersionRevision));
}

void FrmInfoWindow::setFreeText(const std::string& text) {
  text1_.setText(text);
}

void FrmInfoWindow::showModal() {
  modal_.run(handle(), services_.loop);
}

LRESULT FrmInfoWindow::onMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CLOSE) {
    closedThroughFrame_ = true;
    modal_.end();
    return 0;
  }
  return win32_ui::Window::onMessage(message, wParam, lParam);
}

void FrmInfoWindow::screenshotClicked() {
  FrmScreenshot screenshot(services_);
  screenshot.showModal();
}

void FrmInfoWindow::promotionClicked() {
  platform::CShellExecute launcher(services_.shell, services_.messageBoxes);
  launcher.LaunchURL(platform_win32::handleOf(handle()), info::kProductPage,
                     platform::kShowMaximized);
}

FrmInfo::FrmInfo(const InfoServices& services) : services_(services) {}

FrmInfo::~FrmInfo() = default;

void FrmInfo::showModal(const std::string& freeText) {
  if (!window_) window_ = std::make_unique<FrmInfoWindow>(services_);
  window_->setFreeText(freeText);
  window_->showModal();
  if (window_->closedThroughFrame()) window_.reset();
}

}  // namespace info_win32
