#include "startup/haupt.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/native_short_path.h"
#include "startup/window_finder.h"
#include "tests/fakes/fake_act_automation.h"
#include "tests/fakes/fake_clipboard.h"
#include "tests/fakes/fake_event_pump.h"
#include "tests/fakes/fake_message_boxes.h"
#include "tests/fakes/fake_program_end.h"
#include "tests/fakes/fake_settings_store.h"

namespace startup {
namespace {

using Journal = std::vector<std::string>;

// Everything Main does, in order: the entries of the fakes below, and the
// automation calls, taken over from the automation fake before each entry.
class Recorder {
 public:
  explicit Recorder(const fakes::FakeActAutomation& act) : act_(act) {}
  void note(std::string entry) {
    sync();
    entries_.push_back(std::move(entry));
  }
  const Journal& entries() {
    sync();
    return entries_;
  }
  void clear() {
    sync();
    entries_.clear();
  }
  std::ptrdiff_t count(const std::string& entry) {
    sync();
    return std::count(entries_.begin(), entries_.end(), entry);
  }

 private:
  void sync() {
    for (; seen_ < act_.calls().size(); ++seen_) {
      const fakes::ActCall& call = act_.calls()[seen_];
      std::string entry = call.name;
      for (std::size_t k = 0; k < call.args.size(); ++k)
        entry += (k == 0 ? " " : ",") + call.args[k];
      entries_.push_back(entry);
    }
  }
  const fakes::FakeActAutomation& act_;
  std::size_t seen_ = 0;
  Journal entries_;
};

const std::string kDatabase = std::string(SPURLIX_TEST_DATA) + "/sql/KONTAKTE.dbf";

// A registry without ACT!'s key: the web links write nothing.
class AbsentRegistry : public platform::RegistryBackend {
 public:
  explicit AbsentRegistry(Recorder& journal) : journal_(journal) {}
  platform::RegistryOpenResult openKey(platform::RegistryRootKey, std::string_view,
                                       std::uint32_t) override {
    journal_.note("registry");
    return {};
  }
  platform::RegistryQueryResult queryValueInfo(platform::RegistryKeyHandle,
                                               std::string_view) override {
    return {};
  }
  platform::RegistryQueryResult queryValueData(platform::RegistryKeyHandle, std::string_view,
                                               std::span<std::uint8_t>) override {
    return {};
  }
  platform::RegistryStatus closeKey(platform::RegistryKeyHandle) override {
    return platform::kRegistryInvalidHandle;
  }

 private:
  Recorder& journal_;
};

// The desktop: ACT!'s main window (handle 7) with the given caption, or no
// window at all.
class FakeWindowList : public common::WindowList {
 public:
  explicit FakeWindowList(Recorder& journal) : journal_(journal) {}
  void enumerate(const std::function<bool(common::WindowHandle)>& visit) override {
    journal_.note("windows");
    if (caption) visit(7);
  }
  bool isVisible(common::WindowHandle h) override { return isWindow(h); }
  bool isWindow(common::WindowHandle h) override { return caption && h == 7; }
  std::string className(common::WindowHandle h) override {
    return isWindow(h) ? "act3.0frameclass" : "";
  }
  std::int32_t titleLength(common::WindowHandle h) override {
    return isWindow(h) ? static_cast<std::int32_t>(caption->size()) : 0;
  }
  std::string title(common::WindowHandle h) override { return isWindow(h) ? *caption : ""; }

  std::optional<std::string> caption = "ACT! - Kontakte";

 private:
  Recorder& journal_;
};

class FakeInformationDialog : public info::InformationDialog {
 public:
  explicit FakeInformationDialog(Recorder& journal) : journal_(journal) {}
  void showModal(const std::string& freeText) override {
    journal_.note("information");
    shownTexts.push_back(freeText);
  }
  std::vector<std::string> shownTexts;

 private:
  Recorder& journal_;
};

class MainTest : public ::testing::Test {
 protected:
  MainTest() {
    events_.onYield = [this](int) { journal_.note("yield"); };
    act_.config().openDBName = kDatabase;
    SetWindowList(windows_);
  }

  // Runs Main; true when it ended the program.
  bool runMain() {
    try {
      Main(services_);
    } catch (const fakes::ProgramEnded&) {
      return true;
    }
    return false;
  }

  static void expectPlainBox(const common::MessageBoxRequest& box, const std::string& text,
                             common::MessageButtons buttons) {
    EXPECT_EQ(box.text, text);
    EXPECT_EQ(box.buttons, buttons);
    EXPECT_EQ(box.title, "SpurlixLight");
    EXPECT_EQ(box.icon, common::MessageIcon::None);
  }

