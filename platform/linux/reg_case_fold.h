#pragma once
// Letter case as registry names ignore it. Key and value names are compared
// after folding every character to its small letter; the settings store uses
// the same rule because on Windows it lives in the registry.
//
// Covers the scripts a Windows-1252 program can name things in and a little
// more: Basic Latin, Latin-1, Latin Extended-A, basic Greek and Cyrillic.
// Other characters compare as they are.

#include <string>
#include <string_view>

namespace platform_linux {

char32_t foldCase(char32_t ch);
std::u16string foldCase(std::u16string_view text);
// UTF-8 in, folded UTF-8 out (malformed bytes become U+FFFD).
std::string foldCaseUtf8(std::string_view text);

}  // namespace platform_linux
