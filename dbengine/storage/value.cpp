#include "dbengine/storage/value.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <ostream>
#include <type_traits>

namespace dbengine {

namespace {

std::string twoDigits(int n) {
  char buffer[8];
  std::snprintf(buffer, sizeof buffer, "%02d", n);
  return buffer;
}

std::string dateText(const Date& d) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%02d.%02d.%04d", d.day, d.month, d.year);
  return buffer;
}

// Shortest plain decimal form that reads back as the same double: no
// exponent, no trailing zeros, no "." for whole numbers, "-0" printed as "0".
std::string numberText(double number) {
  if (std::isnan(number)) return "NaN";
  if (std::isinf(number)) return number > 0 ? "Infinity" : "-Infinity";
  if (number == 0) return "0";
  char buffer[400];  // enough for the largest double in fixed notation
  const auto result =
      std::to_chars(buffer, buffer + sizeof buffer, number, std::chars_format::fixed);
  return std::string(buffer, result.ptr);
}

std::string currencyText(std::int64_t tenThousandths) {
  // Work on the magnitude as unsigned so that INT64_MIN does not overflow.
  const bool negative = tenThousandths < 0;
  const std::uint64_t magnitude = negative ? 0 - static_cast<std::uint64_t>(tenThousandths)
                                           : static_cast<std::uint64_t>(tenThousandths);
  std::string text = (negative ? "-" : "") + std::to_string(magnitude / 10000);
  std::uint64_t fraction = magnitude % 10000;
  if (fraction != 0) {
    std::string digits = std::to_string(fraction);
    digits.insert(0, 4 - digits.size(), '0');
    while (digits.back() == '0') digits.pop_back();
    text += "." + digits;
  }
  return text;
}

}  // namespace

std::string Value::toText() const {
  return std::visit(
      [](const auto& v) -> std::string {
        using T = std::decay_t<decltype(v)>;
        if constexpr (std::is_same_v<T, Null>) {
          return {};
        } else if constexpr (std::is_same_v<T, std::string>) {
          return v;
        } else if constexpr (std::is_same_v<T, double>) {
          return numberText(v);
        } else if constexpr (std::is_same_v<T, std::int64_t>) {
          return std::to_string(v);
        } else if constexpr (std::is_same_v<T, bool>) {
          return v ? "True" : "False";
        } else if constexpr (std::is_same_v<T, Date>) {
          return dateText(v);
        } else if constexpr (std::is_same_v<T, DateTime>) {
          // As a German system shows a date with time; midnight shows the date alone.
          if (v.millisecondsOfDay == 0) return dateText(v.date);
          const int seconds = v.millisecondsOfDay / 1000;
          return dateText(v.date) + " " + twoDigits(seconds / 3600) + ":" +
                 twoDigits(seconds / 60 % 60) + ":" + twoDigits(seconds % 60);
        } else {
          static_assert(std::is_same_v<T, Currency>);
          return currencyText(v.tenThousandths);
        }
      },
      v_);
}

void PrintTo(const Value& value, std::ostream* out) {
  static constexpr const char* kKinds[] = {"Null",    "Text", "Double",   "Int64",
                                           "Logical", "Date", "DateTime", "Currency"};
  *out << kKinds[value.v_.index()] << "(" << value.toText() << ")";
}

}  // namespace dbengine
