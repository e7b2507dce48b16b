// The search run against the real query class over dBase tables: the fixture
// table written by python3-dbf, and tables generated here for other counts.

#include "search/search_run.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "platform/native_short_path.h"
#include "search/search_test_util.h"
#include "tests/fakes/fake_clipboard.h"
#include "tests/fixture_ids.h"
#include "tests/scratch.h"
#include "tools/demo_data/dbf_writer.h"

namespace search {
namespace {

namespace fs = std::filesystem;
using fakes::Boxes;
using testing::countOf;
using testing::entries;
using testing::Journal;
using Texts = std::vector<std::string>;

const std::string kFixtureTable = std::string(SPURLIX_TEST_DATA) + "/sql/KONTAKTE.dbf";

// A contact's UNIQUE_ID ("" is a blank field, which reads as Null) and COMPANY.
using Contact = std::pair<std::string, std::string>;

std::string joined(const Journal& journal) {
  std::string text;
  for (const std::string& entry : journal) text += (text.empty() ? "" : "|") + entry;
  return text;
}

std::string padded(const std::string& id) {
  return id + std::string(12 - id.size(), ' ');
}

class SearchRunTest : public testing::SearchLogicTest {
 protected:
  SearchRunTest() {
    events_.onYield = [this](int count) {
      journal_.push_back("yield");
      if (onYield) onYield(count);
    };
    globals_.ActDB = std::make_unique<actdb::clActDBF>(
        actdb::ActDbServices{boxes_, settings_, clipboard_, events_, paths_});
  }

  // A contact table of our own; its path. UNIQUE_ID is wider than ACT!'s
  // twelve, to hold IDs that do not fit.
  std::string writeTable(const std::vector<Contact>& contacts) {
    const fs::path path = folder_.path() / ("T" + std::to_string(++tables_) + ".dbf");
    demo_data::DbfWriter writer(path,
                                {{"UNIQUE_ID", 'C', 16}, {"COMPANY", 'C', 40}, {"NAME", 'C', 40}},
                                static_cast<std::uint32_t>(contacts.size()));
    for (const auto& [id, company] : contacts) writer.add({id, company, "Person"});
    writer.finish();
    return path.string();
  }

  void open(const std::string& table) {
    ASSERT_TRUE(globals_.ActDB->init(table));
    events_.yields = 0;
    journal_.clear();
  }

  // Types the term and clicks the search button. True when the program ended.
  bool search(const std::string& term) {
    view_.typeAfresh(term);
    return ends([this] { logic_.cmdSuche_Click(); });
  }

  std::string storedTerm() const {
    return settings_.read("Spurlix light", "Suchbegriffe", "0", "");
  }
  std::size_t lookups() const { return entries(journal_, "CreateLookup").size(); }
  std::string lastPointer() const {
    return *std::find_if(journal_.rbegin(), journal_.rend(),
                         [](const std::string& e) { return e == "busy" || e == "normal"; });
  }

