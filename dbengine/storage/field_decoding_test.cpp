#include "dbengine/storage/field_decoding.h"

#include <gtest/gtest.h>

#include <string>

namespace dbengine::field_decoding {
namespace {

Bytes bytesOf(const std::string& s) {
  return {reinterpret_cast<const std::uint8_t*>(s.data()), s.size()};
}

TEST(FieldDecoding, JulianDayNumbers) {
  const struct {
    std::int64_t day;
    Date date;
  } cases[] = {
      {2451545, {2000, 1, 1}},  {2415021, {1900, 1, 1}},
      {2460370, {2024, 2, 29}}, {2299161, {1582, 10, 15}},  // the first Gregorian day
      {1721426, {1, 1, 1}},
  };
  for (const auto& c : cases) EXPECT_EQ(dateFromJulianDay(c.day), c.date) << c.day;
}

TEST(FieldDecoding, MemoPointers) {
  const std::pair<std::string, std::int64_t> cases[] = {
      {"         8", 8},
      {"8         ", 8},
      {"          ", kNoBlock},
      {"0000000000", kNoBlock},
      {std::string(10, '\0'), kNoBlock},
      {"     -1   ", kBadPointer},
      {"99999999999", kBadPointer},  // beyond 32 bits
      {"  1 2     ", kBadPointer},
      {std::string("\x10\0\0\0", 4), 16},
      {std::string("\xFF\xFF\xFF\xFF", 4), 0xFFFFFFFF},
      {"    ", 0x20202020},  // binary: a block number whatever its bytes
      {std::string(4, '\0'), kNoBlock},
  };
  for (const auto& [stored, block] : cases) EXPECT_EQ(memoBlock(bytesOf(stored)), block) << stored;
}

TEST(FieldDecoding, DateTimesOutsideTheDayAreNull) {
  const auto make = [](std::uint32_t day, std::uint32_t ms) {
    std::string s(8, '\0');
    for (int i = 0; i < 4; ++i) {
      s[static_cast<std::size_t>(i)] = static_cast<char>(day >> (8 * i) & 0xFF);
      s[static_cast<std::size_t>(4 + i)] = static_cast<char>(ms >> (8 * i) & 0xFF);
    }
    return s;
  };
  EXPECT_EQ(dateTime(bytesOf(make(2451545, 86'399'999))), (DateTime{{2000, 1, 1}, 86'399'999}));
  EXPECT_FALSE(dateTime(bytesOf(make(2451545, 86'400'000))).has_value());
  EXPECT_FALSE(dateTime(bytesOf(make(0, 0))).has_value());
  EXPECT_FALSE(dateTime(bytesOf(make(0xFFFFFFFF, 0))).has_value());  // negative day
  EXPECT_FALSE(dateTime(bytesOf("        ")).has_value());
}

}  // namespace
}  // namespace dbengine::field_decoding
