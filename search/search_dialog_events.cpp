#include "search/search_dialog_events.h"

#include "search/frm_suche_logic.h"

namespace search {
namespace {

class LogicEvents : public SearchDialogEvents {
 public:
  LogicEvents(SearchDialogView& view, SearchServices services) : logic_(view, services) {}
  void Form_Load() override { logic_.Form_Load(); }
  void Form_KeyDown(int keyCode) override { logic_.Form_KeyDown(keyCode); }
  void cbxSuchbegriffe_KeyPress(int keyAscii) override {
    logic_.cbxSuchbegriffe_KeyPress(keyAscii);
  }
  void cbxSuchbegriffe_KeyUp() override { logic_.cbxSuchbegriffe_KeyUp(); }
  void cmdSuche_Click() override { logic_.cmdSuche_Click(); }
  void cmdAbbruch_Click() override { logic_.cmdAbbruch_Click(); }
  void cmdInfo_Click() override { logic_.cmdInfo_Click(); }
  void Form_Unload() override { logic_.Form_Unload(); }

 private:
  SearchDialogLogic logic_;
};

}  // namespace

std::unique_ptr<SearchDialogEvents> makeLogicEvents(SearchDialogView& view,
                                                    SearchServices services) {
  return std::make_unique<LogicEvents>(view, services);
}

}  // namespace search
