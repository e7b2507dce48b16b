#include "platform/linux/ini_settings_store.h"

#include "platform/linux/ini_file.h"
#include "platform/linux/xdg_config_file.h"

namespace platform_linux {

IniSettingsStore::IniSettingsStore(std::string configHome) : configHome_(std::move(configHome)) {}

IniSettingsStore IniSettingsStore::forCurrentUser() {
  return IniSettingsStore(xdgConfigHome());
}

std::string IniSettingsStore::settingsFilePath(std::string_view application) const {
  if (configHome_.empty() || application.empty() || application == "." || application == ".." ||
      application.find_first_of(std::string_view("/\0", 2)) != std::string_view::npos) {
    return {};
  }
  return configHome_ + "/" + std::string(application) + "/settings.ini";
}

std::string IniSettingsStore::read(std::string_view application, std::string_view section,
                                   std::string_view key, std::string_view fallback) const {
  try {
    const std::string path = settingsFilePath(application);
    if (path.empty()) return std::string(fallback);
    FileContents contents = readWholeFile(path, kLargestSettingsFileBytes);
    if (contents.status != ReadStatus::Ok) return std::string(fallback);
    return IniFile::parse(contents.bytes).value(section, key).value_or(std::string(fallback));
  } catch (...) {
    // Out of memory: the store counts as unreadable. The fallback is tried once more.
    try {
      return std::string(fallback);
    } catch (...) {
      return {};
    }
  }
}

bool IniSettingsStore::write(std::string_view application, std::string_view section,
                             std::string_view key, std::string_view value) {
  try {
    const std::string path = settingsFilePath(application);
    if (path.empty()) return false;
    const std::string folder = folderOf(path);
    if (makeDirectories(folder) != 0) return false;
    FolderLock lock(folder);
    if (lock.held()) removeLeftoverTemporaries(path);
    FileContents contents = readWholeFile(path, kLargestSettingsFileBytes);
    if (contents.status == ReadStatus::Failed) return false;
    IniFile file = IniFile::parse(contents.bytes);
    file.setValue(section, key, value);
    return replaceFileAtomically(path, file.text()) == 0;
  } catch (...) {
    return false;  // out of memory; the old file was not touched
  }
}

}  // namespace platform_linux
