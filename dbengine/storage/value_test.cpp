#include "dbengine/storage/value.h"

#include <gtest/gtest.h>

#include <limits>

namespace dbengine {
namespace {

TEST(Value, TextFormOfEveryKind) {
  const std::pair<Value, const char*> cases[] = {
      {Null{}, ""},
      {"  Müller", "  Müller"},
      {std::int64_t{-42}, "-42"},
      {12.0, "12"},  // whole doubles print without ".0"
      {-0.0, "0"},
      {1234.5, "1234.5"},
      {0.1, "0.1"},  // shortest form, not 0.1000000000000000055...
      {1e20, "100000000000000000000"},
      {-2.5e-7, "-0.00000025"},
      {true, "True"},
      {false, "False"},
      {Date{2024, 2, 9}, "09.02.2024"},
      {Date{33, 1, 1}, "01.01.0033"},
      {DateTime{{2023, 5, 17}, 0}, "17.05.2023"},
      {DateTime{{2023, 5, 17}, (13 * 3600 + 4 * 60 + 5) * 1000 + 999}, "17.05.2023 13:04:05"},
      {Currency{12345678}, "1234.5678"},
      {Currency{-1}, "-0.0001"},
      {Currency{50000}, "5"},
      {Currency{-12500}, "-1.25"},
      {Currency{std::numeric_limits<std::int64_t>::min()}, "-922337203685477.5808"},
  };
  for (const auto& [value, text] : cases) EXPECT_EQ(value.toText(), text) << text;
}

}  // namespace
}  // namespace dbengine
