#include "info/win32/frm_screenshot.h"

#include "info/vendor.h"
#include "platform/shell_execute.h"
#include "platform/win32/win32_handles.h"
#include "resources/win32/win32_pictures.h"

namespace info_win32 {
namespace {

win32_ui::WindowFrame screenshotFrame() {
  // A fixed frame with the close box only; the modal frame leaves out the
  // icon.
  return {.caption = "Spurlix Screenshot",
          .style = WS_CAPTION | WS_SYSMENU,
          .exStyle = WS_EX_DLGMODALFRAME,
          .clientWidth = 10695,
          .clientHeight = 6105};
}

}  // namespace

FrmScreenshot::FrmScreenshot(const InfoServices& services)
    : win32_ui::Window(screenshotFrame()),
      services_(services),
      command2_({.window = *this,
                 .placement = {.rect = {4200, 5640, 1695, 375}},
                 .caption = "&Demo downloaden",
                 .onClick = [this] { downloadClicked(); }}),
      image1_({.window = *this,
               .placement = {.rect = {120, 120, 10485, 5400}},
               .picture = resources_win32::kFullEdition,
               .accessibleName = "Hauptfenster der Vollversion Spurlix4"}),
      keyboard_(*this, services.loop) {
  centreOnScreen();
  startMessages();
}

FrmScreenshot::~FrmScreenshot() {
  stopMessages();
}

void FrmScreenshot::showModal() {
  modal_.run(handle(), services_.loop);
}

LRESULT FrmScreenshot::onMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CLOSE) {
    modal_.end();
    return 0;
  }
  return win32_ui::Window::onMessage(message, wParam, lParam);
}

void FrmScreenshot::downloadClicked() {
  {
    platform::CShellExecute launcher(services_.shell, services_.messageBoxes);
    launcher.LaunchURL(platform_win32::handleOf(handle()), info::kTrialDownload,
                       platform::kShowMaximized);
  }
  modal_.end();
}

}  // namespace info_win32
