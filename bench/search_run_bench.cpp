// The whole search run in the real dialog: Qt's offscreen platform, frmSuche
// with its real logic and event pump, clActDBF over a generated ACT!-shaped
// table, and a stand-in ACT! view that records the ID list it is handed. One
// figure per table size: from the Enter key in the term box to the moment
// CreateLookup receives the ID list, median of five runs.
//
// A run ends the program (as a search does), so each run is a child process
// that reports its figures through a pipe before it exits. Two more figures:
// the cost of one yield with nothing pending, and of one status update
// (status text plus progress position), our own work per row.
//
// Tables are generated into $SPURLIX_BENCH_CACHE (default
// ${XDG_CACHE_HOME:-$HOME/.cache}/spurlixlight-bench) and reused.

#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <QComboBox>
#include <QTest>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "actdb/cl_act_dbf.h"
#include "common/clipboard.h"
#include "common/settings_store.h"
#include "platform/linux/realpath_short_path.h"
#include "platform/qt/qt_event_pump.h"
#include "search/qt/frm_suche.h"
#include "search/search_dialog_events.h"
#include "tools/demo_data/demo_contacts.h"

namespace {

using Clock = std::chrono::steady_clock;

struct Figures {
  double seconds = 0;
  long ids = 0;
};

int reportPipe = -1;
Clock::time_point started;
Figures figures;

class RecordingView : public common::ActView {
 public:
  bool LookupAll() override { return true; }
  std::optional<std::int32_t> CreateLookup(std::string& idList) override {
    figures.seconds = std::chrono::duration<double>(Clock::now() - started).count();
    figures.ids = static_cast<long>(idList.size() / 12);
    return 0;
  }
};

class ReportingEnd : public common::ProgramEnd {
 public:
  [[noreturn]] void endNow() override {
    if (write(reportPipe, &figures, sizeof figures) != sizeof figures) std::_Exit(3);
    std::_Exit(0);
  }
};

class NoBoxes : public common::MessageBoxes {
 public:
  common::MessageAnswer show(const common::MessageBoxRequest& request) override {
    std::fprintf(stderr, "unexpected message: %s\n", request.text.c_str());
    std::_Exit(4);
  }
};

class MemorySettings : public common::SettingsStore {
 public:
  std::string read(std::string_view, std::string_view, std::string_view key,
                   std::string_view fallback) const override {
    auto it = values_.find(std::string(key));
    return it == values_.end() ? std::string(fallback) : it->second;
  }
  bool write(std::string_view, std::string_view, std::string_view key,
             std::string_view value) override {
    values_[std::string(key)] = std::string(value);
    return true;
  }

