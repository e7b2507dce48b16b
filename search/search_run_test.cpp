// The search run against the real query class over dBase tables: the fixture
// table written by python3-dbf, and tables generated here for other counts.

#include "search/search_run.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/native_short_path.h"
#include "search/search_test_util.h"
#include "tests/fakes/fake_clipboard.h"
#include "tools/demo_data/dbf_writer.h"

namespace search {
namespace {

namespace fs = std::filesystem;
using testing::countOf;
using testing::FakeActView;
using testing::Journal;

const std::string kFixtureTable = std::string(SPURLIX_TEST_DATA) + "/sql/KONTAKTE.dbf";

struct Contact {
  std::string id;  // "" is a blank field, which reads as Null
  std::string company;
};

// A contact table of our own, in a folder removed with the test.
class GeneratedTable {
 public:
  explicit GeneratedTable(const std::vector<Contact>& contacts) {
    folder_ = fs::temp_directory_path() /
              ("spurlix-search-" + std::to_string(::getpid()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(folder_);
    // UNIQUE_ID wider than ACT!'s twelve, to hold IDs that do not fit.
    demo_data::DbfWriter writer(folder_ / "KONTAKTE.dbf",
                                {{"UNIQUE_ID", 'C', 16}, {"COMPANY", 'C', 40}, {"NAME", 'C', 40}},
                                static_cast<std::uint32_t>(contacts.size()));
    for (const Contact& c : contacts) writer.add({c.id, c.company, "Person"});
    writer.finish();
  }
  ~GeneratedTable() { fs::remove_all(folder_); }
  GeneratedTable(const GeneratedTable&) = delete;
  GeneratedTable& operator=(const GeneratedTable&) = delete;

  std::string path() const { return (folder_ / "KONTAKTE.dbf").string(); }

 private:
  fs::path folder_;
};

// `count` contacts of the company `company`, IDs prefix1, prefix2, ...
std::vector<Contact> contactsOf(const std::string& company, int count, const std::string& prefix) {
  std::vector<Contact> contacts;
  for (int k = 1; k <= count; ++k) contacts.push_back({prefix + std::to_string(k), company});
  return contacts;
}

// The entries joined with '|'.
std::string joined(const Journal& journal) {
  std::string text;
  for (std::size_t k = 0; k < journal.size(); ++k) text += (k == 0 ? "" : "|") + journal[k];
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

  // The ID list handed to ACT!, kept from the yields before ende releases the view.
  const std::string& keepHandedList() {
    onYield = [this](int) {
      if (globals_.ActView && !actView().handedLists.empty()) handed_ = actView().handedLists[0];
    };
    return handed_;
  }
  FakeActView& actView() { return static_cast<FakeActView&>(*globals_.ActView); }

  std::vector<std::string> storedHistory() const {
    std::vector<std::string> keys;
    for (int k = 0; k < kHistorySize; ++k) {
      keys.push_back(settings_.read("Spurlix light", "Suchbegriffe", std::to_string(k), ""));
    }
    return keys;
  }

  fakes::FakeClipboard clipboard_;
  common::ShortPathResolver& paths_ = platform::nativeShortPathResolver();
  std::function<void(int)> onYield;
  std::string handed_;
};

TEST_F(SearchRunTest, OneHitIsHandedToActInOrder) {
  open(kFixtureTable);
  ASSERT_TRUE(search("schulz"));

  // The third yield is the query class's own.
  EXPECT_EQ(joined(journal_),
            "status:Suche ...|busy|yield|yield|yield|yield|busy|yield|"
            "status:Es wurden  1 Kontakte gefunden.|progress|yield|normal|progress|yield|"
            "LookupAll|busy|status:Die 1 Kontakte werden in ACT! angezeigt.|yield|CreateLookup|"
            "normal|yield|release ActView|release ActViews|release ActApp");
  EXPECT_EQ(view_.progress, (std::vector<float>{100.0f, 0.0f}));
  EXPECT_TRUE(boxes_.shown.empty());
  EXPECT_EQ(storedHistory()[0], "schulz");
  EXPECT_EQ(view_.list.at(0), "schulz");
  EXPECT_TRUE(actReleased());
  EXPECT_EQ(programEnd_.calls, 1);
}

TEST_F(SearchRunTest, HandsEveryIdPaddedAndShowsProgressInFractionsOfTheRowCount) {
  open(kFixtureTable);
  const std::string& handed = keepHandedList();
  ASSERT_TRUE(search("ller"));  // rows 1 to 3
  ASSERT_EQ(countOf(journal_, "CreateLookup"), 1);
  EXPECT_EQ(handed, padded("A00000000001") + padded("A00000000002") + padded("A00000000003"));
  EXPECT_EQ(view_.progress, (std::vector<float>{static_cast<float>(100.0 / 3.0),
                                                static_cast<float>(200.0 / 3.0), 100.0f, 0.0f}));
  EXPECT_EQ(view_.statusTexts,
            (std::vector<std::string>{
                "Suche ...", "Es wurden  1 Kontakte gefunden.", "Es wurden  2 Kontakte gefunden.",
                "Es wurden  3 Kontakte gefunden.", "Die 3 Kontakte werden in ACT! angezeigt."}));
}

TEST(SecondYieldInterval, IsNearestWholeNumberWithHalvesToEven) {
  const struct {
    std::int32_t rows, interval;
  } cases[] = {{1, 1},  {4, 1},  {5, 2},  {6, 2},  {14, 2},       {15, 2},
               {16, 3}, {25, 4}, {35, 4}, {45, 6}, {32767, 3278}, {40000, 4001}};
  for (const auto& c : cases) EXPECT_EQ(secondYieldInterval(c.rows), c.interval) << c.rows;
}

TEST_F(SearchRunTest, YieldsOnceOrTwicePerRow) {
  std::vector<Contact> contacts = contactsOf("Kappa", 1, "K");
  for (auto group :
       {contactsOf("Lambda", 4, "L"), contactsOf("Sigma", 5, "S"), contactsOf("Omega", 25, "O")}) {
    contacts.insert(contacts.end(), group.begin(), group.end());
  }
  GeneratedTable table(contacts);
  const struct {
    const char* term;
    int yields;  // 8 around the loop (one of them the query's), n in it, plus the second ones
  } cases[] = {{"kappa", 8 + 1}, {"lambda", 8 + 4}, {"sigma", 8 + 5 + 3}, {"omega", 8 + 25 + 19}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.term);
    installActFakes();
    open(table.path());
    ASSERT_TRUE(search(c.term));
    EXPECT_EQ(events_.yields, c.yields);
  }
}

TEST_F(SearchRunTest, NoHitsAsksForANewTermAndEndsWithoutHistoryWhenNoneIsWanted) {
  open(kFixtureTable);
  boxes_.answers = {common::MessageAnswer::Yes};
  ASSERT_FALSE(search("xyzq"));

  ASSERT_EQ(boxes_.shown.size(), 1u);
  const common::MessageBoxRequest& box = boxes_.shown[0];
  EXPECT_EQ(box.text,
            "Es wurden keine Kontakte gefunden.\r\nWollen Sie einen neuen Suchbegriff eingeben ?");
  EXPECT_EQ(box.buttons, common::MessageButtons::YesNo);
  EXPECT_EQ(box.title, "SpurlixLight");
  EXPECT_EQ(box.icon, common::MessageIcon::None);
  EXPECT_TRUE(box.foreground);
  EXPECT_FALSE(box.systemModal);
  EXPECT_EQ(view_.statusTexts.back(), "Es wurden keine Kontakte gefunden.");
  EXPECT_EQ(view_.pointers.back(), MousePointer::kDefault);
  EXPECT_EQ(view_.comboText(), "xyzq");
  EXPECT_EQ(settings_.writes, 0);
  EXPECT_EQ(countOf(journal_, "LookupAll"), 0);
  EXPECT_FALSE(logic_.isSearchRunning());

  // The dialog stays usable: the term is searched again, and now no new term is wanted.
  boxes_.answers = {common::MessageAnswer::No};
  EXPECT_TRUE(search("xyzq"));
  EXPECT_EQ(boxes_.shown.size(), 2u);
  EXPECT_TRUE(actReleased());
  EXPECT_EQ(settings_.writes, 0);
  EXPECT_EQ(countOf(journal_, "LookupAll"), 0);
}

TEST_F(SearchRunTest, LookupResultsOtherThanZeroAndHundredAreShown) {
  const struct {
    std::int32_t result;
    const char* message;  // nullptr: no message
  } cases[] = {{0, nullptr},
               {100, nullptr},
               {-1, "ACT OLE-Fehler Nr.-1"},
               {7, "ACT OLE-Fehler Nr. 7"},
               {-2147483647 - 1, "ACT OLE-Fehler Nr.-2147483648"}};
  open(kFixtureTable);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.result);
    installActFakes().lookupResult = c.result;
    boxes_.shown.clear();
    settings_.values.clear();

