#include "dbengine/sql/like_matcher.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "common/utf8.h"

namespace dbengine::sql {

using common::WildcardPattern;

namespace {

std::uint64_t everyByte(std::uint8_t byte) {
  return std::uint64_t{byte} * 0x0101010101010101u;
}

// The high bit of each byte of `word` that is zero, and no other bit.
std::uint64_t zeroBytes(std::uint64_t word) {
  constexpr std::uint64_t kLow7 = 0x7F7F7F7F7F7F7F7Fu;
  return ~(((word & kLow7) + kLow7) | word | kLow7);
}

}  // namespace

std::u32string toCodepageUnits(std::string_view utf8Pattern, const Codepage& codepage) {
  std::u32string units = common::utf8ToUtf32(utf8Pattern);
  for (char32_t& unit : units) {
    int byte = codepage.fromUnicode(unit);
    // Above 255 no byte can equal it; adding 0x100 keeps distinct characters
    // distinct and their order, so ranges still mean something.
    unit = byte >= 0 ? static_cast<char32_t>(byte) : unit + 0x100;
  }
  return units;
}

std::optional<LikeMatcher> LikeMatcher::compile(std::string_view utf8Pattern,
                                                const Codepage& codepage, Strategy strategy,
                                                common::WildcardError* error) {
  std::optional<WildcardPattern> pattern =
      WildcardPattern::compile(toCodepageUnits(utf8Pattern, codepage), error);
  if (!pattern) return std::nullopt;
  LikeMatcher matcher(std::move(*pattern));
  if (strategy == Strategy::kFastestAvailable)
    matcher.fast_ = fixedRunOf(matcher.general_.tokens());
  return matcher;
}

std::optional<LikeMatcher::FixedRun> LikeMatcher::fixedRunOf(
    const std::vector<WildcardPattern::Token>& tokens) {
  using Kind = WildcardPattern::Kind;
  std::size_t begin = 0;
  std::size_t end = tokens.size();
  while (begin < end && tokens[begin].kind == Kind::kAnyRun) ++begin;
  while (end > begin && tokens[end - 1].kind == Kind::kAnyRun) --end;

  FixedRun run;
  run.anchoredStart = begin == 0;
  run.anchoredEnd = end == tokens.size();
  if (begin == end && !tokens.empty()) {
    // Only "*": one run covers both sides.
    run.anchoredStart = run.anchoredEnd = false;
  }
  for (std::size_t i = begin; i < end; ++i) {
    const WildcardPattern::Token& token = tokens[i];
    ByteSet set;
    switch (token.kind) {
      case Kind::kAnyRun:
        return std::nullopt;  // a "*" inside the run
      case Kind::kLiteral:
        if (token.literal < 256) set.add(static_cast<unsigned>(token.literal));
        break;
      case Kind::kAnyChar:
        for (unsigned b = 0; b < 256; ++b) set.add(b);
        break;
      case Kind::kDigit:
        for (unsigned b = '0'; b <= '9'; ++b) set.add(b);
        break;
      case Kind::kList: {
        ByteSet listed;
        for (const WildcardPattern::Range& range : token.ranges) {
          for (char32_t c = range.low; c <= range.high && c < 256; ++c) {
            listed.add(static_cast<unsigned>(c));
          }
        }
        for (unsigned b = 0; b < 256; ++b) {
          if (listed.contains(static_cast<std::uint8_t>(b)) != token.negated) set.add(b);
        }
        break;
      }
    }
    run.positions.push_back(set);
  }
  if (!run.positions.empty()) {
    std::size_t accepted = 0;
    for (unsigned b = 0; b < 256; ++b) {
      run.firstAccepts[b] = run.positions.front().contains(static_cast<std::uint8_t>(b));
      if (!run.firstAccepts[b]) continue;
      if (accepted < kMaxFirstBytes) run.firstBytes[accepted] = static_cast<std::uint8_t>(b);
      ++accepted;
    }
    run.firstByteCount = accepted <= kMaxFirstBytes ? accepted : 0;
  }
  return run;
}

bool LikeMatcher::matchesAt(std::span<const std::uint8_t> bytes, std::size_t start) const {
  const std::vector<ByteSet>& positions = fast_->positions;
  for (std::size_t i = 0; i < positions.size(); ++i) {
    if (!positions[i].contains(bytes[start + i])) return false;
  }
  return true;
}

bool LikeMatcher::matches(std::span<const std::uint8_t> bytes) const {
  if (!fast_) return general_.matches(bytes);
  const FixedRun& run = *fast_;
  const std::size_t width = run.positions.size();
  if (bytes.size() < width) return false;
  if (run.anchoredStart && run.anchoredEnd) return bytes.size() == width && matchesAt(bytes, 0);
  if (run.anchoredStart) return matchesAt(bytes, 0);
  if (run.anchoredEnd) return matchesAt(bytes, bytes.size() - width);
  if (width == 0) return true;
  return containsRun(bytes);
}

bool LikeMatcher::containsRun(std::span<const std::uint8_t> bytes) const {
  const FixedRun& run = *fast_;
  const std::size_t lastStart = bytes.size() - run.positions.size();
  std::size_t start = 0;
  if constexpr (std::endian::native == std::endian::little) {
    if (run.firstByteCount > 0) {
      // Eight bytes at a time: mark the bytes that equal one of the few
      // first bytes, then try the run only at the marked places.
      for (; start <= lastStart && start + 8 <= bytes.size(); start += 8) {
        std::uint64_t word = 0;
        std::memcpy(&word, bytes.data() + start, 8);
        std::uint64_t candidates = 0;
        for (std::size_t k = 0; k < run.firstByteCount; ++k) {
          candidates |= zeroBytes(word ^ everyByte(run.firstBytes[k]));
        }
        while (candidates != 0) {
          const std::size_t at = start + static_cast<std::size_t>(std::countr_zero(candidates)) / 8;
          if (at > lastStart) return false;  // later candidates lie further on
          if (matchesAt(bytes, at)) return true;
          candidates &= candidates - 1;
        }
      }
    }
  }
  for (; start <= lastStart; ++start) {
    if (run.firstAccepts[bytes[start]] && matchesAt(bytes, start)) return true;
  }
  return false;
}

}  // namespace dbengine::sql
