#include "dbengine/sql/row_predicate.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/cp1252.h"
#include "dbengine/storage/table_builder_test_util.h"

namespace dbengine::sql {
namespace {

using testing::ScratchFolder;
using testing::tableBytes;

// One character field of 17 bytes: its padding runs across two eight-byte
// words and a tail, which is where trailing blanks are skipped word-wise.
constexpr std::size_t kWidth = 17;

// The field's text (the table pads it with blanks), the pattern, NOT or not, the truth.
const std::tuple<const char*, const char*, bool, Truth> kLikeCases[] = {
    // A blank field has no value: LIKE and NOT LIKE are both unknown.
    {"", "*b", false, Truth::kUnknown},
    {"", "*b", true, Truth::kUnknown},
    {"", "*", false, Truth::kUnknown},
    // The end of the value is its last non-blank byte, whatever the padding.
    {"b", "*b", false, Truth::kTrue},
    {"ab c", "*b", false, Truth::kFalse},
    {"ab c", "*b", true, Truth::kTrue},
    {"xxxxxxxb", "*b", false, Truth::kTrue},
    {"xxxxxxxxb", "*b", false, Truth::kTrue},
    {"xxxxxxxxxxxxxxxxb", "*b", false, Truth::kTrue},
    {"xxxxxxxxb", "xxxxxxxxb", false, Truth::kTrue},
    {"xxxxxxxxb", "xxxxxxxx", false, Truth::kFalse},
    // Padding is not part of the value, so it cannot complete a match.
    {"ab", "*b *", false, Truth::kFalse},
    {"ab c", "*b *", false, Truth::kTrue},
    {"ab", "ab?*", false, Truth::kFalse},
    // Leading blanks are part of the value.
    {" b", "b", false, Truth::kFalse},
    {" b", " b", false, Truth::kTrue},
    // The fragment search.
    {"Krümmüller AG", "*[mM][üÜ]*", false, Truth::kTrue},
    {"MÜLLER", "*[mM][üÜ]*", false, Truth::kTrue},
    {"Meyer", "*[mM][üÜ]*", false, Truth::kFalse},
};

TEST(RowPredicate, CharacterLikeSeesTheValueWithoutPadding) {
  ScratchFolder folder;
  int tables = 0;
  for (const auto& [stored, pattern, negated, expected] : kLikeCases) {
    SCOPED_TRACE(std::string("'") + stored + "' " + (negated ? "NOT " : "") + "LIKE '" + pattern +
                 "'");
    std::string field = common::utf8ToCp1252(stored);
    field.resize(kWidth, ' ');
    const auto table = TableFile::open(folder.write(
        std::to_string(++tables) + ".dbf",
        tableBytes(0x03, {{"F", 'C', static_cast<std::uint8_t>(kWidth)}}, {" " + field})));
    std::optional<LikeMatcher> matcher = LikeMatcher::compile(pattern, table->codepage());
    ASSERT_TRUE(matcher);
    const PredicatePtr like = makeCharacterLike(*table, 0, std::move(*matcher), negated);
    EXPECT_EQ(like->evaluate(table->readRecord(0).data()), expected);
  }
}

TEST(RowPredicate, NulPaddingIsPaddingForLikeAndComparison) {
  ScratchFolder folder;
  const auto table = TableFile::open(folder.write(
      "gepolstert.dbf", tableBytes(0x03, {{"F", 'C', 12}}, {" Bob" + std::string(7, '\0') + "  "})));
  const auto like = [&](const char* pattern) {
    return makeCharacterLike(*table, 0, *LikeMatcher::compile(pattern, table->codepage()), false)
        ->evaluate(table->readRecord(0).data());
  };
  EXPECT_EQ(like("Bob"), Truth::kTrue);
  EXPECT_EQ(like("Bob?*"), Truth::kFalse);
  EXPECT_EQ(makeCharacterCompare(*table, 0, CompareOp::kEqual, U"Bob")
                ->evaluate(table->readRecord(0).data()),
            Truth::kTrue);
}

}  // namespace
}  // namespace dbengine::sql
