#pragma once
// Where the stand-in keeps things per user on the platform it runs on: its
// default web-link folder and text values under HKEY_CURRENT_USER (on Linux
// the registry file of platform/linux/reg_file_backend.h, on Windows the
// registry). One implementation per platform: user_store_posix.cpp,
// user_store_win32.cpp. Text is UTF-8; nothing here throws.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace standin {

// Linux: ${XDG_DATA_HOME:-$HOME/.local/share}/act-standin/netlinks.
// Windows: %LOCALAPPDATA%\act-standin\netlinks.
std::filesystem::path defaultNetLinksFolder();

// Stores `value` as REG_SZ under HKEY_CURRENT_USER\`keyPath`, creating the
// key as needed. False when it cannot.
bool writeUserString(std::string_view keyPath, std::string_view valueName, std::string_view value);

// The REG_SZ value, or nullopt when there is none (or it has another type).
std::optional<std::string> readUserString(std::string_view keyPath, std::string_view valueName);

}  // namespace standin
