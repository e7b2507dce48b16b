// TableFile against tables written byte by byte: the corner cases no
// independent writer we have produces.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>

#include "dbengine/storage/table_builder_test_util.h"
#include "dbengine/storage/table_file.h"

namespace dbengine {
namespace {

using testing::errorOf;
using testing::FieldLayout;
using testing::ScratchFolder;
using testing::tableBytes;

// Opens a table written from the given layout in a scratch folder.
std::unique_ptr<TableFile> openBuilt(ScratchFolder& folder, std::uint8_t version,
                                     const std::vector<FieldLayout>& fields,
                                     const std::vector<std::string>& records) {
  return TableFile::open(folder.write("t.dbf", tableBytes(version, fields, records)));
}

// One field, one record per case: the stored bytes and the value read.
TEST(TableFileHandmade, FieldValuesFromStoredBytes) {
  const struct {
    FieldLayout field;
    std::string stored;
    Value expected;
  } cases[] = {
      {{"NAME", 'C', 10}, "  M\xFCller  ", "  Müller"},  // leading blanks stay
      {{"NAME", 'C', 4}, "    ", Null{}},
      {{"NAME", 'C', 4}, std::string("ab\0\0", 4), "ab"},  // NUL padding
      {{"NAME", 'C', 3}, std::string(3, '\0'), Null{}},
      {{"ZAHL", 'N', 5}, "*****", Null{}},  // overflow marker
      {{"ZAHL", 'N', 5}, "  abc", Null{}},
      {{"ZAHL", 'N', 5}, "   - ", Null{}},
      {{"ZAHL", 'N', 5}, "  +17", std::int64_t{17}},
      {{"ZAHL", 'N', 6, 2}, "  -.50", -0.5},
      {{"ZAHL", 'N', 6, 2}, "  3.00", 3.0},
      {{"ZAHL", 'N', 20}, "99999999999999999999", 1e20},  // beyond int64: a double
      {{"ZAHL", 'F', 8, 1}, "  1.5e+3", 1500.0},
      {{"AM", 'D', 8}, "20240229", Date{2024, 2, 29}},
      {{"AM", 'D', 8}, "20230229", Null{}},
      {{"AM", 'D', 8}, "00000000", Null{}},
      {{"AM", 'D', 8}, "2024 1 1", Null{}},
      {{"JA", 'L', 1}, "?", Null{}},
      {{"JA", 'L', 1}, " ", Null{}},
      {{"JA", 'L', 1}, "y", true},
      {{"JA", 'L', 1}, "n", false},
  };
  for (const auto& c : cases) {
    ScratchFolder folder;
    const auto table = openBuilt(folder, 0x03, {c.field}, {" " + c.stored});
    EXPECT_EQ(table->value(table->readRecord(0).data(), 0), c.expected)
        << "stored '" << c.stored << "'";
    EXPECT_EQ(table->isNull(table->readRecord(0).data(), 0), c.expected.isNull()) << c.stored;
  }
}

TEST(TableFileHandmade, VisualFoxProVarcharUsesLengthBit) {
  // Bits: V field: length bit 0, null bit 1; nullable C field: null bit 2.
  const std::vector<FieldLayout> fields = {
      {"V", 'V', 6, 0, 0x02}, {"C", 'C', 3, 0, 0x02}, {"_NullFlags", '0', 1, 0, 0x05}};
  const std::vector<std::string> records = {
      std::string(" ab\0\0\0\x02", 7) + "xyz" + "\x01",  // short value: length 2 in last byte
      " abcdef" + std::string("   ") + "\x04",           // full length; C null
      " abcdef" + std::string("xyz") + "\x02",           // V null
  };
  ScratchFolder folder;
  const auto table = openBuilt(folder, 0x32, fields, records);
  ASSERT_EQ(table->fields().size(), 2u);
  EXPECT_EQ(table->fields()[0].varLengthBit, 0);
  EXPECT_EQ(table->fields()[0].nullBit, 1);
  EXPECT_EQ(table->fields()[1].nullBit, 2);
  const std::vector<std::vector<Value>> expected = {
      {"ab", "xyz"}, {"abcdef", Null{}}, {Null{}, "xyz"}};
  for (std::uint32_t i = 0; i < 3; ++i) {
    for (int f = 0; f < 2; ++f) {
      const Value& want = expected[i][static_cast<std::size_t>(f)];
      EXPECT_EQ(table->value(table->readRecord(i).data(), f), want);
      EXPECT_EQ(table->isNull(table->readRecord(i).data(), f), want.isNull());
    }
  }
}

TEST(TableFileHandmade, UnsupportedTypesOpenButRaiseOnRead) {
  const struct {
    std::uint8_t version;
    FieldLayout field;
  } cases[] = {
      {0x30, {"BILD", 'G', 4}}, {0x30, {"BIN", 'Q', 4}},
      {0x03, {"X", 'P', 10}},   {0x8B, {"B", 'B', 10}},  // dBase's B is a binary memo, not a double
      {0x03, {"I", 'I', 4}},                             // integers exist only in Visual FoxPro
  };
  for (const auto& c : cases) {
    ScratchFolder folder;
    std::vector<FieldLayout> fields = {{"NAME", 'C', 2}, c.field};
    std::string record = " ok" + std::string(c.field.length, '1');
    if (c.version == 0x30) {  // Q needs a length bit
      fields.push_back({"_NullFlags", '0', 1, 0, 0x05});
      record += '\0';
    }
    const auto table = openBuilt(folder, c.version, fields, {record});
    EXPECT_EQ(table->value(table->readRecord(0).data(), 0), Value("ok"));
    const EngineError e = errorOf([&] { table->value(table->readRecord(0).data(), 1); });
    EXPECT_EQ(e.number(), errc::kUnsupportedType) << c.field.type;
    EXPECT_THAT(e.description(), ::testing::HasSubstr("'" + c.field.name + "'"));
  }
}

TEST(TableFileHandmade, AcceptsEveryKnownVersionByte) {
  for (int version :
       {0x03, 0x83, 0x43, 0x63, 0x7B, 0x8B, 0x8E, 0xCB, 0xE5, 0xF5, 0xFB, 0x30, 0x31, 0x32}) {
    ScratchFolder folder;
    const auto table =
        openBuilt(folder, static_cast<std::uint8_t>(version), {{"NAME", 'C', 3}}, {" abc"});
    EXPECT_EQ(table->versionByte(), version);
    EXPECT_EQ(table->value(table->readRecord(0).data(), 0), Value("abc")) << version;
  }
}

TEST(TableFileHandmade, IgnoresBytesAfterTheRecordsAndScansNothingOfAnEmptyTable) {
  ScratchFolder folder;
  const auto table = TableFile::open(folder.write(
      "p.dbf", tableBytes(0x03, {{"NAME", 'C', 3}}, {" abc", "*def"}) + std::string(100, 'x')));
  EXPECT_EQ(table->value(table->readRecord(1).data(), 0), Value("def"));
  EXPECT_TRUE(TableFile::isDeleted(table->readRecord(1).data()));
  bool visited = false;
  openBuilt(folder, 0x03, {{"A", 'C', 1}}, {})->scan([&](auto...) { visited = true; });
  EXPECT_FALSE(visited);
}

TEST(TableFileHandmade, RejectsInconsistentDescriptors) {
  const std::tuple<const char*, std::uint8_t, std::vector<FieldLayout>> cases[] = {
      {"no fields", 0x03, {}},
      {"zero-length field", 0x03, {{"A", 'C', 0}}},
      {"logical of two bytes", 0x03, {{"L", 'L', 2}}},
      {"memo of five bytes", 0xF5, {{"M", 'M', 5}}},
      {"integer of two bytes", 0x30, {{"I", 'I', 2}}},
  };
  for (const auto& [what, version, fields] : cases) {
    ScratchFolder folder;
    EXPECT_EQ(errorOf([&, version = version, &fields = fields] {
                openBuilt(folder, version, fields, {});
              }).number(),
              errc::kDamagedTable)
        << what;
  }
}

// Header forms that writers in the wild leave (more of them in
// dbengine/real_tables_test.cpp), each patched into a table of one field:
// the value read, or the error number.
TEST(TableFileHandmade, ReadsHeaderFormsOfOtherWritersAndRefusesMisalignedOnes) {
  const auto put16 = [](std::string& bytes, std::size_t at, std::uint32_t v) {
    bytes[at] = static_cast<char>(v & 0xFF);
    bytes[at + 1] = static_cast<char>(v >> 8);
  };
  const struct {
    const char* what;
    std::uint8_t version;
    std::function<void(std::string&)> patch;
    Value expected;
    int error;
  } cases[] = {
      {"Visual FoxPro, all offsets 0", 0x30, [](std::string& b) { b[32 + 12] = 0; }, "abc", 0},
      {"FoxPro 2, all offsets 0", 0xF5, [](std::string& b) { b[32 + 12] = 0; }, "abc", 0},
      {"dBase III, a byte after the 0x0D", 0x03,
       [&](std::string& b) { b.insert(65, 1, '\0'), put16(b, 8, 66); }, "abc", 0},
      {"record start one byte late", 0x03, [&](std::string& b) { put16(b, 8, 67); }, Null{},
       errc::kDamagedTable},
      {"Visual FoxPro record start one byte early", 0x30,
       [&](std::string& b) { put16(b, 8, 65 + 263 - 1); }, Null{}, errc::kDamagedTable},
  };
  for (const auto& c : cases) {
    std::string bytes = tableBytes(c.version, {{"NAME", 'C', 3}}, {" abc", " def"});
    c.patch(bytes);
    ScratchFolder folder;
    const std::filesystem::path path = folder.write("t.dbf", bytes);
    EXPECT_EQ(errorOf([&] { TableFile::open(path); }).number(), c.error) << c.what;
    if (c.error != 0) continue;
    const auto table = TableFile::open(path);
    EXPECT_EQ(table->value(table->readRecord(0).data(), 0), c.expected) << c.what;
  }
}

TEST(TableFileHandmade, VisualFoxProMemoPointersAreBlockNumbersWhateverTheirBytes) {
  ScratchFolder folder;
  std::string memo(512 + 32 * 16, '\0');
  memo[7] = 16;  // block size
  memo.replace(32 * 16, 12, std::string("\0\0\0\x01\0\0\0\x04Text", 12));
  folder.write("t.fpt", memo);
  const auto table = openBuilt(
      folder, 0x30, {{"NOTIZ", 'M', 4}},
      {std::string(" \x20\0\0\0", 5), std::string(" \x20\x20\0\0", 5), std::string(5, '\0')});
  EXPECT_EQ(table->value(table->readRecord(0).data(), 0), Value("Text"));
  EXPECT_FALSE(table->isNull(table->readRecord(1).data(), 0));
  EXPECT_EQ(errorOf([&] { table->value(table->readRecord(1).data(), 0); }).number(),
            errc::kDamagedMemo);
}

}  // namespace
}  // namespace dbengine
