#pragma once
// How the engine compares the names of tables, files and columns: without
// regard to letter case, as on Windows (ASCII and Latin-1 letters).

#include <string_view>

namespace dbengine::sql {

bool equalsIgnoringCase(std::string_view utf8A, std::string_view utf8B);

// The name without surrounding blanks and without one pair of enclosing
// square brackets: " [KONTAKTE] " gives "KONTAKTE".
std::string_view withoutBrackets(std::string_view name);

}  // namespace dbengine::sql
