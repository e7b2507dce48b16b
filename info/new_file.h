#pragma once
// Creating a file that must not exist yet, with one platform file each
// (new_file_posix.cpp, new_file_win32.cpp).

#include <filesystem>
#include <string_view>

namespace info {

// Creates the file at `path` and writes `bytes` into it. Never replaces
// anything: when a file, folder or link of that name is there already (also
// a dangling link), nothing is written. False on any failure; a partly
// written file is left as it is.
bool writeNewFile(const std::filesystem::path& path, std::string_view bytes);

}  // namespace info
