#pragma once
// Byte-to-Unicode tables of the upper halves (0x80..0xFF) of the 8-bit code
// pages other than Windows-1252 (which lives in common/cp1252.h).

#include <array>

namespace dbengine::codepage_tables {

extern const std::array<char32_t, 128> kCp437;
extern const std::array<char32_t, 128> kCp850;
extern const std::array<char32_t, 128> kCp852;
extern const std::array<char32_t, 128> kCp865;
extern const std::array<char32_t, 128> kCp866;
extern const std::array<char32_t, 128> kCp1250;

}  // namespace dbengine::codepage_tables
