#include "standin/contact_table.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "common/path_text.h"
#include "tests/fixture_ids.h"
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
  std::vector<std::string> ids;
  for (const Contact& contact : table.contacts()) ids.push_back(contact.id);
  const auto& id = test_support::kFixtureIds;
  EXPECT_EQ(ids,
            (std::vector<std::string>{id[1], id[2], id[3], id[4], id[5], id[6], id[7], id[9]}));
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
  const auto& id = test_support::kFixtureIds;
  const std::tuple<std::vector<std::string>, std::vector<int>, bool> cases[] = {
      {{}, {}, true},
      {{"X1", id[1]}, {7, 0}, true},
      {{id[3], id[3], "X1"}, {2, 7}, true},
      {{id[8], "X1", "NOPE"}, {7}, false},  // 8 is deleted
      // Trailing blanks only are ignored; the blank in front is the ID's own.
      {{"X1          ", "x1", " X1", "", "3 \"€\" [*]"}, {7}, false},
  };
  for (const auto& [ids, rows, allFound] : cases) {
    const LookupRows found = resolveIds(table, ids);
    EXPECT_EQ(found.rows, rows);
    EXPECT_EQ(found.allFound, allFound);
  }
}

}  // namespace
}  // namespace standin
