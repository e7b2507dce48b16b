#pragma once
// The dialogs' events as a list of names, for the tests of a dialog on screen:
// what reached the logic for which key or click, in order.

#include <string>
#include <vector>

#include "search/search_dialog_events.h"

namespace search::testing {

using EventLog = std::vector<std::string>;

class RecordingEvents : public SearchDialogEvents {
 public:
  explicit RecordingEvents(EventLog& log) : log_(log) {}
  void Form_Load() override { log_.push_back("Load"); }
  void Form_KeyDown(int code) override { log_.push_back("KeyDown " + std::to_string(code)); }
  void cbxSuchbegriffe_KeyPress(int ascii) override {
    log_.push_back("KeyPress " + std::to_string(ascii));
  }
  void cbxSuchbegriffe_KeyUp() override { log_.push_back("KeyUp"); }
  void cmdSuche_Click() override { log_.push_back("Suche"); }
  void cmdAbbruch_Click() override { log_.push_back("Abbruch"); }
  void cmdInfo_Click() override { log_.push_back("Info"); }
  void Form_Unload() override { log_.push_back("Unload"); }

 private:
  EventLog& log_;
};

}  // namespace search::testing
