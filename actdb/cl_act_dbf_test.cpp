// The query class against real table files written by an independent writer
// (tests/data/sql, see its README.txt), with fakes for the user interface.

#include "actdb/cl_act_dbf.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <set>

#include "actdb/database_error_report.h"
#include "platform/native_short_path.h"
#include "tests/fakes/fake_clipboard.h"
#include "tests/fakes/fake_event_pump.h"
#include "tests/fakes/fake_message_boxes.h"
#include "tests/fakes/fake_settings_store.h"

namespace actdb {

// Reaches the one private operation that has no public caller.
class ClActDbfTestAccess {
 public:
  static std::unique_ptr<dbengine::Recordset> OeffneTabelle(clActDBF& db) {
    return db.OeffneTabelle();
  }
};

namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::StartsWith;

const std::string kTable = std::string(SPURLIX_TEST_DATA) + "/sql/KONTAKTE.dbf";
const std::string kReportStart = "Konnte Ihre ACT!-Datenbank nicht öffnen !\r\nError #";

class ClActDbf : public ::testing::Test {
 protected:
  ActDbServices services() { return {boxes, settings, clipboard, events, paths}; }

  // Opens the fixture database; the message boxes are then still empty.
  clActDBF& opened() {
    EXPECT_TRUE(db.init(kTable));
    EXPECT_TRUE(boxes.shown.empty());
    return db;
  }

