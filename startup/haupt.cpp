#include "startup/haupt.h"

#include <memory>
#include <optional>
#include <string>

#include "info/werbe_links.h"
#include "search/search_services.h"
#include "startup/window_finder.h"

namespace startup {
namespace {

constexpr const char* kActNotRunning =
    "Bitte dieses Programm nur unter ACT! in der\r\nKontaktansicht aufrufen.";
constexpr const char* kNoApplication = "OLE-Verbindung zu Act! ist nicht möglich.(App)";
constexpr const char* kNoViews = "OLE-Verbindung zu ACT! ist nicht möglich.(View)";
constexpr const char* kNoViewRetry =
    "Eine OLE-Verbindung zu ACT! ist nicht möglich.\r\nWeiter versuchen ?";

class Startup {
 public:
  explicit Startup(StartupServices& services) : s_(services) {}

  void run() {
    info::WerbeLinksAnlegen(s_.registry, s_.messageBoxes);

    // Both searches are made, whatever the first one finds.
    const common::WindowHandle byOldTitle = FindTopLevelWindow(kActWindowClass, "Kundenmanager");
    const common::WindowHandle byNewTitle = FindTopLevelWindow(kActWindowClass, "ACT");
    if (byOldTitle == 0 && byNewTitle == 0) {
      s_.informationDialog.showModal(kActNotRunning);
      search::endProgramNow(s_.programEnd);
    }

    // The search dialog is built while ACT! makes its application object;
    // ACT! sees the same calls, in the same order, as without it.
    s_.globals.ActApp = s_.automation.CreateObject(kActProgId, s_.buildSearchDialog);
    yield();
    if (!s_.globals.ActApp) fail(kNoApplication);

    yield();
    s_.globals.ActViews = s_.globals.ActApp->Views();
    yield();
    if (!s_.globals.ActViews) fail(kNoViews);

    do {
      yield();
      s_.globals.ActView = s_.globals.ActViews->Create(1, 2);
      yield();
      if (!s_.globals.ActView) {
        const common::MessageAnswer answer =
            s_.messageBoxes.show({.text = kNoViewRetry, .buttons = common::MessageButtons::YesNo});
        if (answer == common::MessageAnswer::No) search::endProgramNow(s_.programEnd);
      }
    } while (!s_.globals.ActView);

    s_.globals.ActDB = std::make_unique<actdb::clActDBF>(s_.database);
    // Without a path from ACT! init reports the missing database itself.
    const std::optional<std::string> databasePath = s_.globals.ActApp->GetOpenDBName();
    if (!s_.globals.ActDB->init(databasePath.value_or(std::string())))
      search::endProgramNow(s_.programEnd);

    s_.showSearchDialog();
  }

 private:
  void yield() { s_.events.processPendingEvents(); }

  [[noreturn]] void fail(const char* message) {
    s_.messageBoxes.show({.text = message});
    search::endProgramNow(s_.programEnd);
  }

  StartupServices& s_;
};

}  // namespace

void Main(StartupServices& services) {
  Startup(services).run();
}

}  // namespace startup
