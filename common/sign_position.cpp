#include "common/sign_position.h"

#include <charconv>

namespace common {

std::string signPosition(std::int64_t number) {
  // 20 characters hold INT64_MIN with its sign; one more for the leading blank.
  char buffer[21];
  char* first = buffer;
  if (number >= 0) *first++ = ' ';
  // to_chars prints the minus sign itself and copes with INT64_MIN, whose
  // magnitude has no std::int64_t.
  const auto result = std::to_chars(first, buffer + sizeof buffer, number);
  return std::string(buffer, result.ptr);
}

}  // namespace common
