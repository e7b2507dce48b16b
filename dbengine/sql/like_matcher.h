#pragma once
// A LIKE pattern compiled for the raw bytes of one table's character fields.
//
// The pattern's characters are first put into the table's code page (a
// character the code page lacks becomes a code above 255, which no byte
// equals), then compiled by common::WildcardPattern. Patterns made of one run
// of single-character tokens, with or without "*" on either side (the
// case-insensitive fragment search '*[mM][üÜ]*', the prefix '[kK]-*'), are
// matched by a fixed-width search in which each position holds the set of
// bytes it accepts; every other pattern goes to the general matcher. Both give
// the same answers; matching never allocates.

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "common/wildcard.h"
#include "dbengine/storage/codepage.h"

namespace dbengine::sql {

class LikeMatcher {
 public:
  enum class Strategy { kFastestAvailable, kGeneralOnly };

  // nullopt (and *error set when given) when the pattern is invalid.
  static std::optional<LikeMatcher> compile(std::string_view utf8Pattern, const Codepage& codepage,
                                            Strategy strategy = Strategy::kFastestAvailable,
                                            common::WildcardError* error = nullptr);

  // True when the whole of `bytes` (a field without its trailing blanks)
  // matches the pattern.
  bool matches(std::span<const std::uint8_t> bytes) const;

  bool usesFastPath() const { return fast_.has_value(); }

 private:
  static constexpr std::size_t kMaxFirstBytes = 4;
  // 256 bits: the bytes one position accepts.
  struct ByteSet {
    std::array<std::uint64_t, 4> words{};
    void add(unsigned byte) { words[byte >> 6] |= std::uint64_t{1} << (byte & 63); }
    bool contains(std::uint8_t byte) const { return ((words[byte >> 6] >> (byte & 63)) & 1) != 0; }
  };
  struct FixedRun {
    bool anchoredStart = true;  // no "*" before the run
    bool anchoredEnd = true;    // no "*" after the run
    std::vector<ByteSet> positions;
    std::array<bool, 256> firstAccepts{};  // positions[0] as a lookup table
    // The bytes positions[0] accepts when they are few (a letter and its
    // other case): candidates are then found eight bytes at a time.
    std::array<std::uint8_t, kMaxFirstBytes> firstBytes{};
    std::size_t firstByteCount = 0;  // 0: too many, use firstAccepts
  };

  explicit LikeMatcher(common::WildcardPattern pattern) : general_(std::move(pattern)) {}
  static std::optional<FixedRun> fixedRunOf(
      const std::vector<common::WildcardPattern::Token>& tokens);
  bool matchesAt(std::span<const std::uint8_t> bytes, std::size_t start) const;
  bool containsRun(std::span<const std::uint8_t> bytes) const;

  common::WildcardPattern general_;
  std::optional<FixedRun> fast_;
};

// The pattern's code points in the code page's alphabet (see above).
std::u32string toCodepageUnits(std::string_view utf8Pattern, const Codepage& codepage);

}  // namespace dbengine::sql