  fakes::FakeActAutomation act_;
  Recorder journal_{act_};
  AbsentRegistry registry_{journal_};
  FakeWindowList windows_{journal_};
  FakeInformationDialog information_{journal_};
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
                            [this] { journal_.note("search dialog"); }};
};

TEST_F(MainTest, RunsEveryStepInOrderAndShowsTheSearchDialog) {
  ASSERT_FALSE(runMain());

  const Journal expected = {
      "registry",     "windows",    "windows", "CreateObject ACTOLE.APPOBJECT",
      "yield",        "yield",      "Views",   "yield",
      "yield",        "Create 1,2", "yield",   "GetOpenDBName",
      "search dialog"};
  EXPECT_EQ(journal_.entries(), expected);
  EXPECT_TRUE(boxes_.shown.empty());
  EXPECT_TRUE(globals_.ActApp && globals_.ActViews && globals_.ActView);
  ASSERT_TRUE(globals_.ActDB);
  EXPECT_TRUE(globals_.ActDB->isOpen());
  EXPECT_EQ(globals_.ActDB->DBName(), "KONTAKTE");
}

TEST_F(MainTest, MakesBothWindowSearchesAndGoesOnWhenEitherFindsAct) {
  // Which window texts match is the window finder's business; Main makes
  // both searches.
  const struct {
    const char* name;
    std::optional<std::string> caption;
    bool actFound;
  } cases[] = {
      {"title with ACT", "ACT! - Kontakte", true},
      {"title with Kundenmanager", "Kundenmanager", true},
      {"another title", "Editor", false},
      {"no windows", std::nullopt, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    globals_ = {};
    journal_.clear();
    information_.shownTexts.clear();
    windows_.caption = c.caption;

    EXPECT_EQ(runMain(), !c.actFound);

    EXPECT_EQ(journal_.count("windows"), 2);
    if (c.actFound) {
      EXPECT_EQ(journal_.entries().back(), "search dialog");
      EXPECT_TRUE(information_.shownTexts.empty());
    } else {
      // The notice, then the end: no automation object, no database.
      EXPECT_EQ(journal_.entries(), (Journal{"registry", "windows", "windows", "information"}));
      EXPECT_EQ(information_.shownTexts,
                (std::vector<std::string>{
                    "Bitte dieses Programm nur unter ACT! in der\r\nKontaktansicht aufrufen."}));
      EXPECT_FALSE(globals_.ActApp);
      EXPECT_FALSE(globals_.ActDB);
    }
  }
}

TEST_F(MainTest, EndsWhenAStepGivesNothing) {
  const struct {
    const char* name;
    std::function<void(fakes::FakeActConfig&)> configure;
    const char* message;   // Main's own message, nullptr: none
    const char* lastCall;  // the last automation call made
  } cases[] = {
      {"no application object", [](auto& act) { act.noApplication = true; },
       "OLE-Verbindung zu Act! ist nicht möglich.(App)", "CreateObject"},
      {"creating the application fails", [](auto& act) { act.failingCalls = {"CreateObject"}; },
       "OLE-Verbindung zu Act! ist nicht möglich.(App)", "CreateObject"},
      {"no views", [](auto& act) { act.noViews = true; },
       "OLE-Verbindung zu ACT! ist nicht möglich.(View)", "Views"},
      {"Views fails", [](auto& act) { act.failingCalls = {"Views"}; },
       "OLE-Verbindung zu ACT! ist nicht möglich.(View)", "Views"},
      {"GetOpenDBName fails", [](auto& act) { act.failingCalls = {"GetOpenDBName"}; }, nullptr,
       "GetOpenDBName"},
      {"a database that is not there",
       [](auto& act) { act.openDBName = "/nonexistent/KONTAKTE.dbf"; }, nullptr, "GetOpenDBName"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    globals_ = {};
    journal_.clear();
    boxes_.shown.clear();
    act_.config() = {};
    act_.config().openDBName = kDatabase;
    c.configure(act_.config());

    EXPECT_TRUE(runMain());

    ASSERT_EQ(boxes_.shown.size(), 1u);
    if (c.message != nullptr) {
      expectPlainBox(boxes_.shown[0], c.message, common::MessageButtons::Ok);
    } else {
      // init's own database error report
      EXPECT_EQ(boxes_.shown[0].text.rfind("Konnte Ihre ACT!-Datenbank nicht öffnen !", 0), 0u);
    }
    ASSERT_FALSE(act_.calls().empty());
    EXPECT_EQ(act_.calls().back().name, c.lastCall);
    EXPECT_EQ(journal_.count("search dialog"), 0);
  }
}

TEST_F(MainTest, AsksAgainForAViewAsLongAsTheUserSaysYes) {
  act_.config().refuseCreate = 3;
  ASSERT_FALSE(runMain());

  EXPECT_EQ(journal_.count("Create 1,2"), 4);
  EXPECT_EQ(journal_.count("yield"), 3 + 2 * 4);
  ASSERT_EQ(boxes_.shown.size(), 3u);
  for (const auto& box : boxes_.shown) {
    expectPlainBox(box, "Eine OLE-Verbindung zu ACT! ist nicht möglich.\r\nWeiter versuchen ?",
                   common::MessageButtons::YesNo);
  }
  EXPECT_EQ(journal_.entries().back(), "search dialog");
}

TEST_F(MainTest, EndsWhenTheUserGivesUpOnTheView) {
  act_.config().failingCalls = {"Create"};
  boxes_.answers = {common::MessageAnswer::Yes, common::MessageAnswer::Yes,
                    common::MessageAnswer::No};
  ASSERT_TRUE(runMain());

  EXPECT_EQ(journal_.count("Create 1,2"), 3);
  EXPECT_EQ(boxes_.shown.size(), 3u);
  EXPECT_EQ(journal_.count("GetOpenDBName"), 0);
  EXPECT_FALSE(globals_.ActDB);
}

}  // namespace
}  // namespace startup
