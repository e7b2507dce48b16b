#pragma once
// The settings store on Linux: one INI file per application (ini_file.h),
// ${XDG_CONFIG_HOME:-$HOME/.config}/<application>/settings.ini, one INI
// section per settings section.
//
// read(): the stored text, or the fallback when the file, the section or the
// key is missing, or the file cannot be read; malformed lines are skipped.
// Reading never creates or changes anything.
//
// write(): creates the folders on first use and replaces the file atomically
// (xdg_config_file.h), so that after a crash or a full disk the file holds
// either the old or the new contents in full; all other keys and lines stay as
// they were. Writers in several processes are serialised by a lock on the
// application's folder. Returns false, leaving the old file, when the file
// exists but cannot be read, or cannot be replaced.
//
// An application name that is not usable as one folder name (empty, ".",
// "..", or holding "/" or a NUL) reads as absent and cannot be written.

#include <string>

#include "common/settings_store.h"

namespace platform_linux {

class IniSettingsStore : public common::SettingsStore {
 public:
  // `configHome`: the folder that holds one folder per application. Empty for
  // none (every read gives the fallback and every write fails).
  explicit IniSettingsStore(std::string configHome);

  // The store in the user's configuration folder (xdgConfigHome()).
  static IniSettingsStore forCurrentUser();

  std::string read(std::string_view application, std::string_view section, std::string_view key,
                   std::string_view fallback) const override;
  bool write(std::string_view application, std::string_view section, std::string_view key,
             std::string_view value) override;

  // The file of `application`; empty when the name is not usable.
  std::string settingsFilePath(std::string_view application) const;

 private:
  std::string configHome_;
};

// Largest settings file read; a bigger one reads as unreadable.
inline constexpr std::size_t kLargestSettingsFileBytes = 16u << 20;

}  // namespace platform_linux
