#pragma once
// Fakes for the search dialog's tests: the dialog on screen, ACT!'s view and
// the information dialog. They write what happens into one shared journal,
// so a test can check the order of status texts, yields and ACT! calls.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "common/act_automation.h"
#include "common/utf8.h"
#include "info/information_dialog.h"
#include "search/frm_suche_logic.h"
#include "search/search_dialog_view.h"
#include "tests/fakes/fake_event_pump.h"
#include "tests/fakes/fake_message_boxes.h"
#include "tests/fakes/fake_program_end.h"
#include "tests/fakes/fake_settings_store.h"

namespace search::testing {

using Journal = std::vector<std::string>;

// The dialog: the term box as text with a selection (in characters), its
// list, the status texts, progress positions and mouse pointers in order.
class FakeSearchDialogView : public SearchDialogView {
 public:
  explicit FakeSearchDialogView(Journal& journal) : journal_(journal) {}

  std::string comboText() const override { return common::utf32ToUtf8(text_); }
  void setComboText(const std::string& text) override {
    text_ = common::utf8ToUtf32(text);
    selStart_ = 0;
    selLength_ = 0;
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
  void focusCombo() override {
    ++focusCalls;
    journal_.push_back("focus");
  }
  void setStatusText(const std::string& text) override {
    statusTexts.push_back(text);
    journal_.push_back("status:" + text);
  }
  void setProgress(float position) override {
    progress.push_back(position);
    journal_.push_back("progress");
  }
  void setMousePointer(MousePointer pointer) override {
    pointers.push_back(pointer);
    journal_.push_back(pointer == MousePointer::kHourglass ? "busy" : "normal");
  }

  // The user typing: the characters replace the selection, the caret
  // follows them.
  void type(const std::string& characters) {
    const std::u32string typed = common::utf8ToUtf32(characters);
    text_.replace(static_cast<std::size_t>(selStart_), static_cast<std::size_t>(selLength_), typed);
    selStart_ += static_cast<int>(typed.size());
    selLength_ = 0;
  }
  // Backspace: removes the selection, or else the character before the caret.
  void backspace() {
    if (selLength_ == 0 && selStart_ > 0) {
      --selStart_;
      selLength_ = 1;
    }
    text_.erase(static_cast<std::size_t>(selStart_), static_cast<std::size_t>(selLength_));
    selLength_ = 0;
  }
  // Sets the text as typed from scratch, caret at its end.
  void typeAfresh(const std::string& text) {
    text_.clear();
    selStart_ = 0;
    selLength_ = 0;
    type(text);
  }
  int selectionLength() const { return selLength_; }

  std::vector<std::string> list;
  std::vector<std::string> statusTexts;
  std::vector<float> progress;
  std::vector<MousePointer> pointers;
  int focusCalls = 0;

 private:
  Journal& journal_;
  std::u32string text_;
  int selStart_ = 0;
  int selLength_ = 0;
};

// ACT!'s view: answers as configured and keeps every ID list handed to it.
class FakeActView : public common::ActView {
 public:
  explicit FakeActView(Journal& journal) : journal_(journal) {}
  ~FakeActView() override { journal_.push_back("release ActView"); }

  bool LookupAll() override {
    journal_.push_back("LookupAll");
    return lookupAllSucceeds;
  }
  std::optional<std::int32_t> CreateLookup(std::string& idList) override {
    journal_.push_back("CreateLookup");
    handedLists.push_back(idList);
    return lookupResult;
  }

  bool lookupAllSucceeds = true;
  std::optional<std::int32_t> lookupResult = 0;
  std::vector<std::string> handedLists;

 private:
  Journal& journal_;
};

class FakeActViews : public common::ActViews {
 public:
  explicit FakeActViews(Journal& journal) : journal_(journal) {}
  ~FakeActViews() override { journal_.push_back("release ActViews"); }
  std::unique_ptr<common::ActView> Create(std::int16_t, std::int16_t) override { return nullptr; }

 private:
  Journal& journal_;
};

class FakeActApplication : public common::ActApplication {
 public:
  explicit FakeActApplication(Journal& journal) : journal_(journal) {}
  ~FakeActApplication() override { journal_.push_back("release ActApp"); }
  std::unique_ptr<common::ActViews> Views() override { return nullptr; }
  std::optional<std::string> GetOpenDBName() override { return std::nullopt; }

 private:
  Journal& journal_;
};

class FakeInformationDialog : public info::InformationDialog {
 public:
  void showModal(const std::string& freeText) override { shownTexts.push_back(freeText); }
  std::vector<std::string> shownTexts;
};

// The dialog's logic over the fakes above, ACT!'s objects in place.
class SearchLogicTest : public ::testing::Test {
 protected:
  SearchLogicTest() { installActFakes(); }

  // Gives the program fresh ACT! objects, which journal their release.
  FakeActView& installActFakes() {
    auto view = std::make_unique<FakeActView>(journal_);
    FakeActView& held = *view;
    globals_.ActView = std::move(view);
    globals_.ActViews = std::make_unique<FakeActViews>(journal_);
    globals_.ActApp = std::make_unique<FakeActApplication>(journal_);
    return held;
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
  FakeSearchDialogView view_{journal_};
  fakes::FakeMessageBoxes boxes_;
  fakes::FakeEventPump events_;
  fakes::FakeSettingsStore settings_;
  fakes::FakeProgramEnd programEnd_;
  FakeInformationDialog information_;
  ProgramGlobals globals_;
  SearchDialogLogic logic_{
      view_, SearchServices{globals_, boxes_, events_, settings_, programEnd_, information_}};
};

inline std::ptrdiff_t countOf(const Journal& journal, const std::string& entry) {
  return std::count(journal.begin(), journal.end(), entry);
}

}  // namespace search::testing
