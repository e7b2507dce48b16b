#pragma once
// Reading the stored form of single field values: the parsing rules shared by
// TableFile::isNull and TableFile::value, so both always agree on what is
// Null. Inputs are the field's bytes exactly as they lie in the record.

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "dbengine/storage/value.h"

namespace dbengine::field_decoding {

using Bytes = std::span<const std::uint8_t>;

// Character bytes without trailing blanks (spaces, and NULs that some
// writers pad with). Leading blanks stay.
std::string_view trimTrailingBlanks(Bytes field);

// A number field (N, F) as written: blank, all "*" (overflow marker) or not
// a number gives nullopt. Text without a decimal point or exponent that fits
// in 64 bits gives an integer, anything else a double.
std::optional<Value> number(Bytes field);

// A date field "YYYYMMDD": blank, "00000000" or no real calendar date gives
// nullopt.
std::optional<Date> date(Bytes field);

// A logical: T t Y y true, F f N n false, anything else ("?", blank) nullopt.
std::optional<bool> logical(std::uint8_t byte);

// A Visual FoxPro date-time: 32-bit Julian day number and 32-bit
// milliseconds since midnight, both little-endian. Day 0, all blanks or a
// time outside the day gives nullopt.
std::optional<DateTime> dateTime(Bytes field);

// The calendar date of a Julian day number (> 0).
Date dateFromJulianDay(std::int64_t julianDay);

// The block number in a memo field: 10 ASCII digits padded with blanks, or a
// 32-bit little-endian number (4-byte fields, whatever its bytes). kNoBlock
// for 0 or blank digits, kBadPointer for digits that are no number.
inline constexpr std::int64_t kNoBlock = 0;
inline constexpr std::int64_t kBadPointer = -1;
std::int64_t memoBlock(Bytes field);

std::int32_t littleEndianInt32(const std::uint8_t* p);
std::int64_t littleEndianInt64(const std::uint8_t* p);
double littleEndianDouble(const std::uint8_t* p);

}  // namespace dbengine::field_decoding