  fakes::FakeClipboard clipboard_;
  common::ShortPathResolver& paths_ = platform::nativeShortPathResolver();
  std::function<void(int)> onYield;
  test_support::ScratchFolder folder_;
  int tables_ = 0;
};

TEST_F(SearchRunTest, HandsTheHitsToActRowByRowAndRecordsTheTerm) {
  open(kFixtureTable);
  ASSERT_TRUE(search("ller"));  // rows 1 to 3

  // The third yield is the query class's own. The IDs are padded to 12
  // characters, not bytes: the third has ten, "€" among them.
  const auto& id = test_support::kFixtureIds;
  EXPECT_EQ(joined(journal_),
            "status:Suche ...|busy|yield|yield|yield|yield|busy|yield|"
            "status:Es wurden  1 Kontakte gefunden.|progress:33.3333|yield|"
            "status:Es wurden  2 Kontakte gefunden.|progress:66.6667|yield|"
            "status:Es wurden  3 Kontakte gefunden.|progress:100|yield|normal|progress:0|yield|"
            "LookupAll|busy|status:Die 3 Kontakte werden in ACT! angezeigt.|yield|"
            "CreateLookup " +
                std::string(id[1]) + id[2] + id[3] +
                "  |normal|yield|"
                "ReleaseView|ReleaseViews|ReleaseApplication");
  EXPECT_TRUE(boxes_.shown.empty());
  EXPECT_EQ(storedTerm(), "ller");
  EXPECT_EQ(view_.list.at(0), "ller");
  EXPECT_EQ(programEnd_.calls, 1);
}

TEST(SecondYieldInterval, IsNearestWholeNumberWithHalvesToEven) {
  const struct {
    std::int32_t rows, interval;
  } cases[] = {{1, 1},  {4, 1},  {5, 2},  {6, 2},  {14, 2},       {15, 2},
               {16, 3}, {25, 4}, {35, 4}, {45, 6}, {32767, 3278}, {40000, 4001}};
  for (const auto& c : cases) EXPECT_EQ(secondYieldInterval(c.rows), c.interval) << c.rows;
}

// Rows were found, but none has an ID that ACT! can take: as no hits (which
// the end-to-end tests answer Yes and No for): the question, and the dialog
// stays usable.
TEST_F(SearchRunTest, WithoutUsableHitsAsksForANewTermAndEndsOnNo) {
  const common::MessageBoxRequest ask = {
      .text = "Es wurden keine Kontakte gefunden.\r\nWollen Sie einen neuen Suchbegriff eingeben ?",
      .buttons = common::MessageButtons::YesNo,
      .foreground = true};
  open(writeTable({{"", "Odd"}, {"ABCDEFGHIJKLM", "Odd"}}));
  boxes_.answers = {common::MessageAnswer::Yes};
  ASSERT_FALSE(search("odd"));
  EXPECT_EQ(boxes_.shown, Boxes{ask});
  EXPECT_EQ(journal_.back(), "status:Es wurden keine Kontakte gefunden.");
  EXPECT_EQ(lastPointer(), "normal");
  EXPECT_EQ(view_.comboText(), "odd");
  EXPECT_FALSE(logic_.isSearchRunning());

  boxes_.answers = {common::MessageAnswer::No};
  EXPECT_TRUE(search("odd"));
  EXPECT_EQ(boxes_.shown, (Boxes{ask, ask}));
  EXPECT_TRUE(actReleased());
  EXPECT_EQ(settings_.writes, 0);
  EXPECT_EQ(countOf(journal_, "LookupAll"), 0);
}

// ACT!'s answer to the lookup: shown unless 0 or 100, the term recorded
// either way. A view that is gone or a call that fails ends the program at
// once, without the history and without releasing ACT! through ende.
TEST_F(SearchRunTest, WhatActAnswersDecidesTheEnd) {
  const common::MessageBoxRequest viewGone{.text =
                                               "OLE-Verbindung zu Act! ist nicht möglich.(CView2)"};
  const struct {
    std::int32_t result;
    const char* failingCall;  // "": none; nullptr: the view is gone before the run
    Boxes boxes;
    std::size_t lookups;
  } cases[] = {
      {0, "", {}, 1},
      {100, "", {}, 1},
      {-1, "", {{.text = "ACT OLE-Fehler Nr.-1", .foreground = true, .systemModal = true}}, 1},
      {7, "", {{.text = "ACT OLE-Fehler Nr. 7", .foreground = true, .systemModal = true}}, 1},
      {0, nullptr, {viewGone}, 0},
      {0, "LookupAll", {viewGone}, 0},
      {0, "CreateLookup", {viewGone}, 1},
  };
  open(kFixtureTable);
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.result) + " " + (c.failingCall ? c.failingCall : "no view"));
    installAct();
    act_.config().lookupResult = c.result;
    act_.config().failingCalls = {c.failingCall ? c.failingCall : ""};
    if (!c.failingCall) globals_.ActView.reset();
    boxes_.shown.clear();
    settings_.values.clear();

    ASSERT_TRUE(search("schulz"));

    EXPECT_EQ(boxes_.shown, c.boxes);
    EXPECT_EQ(lookups(), c.lookups);
    const bool viewFailed = c.boxes.size() == 1 && c.boxes[0] == viewGone;
    EXPECT_EQ(storedTerm(), viewFailed ? "" : "schulz");
    EXPECT_EQ(actReleased(), !viewFailed);
  }
}