  // The UNIQUE_IDs of a result, walked the way the search run walks it.
  static std::vector<std::string> ids(dbengine::Recordset& rows) {
    std::vector<std::string> out;
    if (rows.RecordCount() == 0) return out;
    rows.MoveLast(0);
    const std::int32_t n = rows.RecordCount();
    rows.MoveFirst();
    for (std::int32_t i = 0; i < n; ++i, rows.MoveNext()) {
      out.push_back(rows.fields().Item("UNIQUE_ID").Value().toText());
    }
    return out;
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
  clActDBF db{services()};
};

TEST(DatabaseErrorReport, ReadsByteForByte) {
  EXPECT_EQ(databaseErrorReportText(5, "", "Ungültig"),
            "Konnte Ihre ACT!-Datenbank nicht öffnen !\r\nError # 5 () Ungültig");
  EXPECT_EQ(databaseErrorReportText(-5, "hilfe.hlp", "x"),
            "Konnte Ihre ACT!-Datenbank nicht öffnen !\r\nError #-5 (hilfe.hlp) x");
  EXPECT_EQ(databaseErrorReportText(0, "", ""),
            "Konnte Ihre ACT!-Datenbank nicht öffnen !\r\nError # 0 () ");
}

TEST_F(ClActDbf, InitOpensTheFolderOfTheDatabaseFile) {
  opened();
  EXPECT_TRUE(db.isOpen());
  EXPECT_EQ(db.DBName(), "KONTAKTE");
  EXPECT_EQ(db.DBOrdner(), paths.shortPathOf(std::string(SPURLIX_TEST_DATA) + "/sql"));
  db.kill();
  EXPECT_FALSE(db.isOpen());
  db.kill();  // a second kill is harmless
}

TEST_F(ClActDbf, InitReportsMissingOrUnusablePathsAsFileNotFound) {
  const std::string missing = std::string(SPURLIX_TEST_DATA) + "/sql/FEHLT.dbf";
  // An existing path whose name is shorter than the four-character ending.
  const std::string shortName = std::string(SPURLIX_TEST_DATA) + "/sql";
  for (const std::string& path : {missing, shortName, std::string(), std::string("/")}) {
    boxes.shown.clear();
    EXPECT_FALSE(db.init(path)) << path;
    ASSERT_EQ(boxes.shown.size(), 1u) << path;
    EXPECT_THAT(boxes.shown[0].text, StartsWith(kReportStart + " 3024 () "));
    EXPECT_EQ(boxes.shown[0].title, "SpurlixLight");
    EXPECT_EQ(boxes.shown[0].buttons, common::MessageButtons::Ok);
    EXPECT_EQ(boxes.shown[0].icon, common::MessageIcon::None);
    EXPECT_FALSE(db.isOpen());
  }
}

TEST_F(ClActDbf, SucheBuildsTheFragmentQuery) {
  opened();
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
}

TEST_F(ClActDbf, DebugSwitchAloneFillsTheClipboard) {
  opened();
  for (const char* value : {"", "debug", "Debug ", "1"}) {
    settings.values[{"Spurlix light", "Debug", "Debug"}] = value;
    db.Suche("COMPANY,NAME", "", "mü", "OR", false);
    EXPECT_EQ(clipboard.text, "untouched") << value;
    EXPECT_EQ(clipboard.clears, 0);
  }
}

TEST_F(ClActDbf, SucheFindsTheFragmentAnywhereInAnyCase) {
  opened();
  auto rows = db.Suche("COMPANY,NAME", "", "mü", "OR", false);
  ASSERT_TRUE(rows);
  EXPECT_THAT(ids(*rows),
              ElementsAre("A00000000001", "A00000000002", "A00000000003", "A00000000007"));
  EXPECT_EQ(rows->fields().Count(), 3);
  EXPECT_EQ(rows->fields().Item(0).Name(), "COMPANY");
  EXPECT_EQ(rows->fields().Item(1).Name(), "NAME");
  EXPECT_EQ(events.yields, 1);
  EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(ClActDbf, SucheCases) {
  opened();
  struct Case {
    const char* fragment;
    std::vector<std::string> expected;
  };
  const std::vector<Case> cases = {
      {"MÜLLER", {"A00000000001", "A00000000002", "A00000000003"}},
      {"krümm", {"A00000000003"}},
      {"O'Neil", {"A00000000004"}},
      {"me?er", {"A00000000005", "A00000000006"}},
      {"m*bauer", {"A00000000007"}},
      {"xyzq", {}},
      {"schulz", {"X1"}},
  };
  for (const Case& c : cases) {
    auto rows = db.Suche("COMPANY,NAME", "", c.fragment, "OR", false);
    ASSERT_TRUE(rows) << c.fragment;
    EXPECT_EQ(ids(*rows), c.expected) << c.fragment;
  }
  EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(ClActDbf, EmptyFragmentFindsEveryRowWithAValue) {
  opened();
  auto rows = db.Suche("COMPANY,NAME", "", "", "OR", false);
  ASSERT_TRUE(rows);
  EXPECT_EQ(ids(*rows).size(), 8u);  // every live row has a name
  auto companies = db.Suche("COMPANY", "", "", "OR", false);
  EXPECT_EQ(ids(*companies).size(), 7u);  // one company is blank
}

TEST_F(ClActDbf, RejectedQueriesReportAndReturnNone) {
  opened();
  for (const char* fields : {"", "FEHLT,NAME"}) {
    boxes.shown.clear();
    EXPECT_EQ(db.Suche(fields, "", "a", "OR", false), nullptr) << fields;
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_THAT(boxes.shown[0].text, StartsWith(kReportStart + " 30"));
    EXPECT_EQ(boxes.shown[0].icon, common::MessageIcon::None);
  }
  boxes.shown.clear();
  EXPECT_EQ(db.Suche("COMPANY", "", "x[", "OR", false), nullptr);
  EXPECT_EQ(boxes.shown.size(), 1u);
}

TEST_F(ClActDbf, SucheWithoutInitReportsInsteadOfCrashing) {
  EXPECT_EQ(db.Suche("COMPANY", "", "a", "OR", false), nullptr);
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_THAT(boxes.shown[0].text, StartsWith(kReportStart));
}

TEST_F(ClActDbf, TableTypeWords) {
  opened();
  // Recognised words: no message; the group table is used for group words.
  EXPECT_EQ(db.getRecordcount("ID_NR", "Gruppen"), 4);
  EXPECT_EQ(db.getRecordcount("ID_NR", "GROUP"), 4);
  EXPECT_EQ(db.getRecordcount("CITY", "Contact"), 7);
  EXPECT_EQ(db.getRecordcount("CITY", "KONTAKT"), 7);
  EXPECT_TRUE(boxes.shown.empty());

  // Anything else: the message, then the contact table.
  EXPECT_EQ(db.getRecordcount("CITY", " kontakt"), 7);
  EXPECT_EQ(db.getRecordcount("CITY", ""), 7);
  ASSERT_EQ(boxes.shown.size(), 2u);
  EXPECT_EQ(boxes.shown[0].text,
            "Tabellentyp ist fremd ( kontakt). Es wird die Kontakt-Tabelle benutzt.");
  EXPECT_EQ(boxes.shown[1].text, "Tabellentyp ist fremd (). Es wird die Kontakt-Tabelle benutzt.");
  EXPECT_EQ(boxes.shown[1].title, "SpurlixLight");
}

TEST_F(ClActDbf, GetRecordcountLetsEngineErrorsThrough) {
  opened();
  EXPECT_THROW(db.getRecordcount("FEHLT", "Kontakt"), dbengine::EngineError);
  EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(ClActDbf, SucheMaxWertFindsTheHighestNumberBehindThePrefix) {
  opened();
  EXPECT_EQ(db.SucheMaxWert("ID_NR", "Gruppe", "K-"), 12);
  EXPECT_EQ(db.SucheMaxWert("ID_NR", "gruppe", "k-"), 12);
  EXPECT_EQ(db.SucheMaxWert("ID_NR", "Gruppe", "Z-"), 0);
  EXPECT_EQ(db.SucheMaxWert("ID_NR", "Gruppe", "X-"), 99);
  EXPECT_TRUE(boxes.shown.empty());
  // An empty prefix takes the whole value, and "K-7" is no number.
  EXPECT_THROW(db.SucheMaxWert("ID_NR", "Gruppe", ""), NumberConversionError);
}

TEST_F(ClActDbf, SucheMaxWertReportsItsQueryWithTheSqlText) {
  opened();
  EXPECT_EQ(db.SucheMaxWert("FEHLT", "Gruppe", "K-"), 0);
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_THAT(boxes.shown[0].text, StartsWith(kReportStart));
  EXPECT_THAT(boxes.shown[0].text,
              HasSubstr("\r\nSQL: SELECT FEHLT FROM [KONTAKTE.gdb] WHERE FEHLT LIKE '[Kk]-*';"));
  EXPECT_EQ(boxes.shown[0].icon, common::MessageIcon::Exclamation);
}

TEST_F(ClActDbf, OeffneTabelleOpensTheWholeContactTable) {
  opened();
  auto rows = ClActDbfTestAccess::OeffneTabelle(db);
  ASSERT_TRUE(rows);
  EXPECT_EQ(ids(*rows).size(), 8u);
}

}  // namespace
}  // namespace actdb
