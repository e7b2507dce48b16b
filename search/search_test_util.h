#pragma once
// The search dialog's logic over fakes. The dialog on screen and ACT! note
// what happens into one journal, so a test can check the order of status
// texts, yields and ACT! calls.

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "common/utf8.h"
#include "search/frm_suche_logic.h"
#include "search/search_dialog_view.h"
#include "tests/fakes/fake_act_automation.h"
#include "tests/fakes/fake_event_pump.h"
#include "tests/fakes/fake_information_dialog.h"
#include "tests/fakes/fake_message_boxes.h"
#include "tests/fakes/fake_program_end.h"
#include "tests/fakes/fake_settings_store.h"

namespace search::testing {

using fakes::Journal;

// The dialog: the term box as text with a selection (in characters) and its
// list; status texts, progress positions, mouse pointers and focus changes
// go into the journal ("status:Suche ...", "progress:50", "busy", "normal",
// "focus").
class FakeSearchDialogView : public SearchDialogView {
 public:
  FakeSearchDialogView() : journal_(ownJournal_) {}
  explicit FakeSearchDialogView(Journal& journal) : journal_(journal) {}

  std::string comboText() const override { return common::utf32ToUtf8(text_); }
  void setComboText(const std::string& text) override {
    text_ = common::utf8ToUtf32(text);
    setSelection(0, 0);
  }
  int selectionStart() const override { return selStart_; }
  void setSelection(int start, int length) override {
    selStart_ = start;
    selLength_ = length;
  }
  int listCount() const override { return static_cast<int>(list.size()); }
  std::string listItem(int index) const override {
    return list.at(static_cast<std::size_t>(index));
  }
  void addListItem(const std::string& text) override { list.push_back(text); }
  void setListItem(int index, const std::string& text) override {
    list.at(static_cast<std::size_t>(index)) = text;
  }
  void focusCombo() override { journal_.push_back("focus"); }
  void setStatusText(const std::string& text) override { journal_.push_back("status:" + text); }
  void setProgress(float position) override {
    std::ostringstream entry;
    entry << "progress:" << position;
    journal_.push_back(entry.str());
  }
  void setMousePointer(MousePointer pointer) override {
    journal_.push_back(pointer == MousePointer::kHourglass ? "busy" : "normal");
  }

  // The user typing: the characters replace the selection, the caret
  // follows them.
  void type(const std::string& characters) {
    const std::u32string typed = common::utf8ToUtf32(characters);
    text_.replace(static_cast<std::size_t>(selStart_), static_cast<std::size_t>(selLength_), typed);
    setSelection(selStart_ + static_cast<int>(typed.size()), 0);
  }
  // Backspace: removes the selection, or else the character before the caret.
  void backspace() {
    if (selLength_ == 0 && selStart_ > 0) setSelection(selStart_ - 1, 1);
    text_.erase(static_cast<std::size_t>(selStart_), static_cast<std::size_t>(selLength_));
    selLength_ = 0;
  }
  // The text as typed into an emptied box, the caret at its end.
  void typeAfresh(const std::string& text) {
    setComboText("");
    type(text);
  }
  int selectionLength() const { return selLength_; }

  std::vector<std::string> list;

 private:
  Journal ownJournal_;
  Journal& journal_;
  std::u32string text_;
  int selStart_ = 0;
  int selLength_ = 0;
};

// The journal's entries that start with `prefix`, without it.
inline std::vector<std::string> entries(const Journal& journal, const std::string& prefix) {
  std::vector<std::string> found;
  for (const std::string& entry : journal) {
    if (entry.starts_with(prefix)) found.push_back(entry.substr(prefix.size()));
  }
  return found;
}

inline std::ptrdiff_t countOf(const Journal& journal, const std::string& entry) {
  return std::count(journal.begin(), journal.end(), entry);
}

// The dialog's logic over the fakes above, ACT!'s objects in place.
class SearchLogicTest : public ::testing::Test {
 protected:
  SearchLogicTest() {
    act_.config().journal = &journal_;
    installAct();
  }

  // Gives the program fresh ACT! objects and starts a fresh journal.
  void installAct() {
    globals_.ActApp = act_.CreateObject("ACTOLE.APPOBJECT");
    globals_.ActViews = globals_.ActApp->Views();
    globals_.ActView = globals_.ActViews->Create(1, 2);
    journal_.clear();
  }

  // Runs a handler; true when it ended the program.
  template <typename Handler>
  static bool ends(Handler handler) {
    try {
      handler();
    } catch (const fakes::ProgramEnded&) {
      return true;
    }
    return false;
  }

  bool actReleased() const { return !globals_.ActView && !globals_.ActViews && !globals_.ActApp; }

  Journal journal_;
  fakes::FakeActAutomation act_;
  FakeSearchDialogView view_{journal_};
  fakes::FakeMessageBoxes boxes_;
  fakes::FakeEventPump events_;
  fakes::FakeSettingsStore settings_;
  fakes::FakeProgramEnd programEnd_;
  fakes::FakeInformationDialog information_;
  ProgramGlobals globals_;
  SearchDialogLogic logic_{
      view_, SearchServices{globals_, boxes_, events_, settings_, programEnd_, information_}};
};

}  // namespace search::testing
