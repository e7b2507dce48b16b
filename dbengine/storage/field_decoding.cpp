#include "dbengine/storage/field_decoding.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cstring>

namespace dbengine::field_decoding {

namespace {

bool isBlank(std::uint8_t byte) {
  return byte == ' ' || byte == 0;
}

std::string_view asText(Bytes field) {
  return {reinterpret_cast<const char*>(field.data()), field.size()};
}

std::string_view trimBlanks(Bytes field) {
  std::string_view text = trimTrailingBlanks(field);
  while (!text.empty() && isBlank(static_cast<std::uint8_t>(text.front()))) text.remove_prefix(1);
  return text;
}

bool isLeapYear(int year) {
  return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int daysInMonth(int year, int month) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && isLeapYear(year) ? 29 : kDays[month - 1];
}

}  // namespace

std::string_view trimTrailingBlanks(Bytes field) {
  std::size_t length = field.size();
  while (length > 0 && isBlank(field[length - 1])) --length;
  return asText(field.first(length));
}

std::optional<Value> number(Bytes field) {
  std::string_view text = trimBlanks(field);
  if (text.empty()) return std::nullopt;
  if (std::all_of(text.begin(), text.end(), [](char c) { return c == '*'; })) return std::nullopt;
  if (text.front() == '+') text.remove_prefix(1);
  const char* first = text.data();
  const char* last = text.data() + text.size();
  if (text.find_first_of(".eE") == std::string_view::npos) {
    std::int64_t integer = 0;
    const auto [end, ec] = std::from_chars(first, last, integer);
    if (ec == std::errc() && end == last) return Value(integer);
  }
  double real = 0;
  const auto [end, ec] = std::from_chars(first, last, real, std::chars_format::general);
  if (ec != std::errc() || end != last) return std::nullopt;
  return Value(real);
}

std::optional<Date> date(Bytes field) {
  if (field.size() != 8) return std::nullopt;
  int parts[3] = {0, 0, 0};
  static constexpr int kStart[] = {0, 4, 6};
  static constexpr int kLength[] = {4, 2, 2};
  for (int p = 0; p < 3; ++p) {
    for (int i = 0; i < kLength[p]; ++i) {
      const std::uint8_t byte = field[static_cast<std::size_t>(kStart[p] + i)];
      if (byte < '0' || byte > '9') return std::nullopt;
      parts[p] = parts[p] * 10 + (byte - '0');
    }
  }
  const Date result{parts[0], parts[1], parts[2]};
  if (result.year < 1 || result.month < 1 || result.month > 12 || result.day < 1 ||
      result.day > daysInMonth(result.year, result.month)) {
    return std::nullopt;
  }
  return result;
}

std::optional<bool> logical(std::uint8_t byte) {
  switch (byte) {
    case 'T':
    case 't':
    case 'Y':
    case 'y':
      return true;
    case 'F':
    case 'f':
    case 'N':
    case 'n':
      return false;
    default:
      return std::nullopt;
  }
}

Date dateFromJulianDay(std::int64_t julianDay) {
  // Fliegel and Van Flandern's conversion to the proleptic Gregorian calendar.
  std::int64_t l = julianDay + 68569;
  const std::int64_t n = 4 * l / 146097;
  l -= (146097 * n + 3) / 4;
  const std::int64_t i = 4000 * (l + 1) / 1461001;
  l = l - 1461 * i / 4 + 31;
  const std::int64_t j = 80 * l / 2447;
  const std::int64_t day = l - 2447 * j / 80;
  l = j / 11;
  const std::int64_t month = j + 2 - 12 * l;
  const std::int64_t year = 100 * (n - 49) + i + l;
  return {static_cast<int>(year), static_cast<int>(month), static_cast<int>(day)};
}

std::optional<DateTime> dateTime(Bytes field) {
  if (field.size() != 8) return std::nullopt;
  if (std::all_of(field.begin(), field.end(), isBlank)) return std::nullopt;
  const std::int32_t day = littleEndianInt32(field.data());
  const std::int32_t milliseconds = littleEndianInt32(field.data() + 4);
  if (day <= 0 || milliseconds < 0 || milliseconds >= 86'400'000) return std::nullopt;
  return DateTime{dateFromJulianDay(day), milliseconds};
}

std::int64_t memoBlock(Bytes field) {
  // Binary (Visual FoxPro): a block number whatever its bytes; only 0 is none.
  if (field.size() == 4) return static_cast<std::uint32_t>(littleEndianInt32(field.data()));
  const std::string_view text = trimBlanks(field);
  if (text.empty()) return kNoBlock;
  std::uint32_t block = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), block);
  if (ec != std::errc() || end != text.data() + text.size()) return kBadPointer;
  return block;
}

std::int32_t littleEndianInt32(const std::uint8_t* p) {
  const std::uint32_t u = std::uint32_t{p[0]} | std::uint32_t{p[1]} << 8 |
                          std::uint32_t{p[2]} << 16 | std::uint32_t{p[3]} << 24;
  return static_cast<std::int32_t>(u);
}

std::int64_t littleEndianInt64(const std::uint8_t* p) {
  std::uint64_t u = 0;
  for (int i = 7; i >= 0; --i) u = u << 8 | p[i];
  return static_cast<std::int64_t>(u);
}

double littleEndianDouble(const std::uint8_t* p) {
  return std::bit_cast<double>(static_cast<std::uint64_t>(littleEndianInt64(p)));
}

}  // namespace dbengine::field_decoding
