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

using fakes::Boxes;
using fakes::Journal;
using Texts = std::vector<std::string>;

const std::string kDatabase = std::string(SPURLIX_TEST_DATA) + "/sql/KONTAKTE.dbf";
const char kNotice[] = "Bitte dieses Programm nur unter ACT! in der\r\nKontaktansicht aufrufen.";

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

  // Runs Main afresh; true when it ended the program.
  bool runMain() {
    globals_ = {};
    journal_.clear();
    try {
      Main(services_);
    } catch (const fakes::ProgramEnded&) {
      return true;
    }
    return false;
  }

  Journal journal_;
  fakes::FakeActAutomation act_;
  fakes::FakeRegistry registry_;  // no ACT! key (see the constructor): no web links
  fakes::FakeWindowList windows_;
  fakes::FakeInformationDialog information_;
  fakes::FakeMessageBoxes boxes_;
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
                            [this] { journal_.push_back("search dialog"); }};
};

TEST_F(MainTest, RunsEveryStepInOrderAndShowsTheSearchDialog) {
  ASSERT_FALSE(runMain());

  EXPECT_EQ(journal_, (Journal{"windows", "windows", "CreateObject ACTOLE.APPOBJECT", "yield",
                               "yield", "Views", "yield", "yield", "Create 1,2", "yield",
                               "GetOpenDBName", "search dialog"}));
  EXPECT_TRUE(boxes_.shown.empty());
  EXPECT_TRUE(globals_.ActApp && globals_.ActViews && globals_.ActView);
  ASSERT_TRUE(globals_.ActDB);
  EXPECT_EQ(globals_.ActDB->DBName(), "KONTAKTE");
}

TEST_F(MainTest, MakesBothWindowSearchesAndGoesOnWhenEitherFindsAct) {
  // Not found: the notice, then the end, without an automation object or a database.
  for (const auto& [title, found] :
       {std::pair{"ACT! - Kontakte", true}, {"Kundenmanager", true}, {"Editor", false}}) {
    SCOPED_TRACE(title);
    information_.shownTexts.clear();
    windows_.windows[0].title = title;
    EXPECT_EQ(runMain(), !found);
    EXPECT_EQ(std::count(journal_.begin(), journal_.end(), "windows"), 2);
    EXPECT_EQ(journal_.back(), found ? "search dialog" : "windows");
    EXPECT_EQ(information_.shownTexts, found ? Texts{} : Texts{kNotice});
    EXPECT_EQ(globals_.ActDB != nullptr, found);
  }
}

TEST_F(MainTest, EndsWhenAStepGivesNothing) {
  const struct {
    const char* failingCall;
    const char* message;  // Main's own message; nullptr: init's database error report
    std::string openDBName = kDatabase;
  } cases[] = {
      {"CreateObject", "OLE-Verbindung zu Act! ist nicht möglich.(App)"},
      {"Views", "OLE-Verbindung zu ACT! ist nicht möglich.(View)"},
      {"GetOpenDBName", nullptr},
      {"", nullptr, "/nonexistent/KONTAKTE.dbf"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.failingCall);
    act_.config().failingCalls = {c.failingCall};
    act_.config().openDBName = c.openDBName;
    boxes_.shown.clear();

    EXPECT_TRUE(runMain());

    ASSERT_EQ(boxes_.shown.size(), 1u);
    if (c.message != nullptr) {
      EXPECT_EQ(boxes_.shown, Boxes{{.text = c.message}});
    } else {
      EXPECT_TRUE(boxes_.shown[0].text.starts_with("Konnte Ihre ACT!-Datenbank nicht öffnen !"));
    }
    std::erase(journal_, "yield");
    EXPECT_TRUE(journal_.back().starts_with(*c.failingCall ? c.failingCall : "GetOpenDBName"))
        << "nothing after the failing step";
    EXPECT_NE(journal_.back(), "search dialog");
  }
}

TEST_F(MainTest, AsksAgainForAViewAsLongAsTheUserSaysYes) {
  const common::MessageBoxRequest retry{
      .text = "Eine OLE-Verbindung zu ACT! ist nicht möglich.\r\nWeiter versuchen ?",
      .buttons = common::MessageButtons::YesNo};
  act_.config().refuseCreate = 3;
  ASSERT_FALSE(runMain());
  EXPECT_EQ(std::count(journal_.begin(), journal_.end(), "Create 1,2"), 4);
  EXPECT_EQ(std::count(journal_.begin(), journal_.end(), "yield"), 3 + 2 * 4);
  EXPECT_EQ(boxes_.shown, (Boxes{retry, retry, retry}));
  EXPECT_EQ(journal_.back(), "search dialog");

  // The user gives up at the third refusal.
  act_.config().failingCalls = {"Create"};
  boxes_.shown.clear();
  boxes_.answers = {common::MessageAnswer::Yes, common::MessageAnswer::Yes,
                    common::MessageAnswer::No};
  ASSERT_TRUE(runMain());
  EXPECT_EQ(std::count(journal_.begin(), journal_.end(), "Create 1,2"), 3);
  EXPECT_EQ(boxes_.shown.size(), 3u);
  EXPECT_FALSE(globals_.ActDB);
}

}  // namespace
}  // namespace startup
