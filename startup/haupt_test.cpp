#include "startup/haupt.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/native_short_path.h"
#include "startup/window_finder.h"
#include "tests/fakes/fake_act_automation.h"
#include "tests/fakes/fake_clipboard.h"
#include "tests/fakes/fake_event_pump.h"
#include "tests/fakes/fake_information_dialog.h"
#include "tests/fakes/fake_message_boxes.h"
#include "tests/fakes/fake_program_end.h"
#include "tests/fakes/fake_registry.h"
#include "tests/fakes/fake_settings_store.h"
#include "tests/fakes/fake_window_list.h"

namespace startup {
namespace {

using fakes::Journal;
using Texts = std::vector<std::string>;

const std::string kDatabase = std::string(SPURLIX_TEST_DATA) + "/sql/KONTAKTE.dbf";
const char kNotice[] = "Bitte dieses Programm nur unter ACT! in der\r\nKontaktansicht aufrufen.";

// Message boxes noted in the journal too, by their first line.
class JournalingBoxes : public fakes::FakeMessageBoxes {
 public:
  explicit JournalingBoxes(Journal& journal) : journal_(journal) {}
  common::MessageAnswer show(const common::MessageBoxRequest& request) override {
    journal_.push_back("box " + request.text.substr(0, request.text.find('\r')));
    return FakeMessageBoxes::show(request);
  }

 private:
  Journal& journal_;
};

class MainTest : public ::testing::Test {
 protected:
  MainTest() {
    events_.onYield = [this](int) { journal_.push_back("yield"); };
    act_.config().openDBName = kDatabase;
    act_.config().journal = &journal_;
    windows_.journal = &journal_;
    windows_.windows = {{7, true, "act3.0frameclass", "ACT! - Kontakte"}};
    SetWindowList(windows_);
    registry_.openStatus = platform::kRegistryNotFound;
  }

  // Runs Main afresh; true when it ended the program. Without the yields
  // unless asked for.
  bool runMain(bool keepYields = false) {
    globals_ = {};
    journal_.clear();
    bool ended = false;
    try {
      Main(services_);
    } catch (const fakes::ProgramEnded&) {
      ended = true;
    }
    if (!keepYields) std::erase(journal_, "yield");
    return ended;
  }

