#include "platform/qt/qt_program_end.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QWindow>
#include <cstdlib>
#include <thread>

#include "platform/qt/qt_clipboard.h"

namespace platform_qt {
namespace {

bool ownsClipboardText(const QtClipboard* clipboard) {
  return clipboard != nullptr && clipboard->placedText() &&
         QGuiApplication::instance() != nullptr && QGuiApplication::clipboard()->ownsClipboard();
}

[[noreturn]] void handOverClipboardAndExit() {
  std::thread([] {
    std::this_thread::sleep_for(QtProgramEnd::kHandoverLimit);
    std::_Exit(0);
  }).detach();

  // Hidden first, so that nothing of the program shows while it waits.
  for (QWindow* window : QGuiApplication::topLevelWindows()) window->hide();

  // Tearing the application object down makes the X11 backend offer the
  // clipboard to the clipboard manager and wait for it (within its own
  // time limit). The object may live on main()'s stack: its storage is left
  // alone and its destructor can never run a second time, because the
  // process exits below without unwinding.
  QCoreApplication* application = QCoreApplication::instance();
  application->~QCoreApplication();
  std::_Exit(0);
}

}  // namespace

void QtProgramEnd::endNow() {
  if (ownsClipboardText(clipboard_) && QGuiApplication::platformName() == QStringLiteral("xcb")) {
    handOverClipboardAndExit();
  }
  std::_Exit(0);
}

}  // namespace platform_qt
