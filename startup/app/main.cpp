// spurlixlight: builds the real services of this platform, hands them to the
// start routine and runs the dialogs' events. No command line is read.

#include <QApplication>
#include <memory>

#include "info/qt/frm_info.h"
#include "platform/linux/ini_settings_store.h"
#include "platform/linux/realpath_short_path.h"
#include "platform/linux/reg_file_backend.h"
#include "platform/linux/shell_backend_linux.h"
#include "platform/linux/x11_window_list.h"
#include "platform/qt/deferred_window_icon.h"
#include "platform/qt/qt_clipboard.h"
#include "platform/qt/qt_event_pump.h"
#include "platform/qt/qt_message_boxes.h"
#include "platform/qt/qt_program_end.h"
#include "resources/pictures.h"
#include "search/qt/frm_suche.h"
#include "startup/dbus/dbus_act_automation.h"
#include "startup/haupt.h"
#include "startup/window_finder.h"

int main(int argc, char** argv) {
  // Qt sees the program's name only: the program takes no options.
  int qtArgc = argc > 0 ? 1 : 0;
  QApplication application(qtArgc, argv);
  QApplication::setApplicationName("Spurlix light");
  QApplication::setDesktopFileName("spurlixlight");
  platform_qt::setWindowIconAfterFirstPaint(&resources::programIcon);
  // The program ends through ende; closing a dialog never ends it by itself.
  QApplication::setQuitOnLastWindowClosed(false);

  platform_qt::QtMessageBoxes messageBoxes;
  platform_qt::QtClipboard clipboard;
  platform_qt::QtEventPump events;
  platform_qt::QtProgramEnd programEnd(&clipboard);
  platform_linux::IniSettingsStore settings = platform_linux::IniSettingsStore::forCurrentUser();
  platform_linux::RealpathShortPath paths;
  platform_linux::RegFileBackend registry(platform_linux::RegFileBackend::defaultUserRegPath());
  platform_linux::LinuxShell shell;
  platform_linux::X11WindowList windows;
  startup_dbus::DBusActAutomation automation;
  startup::SetWindowList(windows);

  search::ProgramGlobals globals;
  info_qt::FrmInfo informationDialog(shell, messageBoxes);
  std::unique_ptr<search_qt::FrmSuche> searchDialog;

  startup::StartupServices services{
      .registry = registry,
      .messageBoxes = messageBoxes,
      .automation = automation,
      .events = events,
      .programEnd = programEnd,
      .informationDialog = informationDialog,
      .globals = globals,
      .database = {messageBoxes, settings, clipboard, events, paths},
      // A widget never shown has no window on the screen, not even an
      // unmapped one.
      .buildSearchDialog =
          [&] {
            searchDialog = std::make_unique<search_qt::FrmSuche>(search::SearchServices{
                globals, messageBoxes, events, settings, programEnd, informationDialog});
          },
      .showSearchDialog = [&] { searchDialog->show(); },
  };
  startup::Main(services);
  return QApplication::exec();
}
