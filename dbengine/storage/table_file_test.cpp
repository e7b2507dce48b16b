// TableFile against tables written by python3-dbf (tests/data/dbf, made by
// tests/data/make_fixtures.py) and damaged copies of them.

#include "dbengine/storage/table_file.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <tuple>
#include <vector>

#include "dbengine/storage/table_builder_test_util.h"

namespace dbengine {
namespace {

using testing::errorOf;
using ::testing::HasSubstr;

const std::filesystem::path kData = std::filesystem::path(SPURLIX_TEST_DATA) / "dbf";

std::unique_ptr<TableFile> openFixture(const std::string& name) {
  return TableFile::open(kData / name);
}

// Every record's values of the named fields, deleted records included.
std::vector<std::vector<Value>> readAll(const TableFile& table,
                                        const std::vector<std::string>& names) {
  std::vector<std::vector<Value>> rows;
  for (std::uint32_t i = 0; i < table.recordCount(); ++i) {
    std::vector<Value> row;
    for (const std::string& name : names) {
      const int f = table.fieldIndex(name);
      EXPECT_GE(f, 0) << name;
      row.push_back(table.value(table.readRecord(i).data(), f));
    }
    rows.push_back(row);
  }
  return rows;
}

// isNull() must agree with value() for every field of every record.
void expectNullFlagsAgree(const TableFile& table) {
  for (std::uint32_t i = 0; i < table.recordCount(); ++i) {
    for (int f = 0; f < static_cast<int>(table.fields().size()); ++f) {
      EXPECT_EQ(table.isNull(table.readRecord(i).data(), f),
                table.value(table.readRecord(i).data(), f).isNull())
          << "record " << i << " field " << f;
    }
  }
}

TEST(TableFile, ReadsDbase3ContactTable) {
  const auto table = openFixture("db3_kontakte.dbf");
  EXPECT_EQ(table->versionByte(), 0x03);
  EXPECT_EQ(table->codepage().name(), "cp1252");
  ASSERT_EQ(table->fields().size(), 7u);
  EXPECT_EQ(
      std::tuple(table->fields()[0].type, table->fields()[1].offset, table->fields()[4].decimals),
      std::tuple('C', 31u, 2));
  EXPECT_EQ(table->fieldIndex("FIRM"), -1);

  // Field names ignore letter case.
  const auto rows =
      readAll(*table, {"firma", "Name", "UNIQUE_ID", "ANZAHL", "BETRAG", "GEBOREN", "AKTIV"});
  const std::vector<std::vector<Value>> expected = {
      {"Müller GmbH", "Hans Müller", "ID0001", std::int64_t{12}, 1234.5, Date{1961, 2, 28}, true},
      {"MÜLLER & SÖHNE", "Straße", "ID0002", std::int64_t{-3}, -0.25, Date{2000, 12, 31}, false},
      {"Krümmüller AG", "Ärger Öl", "ID0003", std::int64_t{0}, 0.0, Null{}, Null{}},
      {"Gelöscht KG", "Weg", "ID0004", std::int64_t{1}, 1.0, Date{1999, 1, 1}, true},
      {Null{}, Null{}, Null{}, Null{}, Null{}, Null{}, Null{}},
  };
  EXPECT_EQ(rows, expected);
  expectNullFlagsAgree(*table);
  for (std::uint32_t i = 0; i < table->recordCount(); ++i) {
    EXPECT_EQ(TableFile::isDeleted(table->readRecord(i).data()), i == 3) << i;
  }
}

TEST(TableFile, ReadsVisualFoxProTypesAndNullFlags) {
  const auto table = openFixture("vfp_typen.dbf");
  EXPECT_EQ(table->versionByte(), 0x30);
  // _NullFlags stays hidden.
  std::vector<std::string> names;
  for (const FieldInfo& field : table->fields()) names.push_back(field.name);
  EXPECT_EQ(names, (std::vector<std::string>{"FIRMA", "ORT", "ANZ", "BETRAG", "WERT", "ZEIT",
                                             "NOTIZ", "ZAHL"}));
  EXPECT_EQ(table->fields()[0].nullBit, -1);
  EXPECT_GE(table->fields()[1].nullBit, 0);

  const auto rows = readAll(*table, names);
  const std::vector<std::vector<Value>> expected = {
      {"Müller", "Straße", std::int64_t{42}, Currency{12345678}, 2.5,
       DateTime{{2023, 5, 17}, (13 * 3600 + 45 * 60 + 10) * 1000}, "Notiz eins", std::int64_t{7}},
      {Null{}, Null{}, std::int64_t{-2147483647}, Currency{-1}, -1e100, DateTime{{1900, 1, 1}, 0},
       Null{}, Null{}},
      {Null{}, Null{}, std::int64_t{0}, Currency{0}, 0.0, Null{}, Null{}, std::int64_t{0}},
  };
  EXPECT_EQ(rows, expected);
  expectNullFlagsAgree(*table);
}

// Files that must not open, with the error they give.
TEST(TableFile, RejectsDamagedFilesAtOpen) {
  struct Case {
    const char* file;
    int number;
    const char* fault;  // part of the description
  };
  const Case cases[] = {
      {"kaputt_kurz.dbf", errc::kDamagedTable,
       "Die Tabelle 'kaputt_kurz.dbf' ist beschädigt: sie ist kürzer, als ihr Kopf angibt."},
      {"kaputt_satzanzahl.dbf", errc::kDamagedTable, "kürzer, als ihr Kopf angibt"},
      {"kaputt_satzlaenge.dbf", errc::kDamagedTable, "Satzlänge"},
      {"kaputt_ohne_endezeichen.dbf", errc::kDamagedTable, "Endezeichen"},
      {"kaputt_kopflaenge.dbf", errc::kDamagedTable, "Kopf ist zu kurz"},
      {"kaputt_datumslaenge.dbf", errc::kDamagedTable, "'GEBOREN'"},
      {"kaputt_vfp_versatz.dbf", errc::kDamagedTable, "'ORT'"},
      {"kaputt_vfp_backlink.dbf", errc::kDamagedTable, "Kopf ist zu kurz"},
      {"kaputt_version.dbf", errc::kNotATable, "0x02"},
      {"kaputt_leer.dbf", errc::kNotATable, "zu kurz"},
      {"kaputt_winzig.dbf", errc::kNotATable, "zu kurz"},
      {"kaputt_text.dbf", errc::kNotATable, "Versionskennung"},
      {"gibt_es_nicht.dbf", errc::kFileNotFound, "nicht gefunden"},
      {"", errc::kNotATable, "Ordner"},  // the fixture folder itself
  };
  for (const Case& c : cases) {
    const EngineError e = errorOf([&] { TableFile::open(kData / c.file); });
    EXPECT_EQ(e.number(), c.number) << c.file << ": " << e.description();
    EXPECT_THAT(e.description(), HasSubstr(c.fault)) << c.file;
    EXPECT_THAT(e.description(), HasSubstr(c.file));
    EXPECT_EQ(e.helpFile(), "");
  }
}

// Memo faults open fine and show on the read.
TEST(TableFile, MemoFaultsRaiseOnRead) {
  struct Case {
    const char* file;
    int number;
  };
  const Case cases[] = {
      {"kaputt_memoverweis.dbf", errc::kDamagedMemo},
      {"kaputt_memolaenge.dbf", errc::kDamagedMemo},
      {"kaputt_ohne_memo.dbf", errc::kFileNotFound},
  };
  for (const Case& c : cases) {
    const auto table = openFixture(c.file);
    const int notiz = table->fieldIndex("NOTIZ");
    EXPECT_FALSE(table->isNull(table->readRecord(0).data(), notiz));
    EXPECT_EQ(errorOf([&] { table->value(table->readRecord(0).data(), notiz); }).number(), c.number)
        << c.file;
    // The other fields stay readable.
    EXPECT_EQ(table->value(table->readRecord(0).data(), table->fieldIndex("TITEL")),
              Value("Erste"));
  }
}

}  // namespace
}  // namespace dbengine
