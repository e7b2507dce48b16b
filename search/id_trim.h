#pragma once
// The fixed width of a contact ID in the list handed to ACT!.

#include <string>

namespace search {

// The width of one ID in ACT!'s ID list, in characters.
inline constexpr std::size_t kIdWidth = 12;

// `ID` followed by blanks up to exactly 12 characters (code points): the
// empty ID gives 12 blanks, a 12-character ID comes back unchanged. IDTRIM
// pads and never cuts: an ID longer than 12 characters throws
// std::invalid_argument.
std::string IDTRIM(const std::string& ID);

}  // namespace search
