// Splits the input at its first NUL byte into pattern and text (no NUL: the
// input is both), compiles the pattern once from its bytes as codes and once
// from it decoded as UTF-8, and matches every text form. Checks that the two
// matching overloads agree and that the greedy matcher agrees with a plain
// dynamic-programming matcher over the same tokens.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string>
#include <vector>

#include "common/utf8.h"
#include "common/wildcard.h"

namespace {

using common::WildcardPattern;

bool acceptsOne(const WildcardPattern::Token& token, char32_t ch) {
  switch (token.kind) {
    case WildcardPattern::Kind::kLiteral:
      return ch == token.literal;
    case WildcardPattern::Kind::kAnyChar:
      return true;
    case WildcardPattern::Kind::kDigit:
      return ch >= U'0' && ch <= U'9';
    case WildcardPattern::Kind::kList: {
      bool inList = false;
      for (const auto& range : token.ranges)
        inList = inList || (ch >= range.low && ch <= range.high);
      return inList != token.negated;
    }
    case WildcardPattern::Kind::kAnyRun:
      break;
  }
  return false;
}

// After reading some characters, reachable[j] says whether the first j tokens
// can match exactly those characters.
bool referenceMatch(const std::vector<WildcardPattern::Token>& tokens, std::u32string_view text) {
  const std::size_t m = tokens.size();
  const auto isStar = [&](std::size_t j) {
    return tokens[j].kind == WildcardPattern::Kind::kAnyRun;
  };
  // A star may match nothing: passing it costs no character.
  const auto closeOverStars = [&](std::vector<bool>& reachable) {
    for (std::size_t j = 0; j < m; ++j)
      if (isStar(j) && reachable[j]) reachable[j + 1] = true;
  };
  std::vector<bool> reachable(m + 1, false);
  reachable[0] = true;
  closeOverStars(reachable);
  for (char32_t ch : text) {
    std::vector<bool> next(m + 1, false);
    for (std::size_t j = 0; j < m; ++j) {
      // A passed star takes one more character; any other token takes this one.
      next[j + 1] = isStar(j) ? reachable[j + 1] : (reachable[j] && acceptsOne(tokens[j], ch));
    }
    closeOverStars(next);
    reachable.swap(next);
  }
  return reachable[m];
}

void check(bool condition) {
  if (!condition) std::abort();
}

void exercise(std::u32string_view pattern, std::u32string_view text,
              std::span<const std::uint8_t> bytes) {
  common::WildcardError error = common::WildcardError::kNone;
  const auto compiled = WildcardPattern::compile(pattern, &error);
  check(compiled.has_value() == (error == common::WildcardError::kNone));
  if (!compiled) return;
  const bool onText = compiled->matches(text);
  const bool onBytes = compiled->matches(bytes);
  if (text.size() <= 256 && compiled->tokens().size() <= 256) {
    check(onText == referenceMatch(compiled->tokens(), text));
  }
  std::u32string widened(bytes.begin(), bytes.end());
  check(onBytes == compiled->matches(widened));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::span<const std::uint8_t> input(data, size);
  std::size_t split = 0;
  while (split < size && data[split] != 0) ++split;
  const auto patternBytes = input.first(split);
  const auto textBytes = split < size ? input.subspan(split + 1) : input;

  const std::u32string patternCodes(patternBytes.begin(), patternBytes.end());
  const std::u32string textCodes(textBytes.begin(), textBytes.end());
  exercise(patternCodes, textCodes, textBytes);

  const std::string_view patternUtf8(reinterpret_cast<const char*>(patternBytes.data()),
                                     patternBytes.size());
  const std::string_view textUtf8(reinterpret_cast<const char*>(textBytes.data()),
                                  textBytes.size());
  exercise(common::utf8ToUtf32(patternUtf8), common::utf8ToUtf32(textUtf8), textBytes);
  (void)common::wildcardMatch(textUtf8, patternUtf8);
  return 0;
}
