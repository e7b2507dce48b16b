#include "standin/contact_table.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "common/path_text.h"
#include "tests/scratch.h"

namespace standin {
namespace {

const std::string kFixture = SPURLIX_TEST_DATA "/sql/KONTAKTE.dbf";

ContactTable fixture() {
  LoadedTable loaded = loadContactTable(kFixture);
  EXPECT_TRUE(loaded.table.has_value()) << loaded.error;
  return loaded.table ? std::move(*loaded.table) : ContactTable();
}

TEST(ContactTable, ReadsTheLiveContactsOfTheFixtureInFileOrder) {
  const ContactTable table = fixture();
  // The full path in the platform's own form ("C:\...\KONTAKTE.dbf" on Windows).
  EXPECT_EQ(table.path(),
            common::utf8FromPath(
                std::filesystem::absolute(kFixture).lexically_normal().make_preferred()));
  std::string ids;
  for (const Contact& contact : table.contacts()) ids += contact.id + ",";
  EXPECT_EQ(ids,
            "A00000000001,A00000000002,A00000000003,A00000000004,A00000000005,"
            "A00000000006,A00000000007,X1,");
  const Contact& first = table.contacts().front();
  EXPECT_EQ(first.company, "Müller GmbH");
  EXPECT_EQ(first.name, "Hans Müller");
  EXPECT_EQ(first.city, "München");
  EXPECT_EQ(first.phone, "") << "the fixture has no PHONE field";
  EXPECT_EQ(table.contacts()[6].company, "") << "a blank company";
}

TEST(ContactTable, TablesThatCannotBeReadAreReportedInGerman) {
  test_support::ScratchFolder folder;
  folder.write("KAPUTT.dbf", "kein dBase");
  const std::string cases[] = {folder.file("FEHLT.dbf"), folder.file("KAPUTT.dbf"), folder.file(""),
                               SPURLIX_TEST_DATA "/sql/KONTAKTE.gdb"};
  for (const std::string& path : cases) {
    const LoadedTable loaded = loadContactTable(path);
    EXPECT_FALSE(loaded.table.has_value()) << path;
    EXPECT_TRUE(loaded.error.find("Kontakttabelle") != std::string::npos ||
                loaded.error.find("UNIQUE_ID") != std::string::npos)
        << loaded.error;
  }
}

TEST(IdList, SplitsIntoTwelveCharacterIds) {
  const struct {
    std::string list;
    std::vector<std::string> ids;
  } cases[] = {
      {"", {}},
      {"X1          ", {"X1"}},
      {"A00000000001X1          ", {"A00000000001", "X1"}},
      {"            ", {""}},
      {" X1         ", {" X1"}},
      {"Ä1          ÖÖÖÖÖÖÖÖÖÖÖÖ", {"Ä1", "ÖÖÖÖÖÖÖÖÖÖÖÖ"}},  // characters, not bytes
  };
  for (const auto& c : cases) {
    const auto ids = splitIdList(c.list);
    ASSERT_TRUE(ids.has_value()) << c.list;
    EXPECT_EQ(*ids, c.ids) << c.list;
  }
  for (const std::string& bad : {std::string("X1"), std::string("A000000000011"),
                                 std::string(23, 'A'), std::string("Ä0000000000")}) {
    EXPECT_FALSE(splitIdList(bad).has_value()) << bad;
  }
}

TEST(IdList, ResolvesToRowsInTheGivenOrderEachOnce) {
  const ContactTable table = fixture();
  const std::tuple<std::vector<std::string>, std::vector<int>, bool> cases[] = {
      {{}, {}, true},
      {{"X1", "A00000000001"}, {7, 0}, true},
      {{"A00000000003", "A00000000003", "X1"}, {2, 7}, true},
      {{"A00000000008", "X1", "NOPE"}, {7}, false},     // 8 is deleted
      {{"X1          ", "x1", " X1", ""}, {7}, false},  // trailing blanks only are ignored
  };
  for (const auto& [ids, rows, allFound] : cases) {
    const LookupRows found = resolveIds(table, ids);
    EXPECT_EQ(found.rows, rows);
    EXPECT_EQ(found.allFound, allFound);
  }
}

}  // namespace
}  // namespace standin
