#pragma once
// Numbers as the program puts them into messages and status texts: decimal
// digits without grouping, preceded by one blank when the number is zero or
// positive and by a minus sign when it is negative ("Es wurden " + 7 reads
// "Es wurden  7").

#include <cstdint>
#include <string>

namespace common {

std::string signPosition(std::int64_t number);

}  // namespace common
