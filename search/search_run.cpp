#include "search/search_run.h"

#include <cmath>
#include <memory>
#include <optional>
#include <string>

#include "common/sign_position.h"
#include "common/utf8.h"
#include "dbengine/recordset.h"
#include "search/id_trim.h"
#include "search/search_history.h"

namespace search {
namespace {

constexpr const char* kSearchFields = "COMPANY,NAME";
constexpr const char* kNothingFound = "Es wurden keine Kontakte gefunden.";
constexpr const char* kAskForNewTerm = "Wollen Sie einen neuen Suchbegriff eingeben ?";
constexpr const char* kViewGone = "OLE-Verbindung zu Act! ist nicht möglich.(CView2)";

// The ID of the current row as it goes into the list, or nullopt when it has
// none that fits.
std::optional<std::string> paddedIdOf(const dbengine::Recordset& rows) {
  const dbengine::Value id = rows.value("UNIQUE_ID");
  if (id.isNull()) return std::nullopt;
  std::string text = id.toText();
  if (common::utf8Length(text) > kIdWidth) return std::nullopt;
  return IDTRIM(text);
}

class SearchRun {
 public:
  SearchRun(SearchDialogView& view, const SearchServices& services)
      : view_(view), services_(services) {}

  void run() {
    view_.setStatusText("Suche ...");
    if (view_.comboText().empty()) {
      view_.focusCombo();
      return;
    }
    view_.setMousePointer(MousePointer::kHourglass);
    yield();
    yield();
    const std::string term = view_.comboText();

    std::unique_ptr<dbengine::Recordset> rows;
    if (services_.globals.ActDB) {
      rows = services_.globals.ActDB->Suche(kSearchFields, "", term, "OR", false);
    }
    if (!rows) {
      // The query class has reported why there are no rows; leave the dialog
      // as it was before the run, ready for another term.
      view_.setMousePointer(MousePointer::kDefault);
      view_.setProgress(0.0f);
      return;
    }

    if (rows->RecordCount() == 0) {
      view_.setMousePointer(MousePointer::kDefault);
      rows->Close();
      rows.reset();
      askForNewTerm();
      return;
    }

    yield();
    rows->MoveLast();
    const std::int32_t n = rows->RecordCount();
    rows->MoveFirst();
    view_.setMousePointer(MousePointer::kHourglass);
    yield();

    const std::int32_t interval = secondYieldInterval(n);
    std::string idList;
    idList.reserve(static_cast<std::size_t>(n) * kIdWidth);
    std::int32_t handedOver = 0;
    for (std::int32_t i = 1; i <= n; ++i) {
      view_.setStatusText("Es wurden " + common::signPosition(i) + " Kontakte gefunden.");
      view_.setProgress(
          static_cast<float>(static_cast<double>(i) * 100.0 / static_cast<double>(n)));
      yield();
      if (i % interval != 0) yield();
      if (std::optional<std::string> id = paddedIdOf(*rows)) {
        idList += *id;
        ++handedOver;
      }
      rows->MoveNext();
    }
    view_.setMousePointer(MousePointer::kDefault);
    view_.setProgress(0.0f);
    rows->Close();
    rows.reset();

    if (handedOver == 0) {
      askForNewTerm();
      return;
    }
    handToAct(idList, handedOver, term);
  }

 private:
  void yield() { services_.events.processPendingEvents(); }

  void askForNewTerm() {
    view_.setStatusText(kNothingFound);
    const common::MessageAnswer answer =
        services_.messageBoxes.show({.text = std::string(kNothingFound) + "\r\n" + kAskForNewTerm,
                                     .buttons = common::MessageButtons::YesNo,
                                     .foreground = true});
    if (answer == common::MessageAnswer::No) {
      releaseActAndEnd(services_.globals, services_.programEnd);
    }
  }

  // ACT! has left or its view is gone: nothing can be shown any more.
  [[noreturn]] void endWithoutView() {
    services_.messageBoxes.show({.text = kViewGone});
    endProgramNow(services_.programEnd);
  }

  [[noreturn]] void handToAct(std::string& idList, std::int32_t count, const std::string& term) {
    if (!services_.globals.ActView) endWithoutView();
    yield();
    // Escape during a yield ends the program, so the view is still held here.
    if (!services_.globals.ActView->LookupAll()) endWithoutView();

    view_.setMousePointer(MousePointer::kHourglass);
    view_.setStatusText("Die" + common::signPosition(count) +
                        " Kontakte werden in ACT! angezeigt.");
    yield();
    const std::optional<std::int32_t> result = services_.globals.ActView->CreateLookup(idList);
    if (!result) endWithoutView();
    view_.setMousePointer(MousePointer::kDefault);
    yield();

    if (*result != 0 && *result != 100) {
      services_.messageBoxes.show({.text = "ACT OLE-Fehler Nr." + common::signPosition(*result),
                                   .foreground = true,
                                   .systemModal = true});
    }
    // Key releases during the yields may have completed the box's text to
    // another history entry; the history records the term that was searched.
    if (view_.comboText() != term) view_.setComboText(term);
    SaveSearchHistory(view_, services_.settings);
    releaseActAndEnd(services_.globals, services_.programEnd);
  }

  SearchDialogView& view_;
  const SearchServices& services_;
};

}  // namespace

std::int32_t secondYieldInterval(std::int32_t rowCount) {
  const double exact = static_cast<double>(rowCount) / 10.0 + 1.0;
  const double below = std::floor(exact);
  const double fraction = exact - below;
  double nearest = below;
  if (fraction > 0.5 || (fraction == 0.5 && std::fmod(below, 2.0) != 0.0)) nearest = below + 1.0;
  return static_cast<std::int32_t>(nearest);
}

void runSearch(SearchDialogView& view, const SearchServices& services) {
  SearchRun(view, services).run();
}

}  // namespace search
