// Splits the input at its first NUL byte into a pattern (Windows-1252 bytes)
// and a field (raw bytes; no NUL: the input is both) and checks that the
// compiled matcher's fast path, whichever search it picks, answers exactly as
// the general wildcard matcher does. Patterns of the fragment-search shape
// "*run*" are tried as given and wrapped in stars, so the word-wise substring
// search runs often.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "common/cp1252.h"
#include "dbengine/sql/like_matcher.h"

namespace {

using dbengine::sql::LikeMatcher;

void check(std::string_view cp1252Pattern, std::span<const std::uint8_t> field) {
  const std::string pattern = common::cp1252ToUtf8(cp1252Pattern);
  const dbengine::Codepage& codepage = dbengine::cp1252Codepage();
  std::optional<LikeMatcher> fast =
      LikeMatcher::compile(pattern, codepage, LikeMatcher::Strategy::kFastestAvailable);
  std::optional<LikeMatcher> general =
      LikeMatcher::compile(pattern, codepage, LikeMatcher::Strategy::kGeneralOnly);
  if (fast.has_value() != general.has_value()) std::abort();
  if (!fast) return;
  if (fast->matches(field) != general->matches(field)) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const std::size_t nul = input.find('\0');
  const std::string_view pattern = nul == std::string_view::npos ? input : input.substr(0, nul);
  const std::span<const std::uint8_t> field = nul == std::string_view::npos
                                                  ? std::span(data, size)
                                                  : std::span(data + nul + 1, size - nul - 1);
  if (pattern.size() > 64) return 0;
  check(pattern, field);
  std::string wrapped = "*";
  wrapped += pattern;
  wrapped += '*';
  check(wrapped, field);
  return 0;
}