TEST_F(SearchRunTest, EscapeDuringARunEndsItWithoutHistory) {
  open(kFixtureTable);
  for (int escapeAt : {1, 3, 5, 8, 11, 12}) {  // "mü" yields 12 times
    SCOPED_TRACE(escapeAt);
    installAct();
    events_.yields = 0;
    onYield = [&](int count) {
      if (count == escapeAt) logic_.Form_KeyDown(kKeyEscape);
    };

    ASSERT_TRUE(search("mü"));

    EXPECT_EQ(settings_.writes, 0);
    EXPECT_TRUE(actReleased());
    EXPECT_EQ(lookups(), escapeAt == 12 ? 1u : 0u);
    EXPECT_EQ(events_.yields, escapeAt);
    EXPECT_FALSE(logic_.isSearchRunning());
  }
}

// (An empty term is frm_suche_logic_test.cpp's.)
TEST_F(SearchRunTest, ARejectedQueryLeavesTheDialogUsableAndBlanksAreSearched) {
  open(kFixtureTable);
  ASSERT_FALSE(search("Me["));         // no valid LIKE pattern
  EXPECT_EQ(boxes_.shown.size(), 1u);  // the query class's own report
  EXPECT_EQ(lastPointer(), "normal");
  EXPECT_EQ(entries(journal_, "progress:"), Texts{"0"});
  EXPECT_FALSE(logic_.isSearchRunning());

  EXPECT_TRUE(search(" "));  // every company or name of two words
  EXPECT_EQ(lookups(), 1u);
  EXPECT_EQ(settings_.writes, 0);  // a term of blanks is not recorded
}

TEST_F(SearchRunTest, ClicksAndTypingDuringTheYieldsChangeNothing) {
  open(kFixtureTable);
  onYield = [&](int count) {
    EXPECT_TRUE(logic_.isSearchRunning());
    if (count == 1) logic_.cmdSuche_Click();
    if (count == 4) {
      logic_.cbxSuchbegriffe_KeyPress(kKeyReturn);
      view_.typeAfresh("Abel");
    }
  };
  ASSERT_TRUE(search("schulz"));
  EXPECT_EQ(countOf(journal_, "status:Suche ..."), 1);
  EXPECT_EQ(lookups(), 1u);
  EXPECT_EQ(storedTerm(), "schulz");  // the searched term, not the box's text
}

TEST_F(SearchRunTest, IdsThatDoNotFitAreLeftOut) {
  open(writeTable({{"K1", "Odd"},
                   {"", "Odd"},  // Null
                   {"ABCDEFGHIJKLM", "Odd"},
                   {"ABCDEFGHIJKL", "Odd"},
                   {"Ä23456789012", "Odd"},  // 12 characters, 13 bytes
                   {"K9", "Even"}}));

  ASSERT_TRUE(search("odd"));

  EXPECT_EQ(entries(journal_, "CreateLookup "),
            Texts{padded("K1") + "ABCDEFGHIJKL" + "Ä23456789012"});
  // Every row counts in the progress; the final status counts what ACT! got.
  EXPECT_EQ(entries(journal_, "progress:"), (Texts{"20", "40", "60", "80", "100", "0"}));
  const Texts statuses = entries(journal_, "status:");
  EXPECT_EQ(statuses.at(5), "Es wurden  5 Kontakte gefunden.");
  EXPECT_EQ(statuses.back(), "Die 3 Kontakte werden in ACT! angezeigt.");
}

TEST_F(SearchRunTest, MoreThanASixteenBitCountOfHitsIsHandedOverWhole) {
  constexpr int kHits = 33000;
  std::vector<Contact> contacts;
  for (int k = 1; k <= kHits; ++k) contacts.push_back({"M" + std::to_string(k), "Masse"});
  contacts.push_back({"X1", "Andere"});
  open(writeTable(contacts));

  ASSERT_TRUE(search("masse"));

  const std::string handed = entries(journal_, "CreateLookup ").at(0);
  ASSERT_EQ(handed.size(), std::size_t{kHits} * 12);
  EXPECT_EQ(handed.substr(handed.size() - 12), padded("M33000"));
  const Texts statuses = entries(journal_, "status:");
  EXPECT_EQ(statuses.at(statuses.size() - 2), "Es wurden  33000 Kontakte gefunden.");
  EXPECT_EQ(statuses.back(), "Die 33000 Kontakte werden in ACT! angezeigt.");
  // Eight yields around the loop, one per row, and a second one for every
  // row whose number is no multiple of the interval (3301 here).
  EXPECT_EQ(events_.yields, 8 + kHits + (kHits - kHits / 3301));
}

}  // namespace
}  // namespace search
