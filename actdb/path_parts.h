#pragma once
// Splitting the path of the ACT! database file into the folder the engine
// opens and the base name every table name is formed from.
//
// Both use the position p of the last separator, counted in characters from 1
// and searched from position 2 on (a separator in position 1 is never found,
// p is then 1). The separator is the platform's: '\' on Windows, '/' here.

#include <optional>
#include <string>
#include <string_view>

namespace actdb {

// The first p - 1 characters: the folder without its trailing separator.
// "C:\ACT\DATABASE\KONTAKTE.DBF" gives "C:\ACT\DATABASE"; a path whose only
// separator is its first character gives the empty text.
std::string folderOf(std::string_view path, char separator);

// The Len(path) - p - 4 characters after the separator: the file name
// without its four-character ending ("KONTAKTE"). nullopt when the file name
// is shorter than its ending, where the result would be undefined.
std::optional<std::string> baseNameOf(std::string_view path, char separator);

}  // namespace actdb
