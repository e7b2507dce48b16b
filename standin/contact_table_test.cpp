#include "standin/contact_table.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

namespace standin {
namespace {

const QString kFixture = QStringLiteral(SPURLIX_TEST_DATA "/sql/KONTAKTE.dbf");

ContactTable fixture() {
  LoadedTable loaded = loadContactTable(kFixture);
  EXPECT_TRUE(loaded.table.has_value()) << loaded.error.toStdString();
  return loaded.table.value_or(ContactTable());
}

TEST(ContactTable, ReadsTheLiveContactsOfTheFixtureInFileOrder) {
  const ContactTable table = fixture();
  EXPECT_EQ(table.path(), QFileInfo(kFixture).absoluteFilePath());
  QStringList ids;
  for (const Contact& contact : table.contacts()) ids << contact.id;
  EXPECT_EQ(ids.join(','),
            "A00000000001,A00000000002,A00000000003,A00000000004,A00000000005,"
            "A00000000006,A00000000007,X1");
  const Contact& first = table.contacts().front();
  EXPECT_EQ(first.company, QStringLiteral("Müller GmbH"));
  EXPECT_EQ(first.name, QStringLiteral("Hans Müller"));
  EXPECT_EQ(first.city, QStringLiteral("München"));
  EXPECT_EQ(first.phone, "") << "the fixture has no PHONE field";
  EXPECT_EQ(table.contacts()[6].company, "") << "a blank company";
}

TEST(ContactTable, TablesThatCannotBeReadAreReportedInGerman) {
  QTemporaryDir folder;
  QFile notATable(folder.filePath("KAPUTT.dbf"));
  ASSERT_TRUE(notATable.open(QIODevice::WriteOnly));
  notATable.write("kein dBase");
  notATable.close();
  const QString cases[] = {folder.filePath("FEHLT.dbf"), folder.filePath("KAPUTT.dbf"),
                           folder.path(), QStringLiteral(SPURLIX_TEST_DATA "/sql/KONTAKTE.gdb")};
  for (const QString& path : cases) {
    const LoadedTable loaded = loadContactTable(path);
    EXPECT_FALSE(loaded.table.has_value()) << path.toStdString();
    EXPECT_TRUE(loaded.error.contains(u"Kontakttabelle") || loaded.error.contains(u"UNIQUE_ID"))
        << loaded.error.toStdString();
  }
}

TEST(IdList, SplitsIntoTwelveCharacterIds) {
  struct Case {
    QString list;
    std::vector<QString> ids;
  };
  const Case cases[] = {
      {"", {}},
      {"X1          ", {"X1"}},
      {"A00000000001X1          ", {"A00000000001", "X1"}},
      {"            ", {""}},
      {" X1         ", {" X1"}},
  };
  for (const Case& c : cases) {
    const auto ids = splitIdList(c.list);
    ASSERT_TRUE(ids.has_value()) << c.list.toStdString();
    EXPECT_EQ(*ids, c.ids) << c.list.toStdString();
  }
  for (const QString& bad : {QString("X1"), QString("A000000000011"), QString(23, u'A')}) {
    EXPECT_FALSE(splitIdList(bad).has_value()) << bad.toStdString();
  }
}

TEST(IdList, ResolvesToRowsInTheGivenOrderEachOnce) {
  const ContactTable table = fixture();
  struct Case {
    std::vector<QString> ids;
    std::vector<int> rows;
    bool allFound;
  };
  const Case cases[] = {
      {{}, {}, true},
      {{"X1", "A00000000001"}, {7, 0}, true},
      {{"A00000000003", "A00000000003", "X1"}, {2, 7}, true},
      {{"A00000000008", "X1", "NOPE"}, {7}, false},     // 8 is deleted
      {{"X1          ", "x1", " X1", ""}, {7}, false},  // trailing blanks only are ignored
  };
  for (const Case& c : cases) {
    const LookupRows found = resolveIds(table, c.ids);
    EXPECT_EQ(found.rows, c.rows);
    EXPECT_EQ(found.allFound, c.allFound);
  }
}

}  // namespace
}  // namespace standin
