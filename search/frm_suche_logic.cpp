#include "search/frm_suche_logic.h"

#include <string>

#include "info/vendor.h"
#include "search/search_run.h"

namespace search {
namespace {

// Marks a search run as under way for as long as it lasts, also when the run
// ends by unwinding.
class RunningFlag {
 public:
  explicit RunningFlag(bool& flag) : flag_(flag) { flag_ = true; }
  ~RunningFlag() { flag_ = false; }
  RunningFlag(const RunningFlag&) = delete;
  RunningFlag& operator=(const RunningFlag&) = delete;

 private:
  bool& flag_;
};

}  // namespace

std::string vendorAddressText() {
  return std::string(info::kVendorCompany) + "\r\n" + info::kVendorStreet + "\r\n" +
         info::kVendorTown + "\r\n" + "Email: " + info::kVendorEmail + "\r\n" +
         "Internet: " + info::kVendorWebsite;
}

SearchDialogLogic::SearchDialogLogic(SearchDialogView& view, SearchServices services)
    : view_(view), services_(services) {}

void SearchDialogLogic::Form_Load() {
  LoadSearchHistory(view_, services_.settings);
}

void SearchDialogLogic::Form_KeyDown(int keyCode) {
  if (keyCode == kKeyEscape) ende();
}

void SearchDialogLogic::cbxSuchbegriffe_KeyPress(int keyAscii) {
  if (keyAscii == kKeyReturn) cmdSuche_Click();
}

void SearchDialogLogic::cbxSuchbegriffe_KeyUp() {
  completion_.onKeyUp(view_);
}

void SearchDialogLogic::cmdSuche_Click() {
  // A second start from inside a run's yields would run the whole search
  // nested in the first one and hand two lookups to ACT!.
  if (searchRunning_) return;
  RunningFlag running(searchRunning_);
  runSearch(view_, services_);
}

void SearchDialogLogic::cmdAbbruch_Click() {
  ende();
}

void SearchDialogLogic::cmdInfo_Click() {
  services_.informationDialog.showModal(vendorAddressText());
}

void SearchDialogLogic::Form_Unload() {
  ende();
}

void SearchDialogLogic::ende() {
  releaseActAndEnd(services_.globals, services_.programEnd);
}

}  // namespace search