    ASSERT_TRUE(search("schulz"));

    if (c.message == nullptr) {
      EXPECT_TRUE(boxes_.shown.empty());
    } else {
      ASSERT_EQ(boxes_.shown.size(), 1u);
      EXPECT_EQ(boxes_.shown[0].text, c.message);
      EXPECT_EQ(boxes_.shown[0].buttons, common::MessageButtons::Ok);
      EXPECT_EQ(boxes_.shown[0].title, "SpurlixLight");
      EXPECT_TRUE(boxes_.shown[0].systemModal);
      EXPECT_TRUE(boxes_.shown[0].foreground);
    }
    EXPECT_EQ(storedHistory()[0], "schulz");  // saved in every case
    EXPECT_TRUE(actReleased());
  }
}

TEST_F(SearchRunTest, AViewThatIsGoneOrFailsEndsWithoutHistory) {
  const struct {
    const char* name;
    bool viewHeld;
    bool lookupAllSucceeds;
    std::optional<std::int32_t> lookupResult;
    long createLookupCalls;
  } cases[] = {
      {"no view", false, true, 0, 0},
      {"LookupAll fails", true, false, 0, 0},
      {"CreateLookup fails", true, true, std::nullopt, 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    FakeActView& view = installActFakes();
    view.lookupAllSucceeds = c.lookupAllSucceeds;
    view.lookupResult = c.lookupResult;
    if (!c.viewHeld) globals_.ActView.reset();
    open(kFixtureTable);
    boxes_.shown.clear();

    ASSERT_TRUE(search("schulz"));

    ASSERT_EQ(boxes_.shown.size(), 1u);
    EXPECT_EQ(boxes_.shown[0].text, "OLE-Verbindung zu Act! ist nicht möglich.(CView2)");
    EXPECT_EQ(boxes_.shown[0].buttons, common::MessageButtons::Ok);
    EXPECT_EQ(boxes_.shown[0].icon, common::MessageIcon::None);
    EXPECT_EQ(countOf(journal_, "CreateLookup"), c.createLookupCalls);
    EXPECT_EQ(settings_.writes, 0);
    EXPECT_TRUE(globals_.ActApp);  // ended at once, not through ende
  }
}

TEST_F(SearchRunTest, EscapeDuringARunEndsItWithoutHistory) {
  open(kFixtureTable);
  for (int escapeAt : {1, 3, 5, 8, 11, 12}) {  // "mü" yields 12 times
    SCOPED_TRACE(escapeAt);
    installActFakes();
    events_.yields = 0;
    journal_.clear();
    onYield = [&](int count) {
      if (count == escapeAt) logic_.Form_KeyDown(kKeyEscape);
    };

    ASSERT_TRUE(search("mü"));

    EXPECT_EQ(settings_.writes, 0);
    EXPECT_TRUE(actReleased());
    EXPECT_EQ(countOf(journal_, "CreateLookup"), escapeAt == 12 ? 1 : 0);
    EXPECT_EQ(events_.yields, escapeAt);
    EXPECT_FALSE(logic_.isSearchRunning());
  }
}

TEST_F(SearchRunTest, EmptyTermOnlyMovesTheFocus) {
  open(kFixtureTable);
  ASSERT_FALSE(search(""));
  EXPECT_EQ(journal_, (Journal{"status:Suche ...", "focus"}));
  EXPECT_TRUE(boxes_.shown.empty());
}

TEST_F(SearchRunTest, TermOfBlanksIsSearchedButNotRecorded) {
  open(kFixtureTable);
  ASSERT_TRUE(search(" "));  // every company or name of two words
  EXPECT_EQ(countOf(journal_, "CreateLookup"), 1);
  EXPECT_EQ(settings_.writes, 0);
}

TEST_F(SearchRunTest, RejectedQueryLeavesTheDialogUsable) {
  open(kFixtureTable);
  ASSERT_FALSE(search("Me["));  // no valid LIKE pattern

  ASSERT_EQ(boxes_.shown.size(), 1u);  // the query class's own report
  EXPECT_EQ(view_.pointers.back(), MousePointer::kDefault);
  EXPECT_EQ(view_.progress, (std::vector<float>{0.0f}));
  EXPECT_EQ(settings_.writes, 0);
  EXPECT_FALSE(logic_.isSearchRunning());
  EXPECT_TRUE(search("schulz"));
}

TEST_F(SearchRunTest, ASecondStartDuringTheYieldsIsIgnored) {
  open(kFixtureTable);
  onYield = [&](int count) {
    EXPECT_TRUE(logic_.isSearchRunning());
    if (count == 1) logic_.cmdSuche_Click();
    if (count == 4) logic_.cbxSuchbegriffe_KeyPress(kKeyReturn);
  };
  ASSERT_TRUE(search("mü"));
  EXPECT_EQ(countOf(journal_, "status:Suche ..."), 1);
  EXPECT_EQ(countOf(journal_, "CreateLookup"), 1);
}

TEST_F(SearchRunTest, HistoryRecordsTheSearchedTermWhenTheBoxChangedMeanwhile) {
  open(kFixtureTable);
  onYield = [&](int count) {
    if (count == 4) view_.typeAfresh("Abel");
  };
  ASSERT_TRUE(search("schulz"));
  EXPECT_EQ(storedHistory()[0], "schulz");
}

TEST_F(SearchRunTest, IdsThatDoNotFitAreLeftOut) {
  GeneratedTable table({{"K1", "Odd"},
                        {"", "Odd"},  // Null
                        {"ABCDEFGHIJKLM", "Odd"},
                        {"ABCDEFGHIJKL", "Odd"},
                        {"Ä23456789012", "Odd"},  // 12 characters, 13 bytes
                        {"K9", "Even"}});
  open(table.path());
  const std::string& handed = keepHandedList();

  ASSERT_TRUE(search("odd"));

  EXPECT_EQ(handed, padded("K1") + "ABCDEFGHIJKL" + "Ä23456789012");
  // Every row counts in the progress; the final status counts what ACT! got.
  EXPECT_EQ(view_.progress, (std::vector<float>{20.0f, 40.0f, 60.0f, 80.0f, 100.0f, 0.0f}));
  EXPECT_EQ(view_.statusTexts.at(5), "Es wurden  5 Kontakte gefunden.");
  EXPECT_EQ(view_.statusTexts.back(), "Die 3 Kontakte werden in ACT! angezeigt.");
}

TEST_F(SearchRunTest, RowsWithoutAnyUsableIdEndLikeNoHits) {
  GeneratedTable table({{"", "Odd"}, {"ABCDEFGHIJKLM", "Odd"}});
  open(table.path());
  boxes_.answers = {common::MessageAnswer::Yes};

  ASSERT_FALSE(search("odd"));

  EXPECT_EQ(countOf(journal_, "LookupAll"), 0);
  ASSERT_EQ(boxes_.shown.size(), 1u);
  EXPECT_EQ(boxes_.shown[0].buttons, common::MessageButtons::YesNo);
  EXPECT_EQ(view_.statusTexts.back(), "Es wurden keine Kontakte gefunden.");
  EXPECT_EQ(settings_.writes, 0);
}

TEST_F(SearchRunTest, MoreThanASixteenBitCountOfHitsIsHandedOverWhole) {
  constexpr int kHits = 33000;
  std::vector<Contact> contacts = contactsOf("Masse", kHits, "M");
  contacts.push_back({"X1", "Andere"});
  GeneratedTable table(contacts);
  open(table.path());
  const std::string& handed = keepHandedList();

  ASSERT_TRUE(search("masse"));

  ASSERT_EQ(handed.size(), std::size_t{kHits} * 12);
  EXPECT_EQ(handed.substr(handed.size() - 12), padded("M33000"));
  EXPECT_EQ(view_.statusTexts.at(view_.statusTexts.size() - 2),
            "Es wurden  33000 Kontakte gefunden.");
  EXPECT_EQ(view_.statusTexts.back(), "Die 33000 Kontakte werden in ACT! angezeigt.");
}

}  // namespace
}  // namespace search
