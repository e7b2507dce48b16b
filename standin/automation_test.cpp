#include "standin/automation.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

namespace standin {
namespace {

ContactTable threeContacts() {
  return ContactTable("/act/KONTAKTE.dbf", {{"beta AG", "Zora", "", "", "B1"},
                                            {"Alpha GmbH", "Yves", "", "", "A1"},
                                            {"alpha KG", "Xaver", "", "", "A2"}});
}

class AutomationTest : public ::testing::Test {
 protected:
  void SetUp() override {
    model_.setTable(threeContacts());
    ASSERT_TRUE(log_.open(folder_.filePath("log.jsonl")));
  }
  QStringList logLines() {
    QFile file(folder_.filePath("log.jsonl"));
    if (!file.open(QIODevice::ReadOnly)) return {};
    return QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts);
  }
  QStringList shownIds() const {
    QStringList ids;
    for (int row = 0; row < model_.rowCount(); ++row) ids << model_.contactAt(row).id;
    return ids;
  }

  QTemporaryDir folder_;
  ContactModel model_;
  CallLog log_;
};

TEST_F(AutomationTest, LookupShowsExactlyTheFoundContactsAndLogsTheCalls) {
  Automation automation(model_, log_, {});
  EXPECT_EQ(automation.createLookup(1, "A2          B1          "), kLookupAllFound);
  EXPECT_EQ(shownIds(), QStringList({"A2", "B1"}));
  EXPECT_TRUE(model_.lookupActive());
  EXPECT_EQ(automation.createLookup(1, "ZZ          A1          "), kLookupSomeMissing);
  EXPECT_EQ(shownIds(), QStringList({"A1"}));
  EXPECT_EQ(automation.createLookup(1, "A2          B"), kLookupBadIdList);
  EXPECT_EQ(shownIds(), QStringList({"A1"})) << "a bad list changes nothing";
  EXPECT_EQ(automation.lookupAll(1), 0);
  EXPECT_EQ(shownIds(), QStringList({"B1", "A1", "A2"}));
  EXPECT_FALSE(model_.lookupActive());
  EXPECT_EQ(logLines(),
            QStringList({R"({"call":"CreateLookup","ids":["A2","B1"],"result":0,"view":1})",
                         R"({"call":"CreateLookup","ids":["ZZ","A1"],"result":100,"view":1})",
                         R"({"call":"CreateLookup","idList":"A2          B","result":5,"view":1})",
                         R"({"call":"LookupAll","result":0,"view":1})"}));
}

TEST_F(AutomationTest, MisbehaviourSwitches) {
  Misbehaviour misbehaviour;
  misbehaviour.noViews = true;
  misbehaviour.refuseViews = 2;
  misbehaviour.lookupResult = 42;
  Automation automation(model_, log_, misbehaviour);
  EXPECT_EQ(automation.views(), "/");
  EXPECT_EQ(automation.create(1, 2), "/");
  EXPECT_EQ(automation.create(1, 2), "/");
  EXPECT_EQ(automation.create(1, 2), "/Application/Views/1");
  EXPECT_EQ(automation.create(3, 4), "/Application/Views/2");
  EXPECT_EQ(automation.viewNumber("/Application/Views/2"), 2);
  EXPECT_EQ(automation.viewNumber("/Application/Views/3"), 0);
  EXPECT_EQ(automation.viewNumber("/"), 0);
  EXPECT_EQ(automation.createLookup(2, "NOPE        "), 42);
  EXPECT_EQ(automation.createLookup(2, "NOPE"), kLookupBadIdList) << "a bad list wins";
  EXPECT_EQ(logLines().mid(0, 2), QStringList({R"({"call":"Views","result":"/"})",
                                               R"({"args":[1,2],"call":"Create","result":"/"})"}));

  // Leaving on a lookup: no answer, and the display stays as it was.
  misbehaviour.quitOnLookup = true;
  Automation leaving(model_, log_, misbehaviour);
  const QStringList shown = shownIds();
  EXPECT_EQ(leaving.createLookup(1, "A1          "), std::nullopt);
  EXPECT_EQ(shownIds(), shown);
  EXPECT_EQ(logLines().last(), R"({"call":"CreateLookup","ids":["A1"],"result":null,"view":1})");
}

TEST_F(AutomationTest, SortingIgnoresLetterCaseAndKeepsEqualRowsInOrder) {
  Automation automation(model_, log_, {});
  model_.sort(ContactModel::kCompany);
  EXPECT_EQ(shownIds(), QStringList({"A1", "A2", "B1"}));
  model_.sort(ContactModel::kName, Qt::DescendingOrder);
  EXPECT_EQ(shownIds(), QStringList({"B1", "A1", "A2"}));
  model_.sort(ContactModel::kCity);
  EXPECT_EQ(shownIds(), QStringList({"B1", "A1", "A2"}));
  EXPECT_EQ(automation.getOpenDBName(), "/act/KONTAKTE.dbf");
}

}  // namespace
}  // namespace standin
