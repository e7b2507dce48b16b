#include "standin/automation.h"

#include <gtest/gtest.h>

#include "tests/scratch.h"

namespace standin {
namespace {

using Lines = std::vector<std::string>;

ContactTable threeContacts() {
  return ContactTable("/act/KONTAKTE.dbf", {{"beta AG", "Zora", "", "", "B1"},
                                            {"Alpha GmbH", "Yves", "", "", "A1"},
                                            {"alpha KG", "Xaver", "", "", "A2"}});
}

class AutomationTest : public ::testing::Test {
 protected:
  void SetUp() override {
    contacts_.setTable(threeContacts());
    ASSERT_TRUE(log_.open(scratch_.file("calls.jsonl")));
  }
  Lines logLines() { return test_support::readLines(scratch_.path() / "calls.jsonl"); }
  Lines shownIds() const {
    Lines ids;
    for (std::size_t row = 0; row < contacts_.size(); ++row) ids.push_back(contacts_.at(row).id);
    return ids;
  }

  test_support::ScratchFolder scratch_;  // goes after the log that writes into it
  ShownContacts contacts_;
  CallLog log_;
};

TEST_F(AutomationTest, LookupShowsExactlyTheFoundContactsAndLogsTheCalls) {
  Automation automation(contacts_, log_, {});
  EXPECT_EQ(automation.createLookup(1, "A2          B1          "), kLookupAllFound);
  EXPECT_EQ(shownIds(), Lines({"A2", "B1"}));
  EXPECT_TRUE(contacts_.lookupActive());
  EXPECT_EQ(contacts_.statusText(), "2 Kontakte angezeigt – Lookup aktiv");
  EXPECT_EQ(automation.createLookup(1, "ZZ          A1          "), kLookupSomeMissing);
  EXPECT_EQ(shownIds(), Lines({"A1"}));
  EXPECT_EQ(contacts_.statusText(), "1 Kontakt angezeigt – Lookup aktiv");
  EXPECT_EQ(automation.createLookup(1, "A2          B\"\\\n"), kLookupBadIdList);
  EXPECT_EQ(shownIds(), Lines({"A1"})) << "a bad list changes nothing";
  EXPECT_EQ(automation.lookupAll(1), 0);
  EXPECT_EQ(shownIds(), Lines({"B1", "A1", "A2"}));
  EXPECT_FALSE(contacts_.lookupActive());
  EXPECT_EQ(contacts_.statusText(), "3 Kontakte angezeigt – alle Kontakte");
  EXPECT_EQ(logLines(),
            Lines({R"({"call":"CreateLookup","ids":["A2","B1"],"result":0,"view":1})",
                   R"({"call":"CreateLookup","ids":["ZZ","A1"],"result":100,"view":1})",
                   R"({"call":"CreateLookup","idList":"A2          B\"\\\n","result":5,"view":1})",
                   R"({"call":"LookupAll","result":0,"view":1})"}));
}

TEST_F(AutomationTest, MisbehaviourSwitches) {
  Misbehaviour misbehaviour;
  misbehaviour.noViews = true;
  misbehaviour.refuseViews = 2;
  misbehaviour.lookupResult = 42;
  Automation automation(contacts_, log_, misbehaviour);
  EXPECT_EQ(automation.views(), "/");
  EXPECT_EQ(automation.create(1, 2), "/");
  EXPECT_EQ(automation.create(1, 2), "/");
  EXPECT_EQ(automation.create(1, 2), "/Application/Views/1");
  EXPECT_EQ(automation.create(3, "CV"), "/Application/Views/2");
  EXPECT_EQ(automation.viewNumber("/Application/Views/2"), 2);
  EXPECT_EQ(automation.viewNumber("/Application/Views/3"), 0);
  EXPECT_EQ(automation.viewNumber("/"), 0);
  EXPECT_EQ(automation.createLookup(2, "NOPE        "), 42);
  EXPECT_EQ(automation.createLookup(2, "NOPE"), kLookupBadIdList) << "a bad list wins";
  EXPECT_EQ(logLines().at(1), R"({"args":[1,2],"call":"Create","result":"/"})");
  EXPECT_EQ(logLines().at(4), R"({"args":[3,"CV"],"call":"Create","result":"/Application/Views/2"})");

  // Leaving on a lookup: no answer, and the display stays as it was.
  misbehaviour.quitOnLookup = true;
  Automation leaving(contacts_, log_, misbehaviour);
  const Lines shown = shownIds();
  EXPECT_EQ(leaving.createLookup(1, "A1          "), std::nullopt);
  EXPECT_EQ(shownIds(), shown);
  EXPECT_EQ(logLines().back(), R"({"call":"CreateLookup","ids":["A1"],"result":null,"view":1})");
}

TEST_F(AutomationTest, SortingIgnoresLetterCaseAndKeepsEqualRowsInOrder) {
  Automation automation(contacts_, log_, {});
  contacts_.sortBy(Column::kCompany, false);
  EXPECT_EQ(shownIds(), Lines({"A1", "A2", "B1"}));
  contacts_.sortBy(Column::kName, true);
  EXPECT_EQ(shownIds(), Lines({"B1", "A1", "A2"}));
  contacts_.sortBy(Column::kCity, false);
  EXPECT_EQ(shownIds(), Lines({"B1", "A1", "A2"}));
  EXPECT_EQ(automation.getOpenDBName(), "/act/KONTAKTE.dbf");
  EXPECT_LT(compareIgnoringCase("müller", "MÜLLER & Söhne"), 0);
  EXPECT_EQ(compareIgnoringCase("ÄÖÜ ŠŽŸ", "äöü šžÿ"), 0);
  EXPECT_LT(compareIgnoringCase("Mueller", "Müller"), 0);
}

}  // namespace
}  // namespace standin