  Journal journal_;
  fakes::FakeActAutomation act_;
  fakes::FakeRegistry registry_;  // no ACT! key (see the constructor): no web links
  fakes::FakeWindowList windows_;
  fakes::FakeInformationDialog information_;
  JournalingBoxes boxes_{journal_};
  fakes::FakeEventPump events_;
  fakes::FakeProgramEnd programEnd_;
  fakes::FakeSettingsStore settings_;
  fakes::FakeClipboard clipboard_;
  common::ShortPathResolver& paths_ = platform::nativeShortPathResolver();
  search::ProgramGlobals globals_;
  StartupServices services_{registry_,
                            boxes_,
                            act_,
                            events_,
                            programEnd_,
                            information_,
                            globals_,
                            {boxes_, settings_, clipboard_, events_, paths_},
                            [this] { journal_.push_back("dialog built"); },
                            [this] { journal_.push_back("dialog shown"); }};
};

// The search dialog is built while ACT! makes its application object, and
// shown last, once the database is open.
TEST_F(MainTest, RunsEveryStepInOrderAndShowsTheSearchDialogBuiltMeanwhile) {
  ASSERT_FALSE(runMain(true));

  EXPECT_EQ(journal_, (Journal{"windows", "windows", "CreateObject ACTOLE.APPOBJECT",
                               "dialog built", "yield", "yield", "Views", "yield", "yield",
                               "Create 1,2", "yield", "GetOpenDBName", "dialog shown"}));
  EXPECT_TRUE(boxes_.shown.empty());
  EXPECT_TRUE(globals_.ActApp && globals_.ActViews && globals_.ActView);
  ASSERT_TRUE(globals_.ActDB);
  EXPECT_EQ(globals_.ActDB->DBName(), "KONTAKTE");
}

TEST_F(MainTest, MakesBothWindowSearchesAndGoesOnWhenEitherFindsAct) {
  // Not found: the notice, then the end, before any call to ACT! and before
  // the search dialog is built.
  for (const auto& [title, found] :
       {std::pair{"ACT! - Kontakte", true}, {"Kundenmanager", true}, {"Editor", false}}) {
    SCOPED_TRACE(title);
    information_.shownTexts.clear();
    windows_.windows[0].title = title;
    EXPECT_EQ(runMain(), !found);
    EXPECT_EQ(std::count(journal_.begin(), journal_.end(), "windows"), 2);
    EXPECT_EQ(journal_.back(), found ? "dialog shown" : "windows");
    EXPECT_EQ(information_.shownTexts, found ? Texts{} : Texts{kNotice});
    EXPECT_EQ(globals_.ActDB != nullptr, found);
  }
}

// Each failure shows its message where it always did, with the search
// dialog built but never shown, and ends the program there.
TEST_F(MainTest, EndsWhenAStepGivesNothingWithoutShowingTheSearchDialog) {
  const Journal start = {"windows", "windows", "CreateObject ACTOLE.APPOBJECT", "dialog built"};
  const Journal toTheDatabase = {"Views", "Create 1,2", "GetOpenDBName",
                                 "box Konnte Ihre ACT!-Datenbank nicht öffnen !"};
  const struct {
    const char* failingCall;
    Journal after;  // what follows the start
    std::string openDBName = kDatabase;
  } cases[] = {
      {"CreateObject", {"box OLE-Verbindung zu Act! ist nicht möglich.(App)"}},
      {"Views", {"Views", "box OLE-Verbindung zu ACT! ist nicht möglich.(View)"}},
      {"GetOpenDBName", toTheDatabase},
      {"", toTheDatabase, "/nonexistent/KONTAKTE.dbf"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.failingCall);
    act_.config().failingCalls = {c.failingCall};
    act_.config().openDBName = c.openDBName;

    EXPECT_TRUE(runMain());

    Journal expected = start;
    expected.insert(expected.end(), c.after.begin(), c.after.end());
    EXPECT_EQ(journal_, expected);
    EXPECT_EQ(boxes_.shown.back().buttons, common::MessageButtons::Ok);
  }
}

TEST_F(MainTest, AsksAgainForAViewAsLongAsTheUserSaysYes) {
  const Journal refused = {"Create 1,2", "box Eine OLE-Verbindung zu ACT! ist nicht möglich."};
  act_.config().refuseCreate = 2;
  ASSERT_FALSE(runMain(true));
  EXPECT_EQ(std::count(journal_.begin(), journal_.end(), "yield"), 3 + 2 * 3);
  std::erase(journal_, "yield");
  Journal expected = {"windows", "windows", "CreateObject ACTOLE.APPOBJECT", "dialog built",
                      "Views"};
  for (int i = 0; i < 2; ++i) expected.insert(expected.end(), refused.begin(), refused.end());
  expected.insert(expected.end(), {"Create 1,2", "GetOpenDBName", "dialog shown"});
  EXPECT_EQ(journal_, expected);
  EXPECT_EQ(boxes_.shown[0].buttons, common::MessageButtons::YesNo);
  EXPECT_EQ(boxes_.shown[0].text,
            "Eine OLE-Verbindung zu ACT! ist nicht möglich.\r\nWeiter versuchen ?");

  // The user gives up at the third refusal.
  act_.config().failingCalls = {"Create"};
  boxes_.answers = {common::MessageAnswer::Yes, common::MessageAnswer::Yes,
                    common::MessageAnswer::No};
  ASSERT_TRUE(runMain());
  EXPECT_EQ(std::count(journal_.begin(), journal_.end(), "Create 1,2"), 3);
  EXPECT_EQ(journal_.back(), refused.back());
  EXPECT_EQ(std::count(journal_.begin(), journal_.end(), "dialog built"), 1);
  EXPECT_FALSE(globals_.ActDB);
}

}  // namespace
}  // namespace startup
