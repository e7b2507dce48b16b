#include "common/sign_position.h"

#include <gtest/gtest.h>

#include <limits>

namespace common {
namespace {

TEST(SignPosition, BlankBeforeZeroAndPositiveMinusBeforeNegativeNoGrouping) {
  const std::pair<std::int64_t, const char*> cases[] = {
      {0, " 0"},
      {7, " 7"},
      {-1, "-1"},
      {1234567, " 1234567"},
      {-32768, "-32768"},
      {std::numeric_limits<std::int64_t>::max(), " 9223372036854775807"},
      {std::numeric_limits<std::int64_t>::min(), "-9223372036854775808"},
  };
  for (const auto& [number, expected] : cases) EXPECT_EQ(signPosition(number), expected) << number;
}

}  // namespace
}  // namespace common
