#pragma once
// Paths and the program's UTF-8 text. std::filesystem turns a plain
// std::string into a path through the system's narrow code page on Windows,
// which cannot hold every name; every conversion between a path and text
// therefore goes through these two, which are UTF-8 on every platform.

#include <filesystem>
#include <string>
#include <string_view>

namespace common {

std::filesystem::path pathFromUtf8(std::string_view utf8);
std::string utf8FromPath(const std::filesystem::path& path);

}  // namespace common
