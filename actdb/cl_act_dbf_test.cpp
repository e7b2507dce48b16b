// The query class against real table files written by an independent writer
// (tests/data/sql, see its README.txt), with fakes for the user interface.

#include "actdb/cl_act_dbf.h"

#include <gtest/gtest.h>

#include "platform/native_short_path.h"
#include "tests/fakes/fake_clipboard.h"
#include "tests/fakes/fake_event_pump.h"
#include "tests/fakes/fake_message_boxes.h"
#include "tests/fakes/fake_settings_store.h"
#include "tests/fixture_ids.h"

namespace actdb {

namespace {

using Ids = std::vector<std::string>;

const std::string kFolder = std::string(SPURLIX_TEST_DATA) + "/sql";
const std::string kReportStart = "Konnte Ihre ACT!-Datenbank nicht öffnen !\r\nError #";

class ClActDbf : public ::testing::Test {
 protected:
  // Opens the fixture database; the message boxes are then still empty.
  void open() {
    ASSERT_TRUE(db.init(kFolder + "/KONTAKTE.dbf"));
    ASSERT_TRUE(boxes.shown.empty());
  }

  // The UNIQUE_IDs of a result, walked the way the search run walks it.
  static Ids ids(dbengine::Recordset& rows) {
    Ids out;
    if (rows.RecordCount() == 0) return out;
    rows.MoveLast(0);
    const std::int32_t n = rows.RecordCount();
    rows.MoveFirst();
    for (std::int32_t i = 0; i < n; ++i, rows.MoveNext()) {
      out.push_back(rows.fields().Item("UNIQUE_ID").Value().toText());
    }
    return out;
  }

  // The one box shown, its text cut after `prefix` when the text starts so.
  common::MessageBoxRequest onlyBoxCutAfter(const std::string& prefix) {
    EXPECT_EQ(boxes.shown.size(), 1u);
    common::MessageBoxRequest box =
        boxes.shown.empty() ? common::MessageBoxRequest{} : boxes.shown[0];
    if (box.text.starts_with(prefix)) box.text.resize(prefix.size());
    boxes.shown.clear();
    return box;
  }

  std::string sqlOf(const std::string& fields, const std::string& shown, const std::string& term,
                    bool firstOnly) {
    settings.values[{"Spurlix light", "Debug", "Debug"}] = "Debug";
    db.Suche(fields, shown, term, "OR", firstOnly);
    return clipboard.text;
  }