 private:
  std::map<std::string, std::string> values_;
};

class NoClipboard : public common::Clipboard {
 public:
  void clear() override {}
  void setText(std::string_view) override {}
};

// A dialog without logic, for timing the dialog's own updates.
class NoEvents : public search_qt::SearchDialogEvents {
 public:
  void Form_Load() override {}
  void Form_KeyDown(int) override {}
  void cbxSuchbegriffe_KeyPress(int) override {}
  void cbxSuchbegriffe_KeyUp() override {}
  void cmdSuche_Click() override {}
  void cmdAbbruch_Click() override {}
  void cmdInfo_Click() override {}
  void Form_Unload() override {}
};

class NoInformationDialog : public info::InformationDialog {
 public:
  void showModal(const std::string&) override {}
};

std::filesystem::path cacheFolder() {
  if (const char* cache = std::getenv("SPURLIX_BENCH_CACHE")) return cache;
  if (const char* xdg = std::getenv("XDG_CACHE_HOME"))
    return std::filesystem::path(xdg) / "spurlixlight-bench";
  return std::filesystem::path(std::getenv("HOME")) / ".cache" / "spurlixlight-bench";
}

std::filesystem::path tableOf(std::uint32_t rows) {
  const auto folder = cacheFolder() / ("run-" + std::to_string(rows));
  const auto table = folder / "KONTAKTE.dbf";
  if (!std::filesystem::exists(table)) demo_data::writeDemoDatabase(folder, rows);
  return table;
}

// One run in this process; never returns. The child makes its own
// application object: Qt's threads do not survive a fork.
[[noreturn]] void runOnce(const std::filesystem::path& table, const char* fragment) {
  int argc = 1;
  char name[] = "search_run_bench";
  char* argv[] = {name, nullptr};
  QApplication application(argc, argv);
  NoBoxes boxes;
  MemorySettings settings;
  NoClipboard clipboard;
  platform_qt::QtEventPump events;
  platform_linux::RealpathShortPath paths;
  ReportingEnd end;
  NoInformationDialog information;

  search::ProgramGlobals globals;
  globals.ActView = std::make_unique<RecordingView>();
  globals.ActDB = std::make_unique<actdb::clActDBF>(
      actdb::ActDbServices{boxes, settings, clipboard, events, paths});
  if (!globals.ActDB->init(table.string())) std::_Exit(5);

  search_qt::FrmSuche dialog(
      search::SearchServices{globals, boxes, events, settings, end, information});
  dialog.show();
  auto* combo = dialog.findChild<QComboBox*>("cbxSuchbegriffe");
  combo->setEditText(QString::fromUtf8(fragment));
  QApplication::processEvents();

  started = Clock::now();
  QTest::keyClick(combo, Qt::Key_Return);
  std::_Exit(6);  // the run ends the program; reaching here is a fault
}

Figures measure(const std::filesystem::path& table, const char* fragment) {
  int fds[2];
  if (pipe(fds) != 0) std::exit(1);
  const pid_t child = fork();
  if (child == 0) {
    close(fds[0]);
    reportPipe = fds[1];
    runOnce(table, fragment);
  }
  close(fds[1]);
  Figures got;
  const bool ok = read(fds[0], &got, sizeof got) == sizeof got;
  close(fds[0]);
  int status = 0;
  waitpid(child, &status, 0);
  if (!ok || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    std::fprintf(stderr, "run failed (status %d)\n", status);
    std::exit(1);
  }
  return got;
}

template <typename Step>
double nanosecondsPerCall(Step step) {
  constexpr int kCalls = 200000;
  const auto start = Clock::now();
  for (int i = 0; i < kCalls; ++i) step(i);
  return std::chrono::duration<double, std::nano>(Clock::now() - start).count() / kCalls;
}

// Our own work per row: a yield with nothing pending, and a status update
// as the run makes it (status text, progress position of row i of n).
void measureUpdates(int argc, char** argv) {
  QApplication application(argc, argv);
  {
    platform_qt::QtEventPump events;
    search_qt::FrmSuche dialog(
        [](search::SearchDialogView&) { return std::make_unique<NoEvents>(); });
    dialog.show();
    QApplication::processEvents();
    const double yield = nanosecondsPerCall([&](int) { events.processPendingEvents(); });
    const double status = nanosecondsPerCall([&](int i) {
      dialog.setStatusText("Es wurden " + std::to_string(i) + " Kontakte gefunden.");
      dialog.setProgress(static_cast<float>(i) * 100.0f / 200000.0f);
    });
    std::printf("yield with nothing pending: %.0f ns; status text + progress: %.0f ns\n", yield,
                status);
  }
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");

  // The fragment "e" is in about 96 % of the demo contacts' names.
  std::printf("%10s %10s %12s %14s\n", "rows", "hits", "median s", "hits per s");
  for (std::uint32_t rows : {1040u, 10400u, 104000u}) {
    const auto table = tableOf(rows);
    std::vector<double> seconds;
    long ids = 0;
    for (int run = 0; run < 5; ++run) {
      const Figures f = measure(table, "e");
      seconds.push_back(f.seconds);
      ids = f.ids;
    }
    std::sort(seconds.begin(), seconds.end());
    const double median = seconds[2];
    std::printf("%10u %10ld %12.3f %14.0f\n", rows, ids, median, static_cast<double>(ids) / median);
    std::fflush(stdout);
  }
  measureUpdates(argc, argv);
  return 0;
}
