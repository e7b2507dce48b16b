// spurlixlight.exe: builds the real services of Windows, hands them to the
// start routine and runs the dialogs' events. No command line is read.

#include <windows.h>
//
#include <commctrl.h>
#include <objbase.h>

#include <memory>

#include "info/win32/frm_info.h"
#include "platform/win32/message_loop.h"
#include "platform/win32/registry_settings_store.h"
#include "platform/win32/win32_clipboard.h"
#include "platform/win32/win32_message_boxes.h"
#include "platform/win32/win32_program_end.h"
#include "platform/win32/win32_registry.h"
#include "platform/win32/win32_shell.h"
#include "platform/win32/win32_short_path.h"
#include "platform/win32/win32_window_list.h"
#include "search/search_dialog_events.h"
#include "search/win32/frm_suche.h"
#include "startup/com/com_act_automation.h"
#include "startup/haupt.h"
#include "startup/window_finder.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  // ACT!'s automation server and the shell's handlers are COM objects; the
  // pictures are decoded by a COM component too.
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES | ICC_BAR_CLASSES |
                                                      ICC_PROGRESS_CLASS | ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);

  platform_win32::MessageLoop loop;
  platform_win32::Win32MessageBoxes messageBoxes;
  platform_win32::Win32Clipboard clipboard;
  platform_win32::Win32ProgramEnd programEnd;
  platform_win32::RegistrySettingsStore settings;
  platform_win32::Win32ShortPath paths;
  platform_win32::Win32Registry registry;
  platform_win32::Win32Shell shell;
  platform_win32::Win32WindowList windows;
  startup_com::ComActAutomation automation;
  startup::SetWindowList(windows);

  search::ProgramGlobals globals;
  info_win32::FrmInfo informationDialog({shell, messageBoxes, loop});
  std::unique_ptr<search_win32::FrmSuche> searchDialog;
  const search::SearchServices searchServices{globals,  messageBoxes, loop,
                                              settings, programEnd,   informationDialog};

  startup::StartupServices services{
      .registry = registry,
      .messageBoxes = messageBoxes,
      .automation = automation,
      .events = loop,
      .programEnd = programEnd,
      .informationDialog = informationDialog,
      .globals = globals,
      .database = {messageBoxes, settings, clipboard, loop, paths},
      // Made hidden, the window is neither active (so never a message box's
      // owner) nor on the task bar until it is shown.
      .buildSearchDialog =
          [&] {
            searchDialog =
                std::make_unique<search_win32::FrmSuche>(loop, [&](search::SearchDialogView& view) {
                  return search::makeLogicEvents(view, searchServices);
                });
          },
      .showSearchDialog = [&] { searchDialog->show(); },
  };
  startup::Main(services);
  return loop.run();
}