  fakes::FakeMessageBoxes boxes;
  fakes::FakeSettingsStore settings;
  fakes::FakeClipboard clipboard;
  fakes::FakeEventPump events;
  common::ShortPathResolver& paths = platform::nativeShortPathResolver();
  clActDBF db{{boxes, settings, clipboard, events, paths}};
};

TEST_F(ClActDbf, InitOpensTheFolderOfTheDatabaseFileAndKillClosesIt) {
  open();
  EXPECT_EQ(db.DBName(), "KONTAKTE");
  EXPECT_EQ(db.DBOrdner(), paths.shortPathOf(kFolder));
  db.kill();
  EXPECT_FALSE(db.isOpen());
  db.kill();  // a second kill is harmless
}

TEST_F(ClActDbf, InitReportsMissingOrUnusablePathsAsFileNotFound) {
  // The folder itself: a name shorter than the four-character ending.
  for (const std::string& path :
       {kFolder + "/FEHLT.dbf", kFolder, std::string(), std::string("/")}) {
    EXPECT_FALSE(db.init(path)) << path;
    EXPECT_EQ(onlyBoxCutAfter(kReportStart + " 3024 () "),
              common::MessageBoxRequest{.text = kReportStart + " 3024 () "})
        << path;
    EXPECT_FALSE(db.isOpen());
  }
}

TEST_F(ClActDbf, SucheBuildsTheFragmentQuery) {
  open();
  EXPECT_EQ(sqlOf("COMPANY,NAME", "", "mü", false),
            "SELECT [KONTAKTE].COMPANY, [KONTAKTE].NAME, [KONTAKTE].UNIQUE_ID FROM [KONTAKTE] "
            "WHERE [KONTAKTE].COMPANY LIKE '*[mM][üÜ]*' OR [KONTAKTE].NAME LIKE '*[mM][üÜ]*'");
  EXPECT_EQ(sqlOf("COMPANY,NAME", "", "mü", true),
            "SELECT [KONTAKTE].COMPANY, [KONTAKTE].NAME, [KONTAKTE].UNIQUE_ID FROM [KONTAKTE] "
            "WHERE [KONTAKTE].COMPANY LIKE '*[mM][üÜ]*'");
  EXPECT_EQ(sqlOf("NAME", " CITY , STATE ", "", false),
            "SELECT [KONTAKTE].NAME, [KONTAKTE].CITY, [KONTAKTE].STATE, [KONTAKTE].UNIQUE_ID "
            "FROM [KONTAKTE] WHERE [KONTAKTE].NAME LIKE '**'");
  EXPECT_EQ(sqlOf("", "", "a", false),
            "SELECT [KONTAKTE].UNIQUE_ID FROM [KONTAKTE] WHERE [KONTAKTE]. LIKE '*[aA]*'");
  // Only the exact switch puts the text on the clipboard.
  for (const char* value : {"debug", "Debug "}) {
    settings.values[{"Spurlix light", "Debug", "Debug"}] = value;
    clipboard.text = "untouched";
    db.Suche("COMPANY,NAME", "", "mü", "OR", false);
    EXPECT_EQ(clipboard.text, "untouched") << value;
  }
}

// The pattern and the engine in detail are text_rules_test.cpp and the
// engine's tests; here they together, through the query class.
TEST_F(ClActDbf, SucheFindsTheFragmentAnywhereInAnyCase) {
  open();
  const auto records = [](std::initializer_list<int> numbers) {
    Ids out;
    for (int n : numbers) out.push_back(test_support::kFixtureIds[n]);
    return out;
  };
  const std::tuple<const char*, const char*, Ids> cases[] = {
      {"COMPANY,NAME", "mü", records({1, 2, 3, 7})},
      {"COMPANY,NAME", "O'Neil", records({4})},
      {"COMPANY,NAME", "me?er", records({5, 6})},
      // An empty fragment finds every row with a value: one company is blank.
      {"COMPANY", "", records({1, 2, 3, 4, 5, 6, 9})},
  };
  for (const auto& [fields, fragment, expected] : cases) {
    auto rows = db.Suche(fields, "", fragment, "OR", false);
    ASSERT_TRUE(rows) << fragment;
    EXPECT_EQ(ids(*rows), expected) << fragment;
  }
  EXPECT_EQ(db.Suche("COMPANY,NAME", "", "", "OR", false)->RecordCount(), 8);
  EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(ClActDbf, RejectedQueriesAndAMissingDatabaseReportAndGiveNoRows) {
  EXPECT_EQ(db.Suche("COMPANY", "", "a", "OR", false), nullptr);  // before init
  EXPECT_EQ(onlyBoxCutAfter(kReportStart), common::MessageBoxRequest{.text = kReportStart});
  open();
  for (const char* fields : {"", "FEHLT,NAME", "COMPANY"}) {
    EXPECT_EQ(db.Suche(fields, "", *fields == 'C' ? "x[" : "a", "OR", false), nullptr) << fields;
    EXPECT_EQ(onlyBoxCutAfter(kReportStart + " 30"),
              common::MessageBoxRequest{.text = kReportStart + " 30"})
        << fields;
  }
}

TEST_F(ClActDbf, TableTypeWordsChooseTheTable) {
  open();
  // Recognised words: no message; the group table is used for group words.
  EXPECT_EQ(db.getRecordcount("ID_NR", "Gruppen"), 4);
  EXPECT_EQ(db.getRecordcount("ID_NR", "GROUP"), 4);
  EXPECT_EQ(db.getRecordcount("CITY", "Contact"), 7);
  EXPECT_EQ(db.getRecordcount("CITY", "KONTAKT"), 7);
  EXPECT_TRUE(boxes.shown.empty());
  // Anything else: the message, then the contact table.
  EXPECT_EQ(db.getRecordcount("CITY", " kontakt"), 7);
  EXPECT_EQ(boxes.shown,
            fakes::Boxes{{.text = "Tabellentyp ist fremd ( kontakt). Es wird die Kontakt-Tabelle "
                                  "benutzt."}});
  // Engine errors go to the caller.
  EXPECT_THROW(db.getRecordcount("FEHLT", "Kontakt"), dbengine::EngineError);
}

TEST_F(ClActDbf, SucheMaxWertFindsTheHighestNumberBehindThePrefix) {
  open();
  EXPECT_EQ(db.SucheMaxWert("ID_NR", "Gruppe", "K-"), 12);
  EXPECT_EQ(db.SucheMaxWert("ID_NR", "gruppe", "k-"), 12);
  EXPECT_EQ(db.SucheMaxWert("ID_NR", "Gruppe", "Z-"), 0);
  EXPECT_EQ(db.SucheMaxWert("ID_NR", "Gruppe", "X-"), 99);
  EXPECT_TRUE(boxes.shown.empty());
  // An empty prefix takes the whole value, and "K-7" is no number.
  EXPECT_THROW(db.SucheMaxWert("ID_NR", "Gruppe", ""), NumberConversionError);
  // A failing query is reported with its SQL text.
  EXPECT_EQ(db.SucheMaxWert("FEHLT", "Gruppe", "K-"), 0);
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_TRUE(boxes.shown[0].text.starts_with(kReportStart));
  EXPECT_TRUE(boxes.shown[0].text.ends_with(
      "\r\nSQL: SELECT FEHLT FROM [KONTAKTE.gdb] WHERE FEHLT LIKE '[Kk]-*';"));
  EXPECT_EQ(boxes.shown[0].icon, common::MessageIcon::Exclamation);
}

}  // namespace
}  // namespace actdb
