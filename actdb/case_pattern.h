#pragma once
// The case-insensitive LIKE pattern of a search fragment.
//
// Each character is taken by its Windows-1252 code c (a character the code
// page lacks counts as "?"). Codes 97-122 and 224-253 have the partner c - 32,
// codes 65-90 and 192-221 the partner c + 32; a character with a partner
// becomes "[" + itself + partner + "]" ("M" gives "[Mm]", "ü" gives "[üÜ]"),
// every other character is copied. So "×" and "÷" pair up as well, while "ß"
// and "ÿ" stay single.
//
// The wildcard characters *, ?, # and [ keep their meaning. An apostrophe is
// doubled, because the pattern goes into a quoted SQL literal: the fragment
// O'Neil must find O'Neil rather than break the query.

#include <string>
#include <string_view>

namespace actdb {

std::string caseInsensitivePattern(std::string_view fragment);

}  // namespace actdb
