#pragma once
// The settings store on Windows, where classic Visual Basic programs keep
// theirs, so that what an earlier installation of the program stored is read
// and kept:
//
//   HKEY_CURRENT_USER\Software\VB and VBA Program Settings\<application>\<section>
//
// one REG_SZ value per key, the text as UTF-16 with its terminating NUL.
//
// read(): the stored text (without its terminating NUL), or the fallback when
// the key or value is missing, unreadable or of another type than REG_SZ.
// Reading never creates or changes anything.
//
// write(): creates the keys as needed and sets the value; every other value
// stays as it was. The registry replaces a value as a whole: a reader sees the
// old text or the new one. Returns false when the value could not be set.
//
// An application or section name that is empty or holds "\" (which would
// address another key) reads as absent and cannot be written.

#include "common/settings_store.h"

namespace platform_win32 {

class RegistrySettingsStore : public common::SettingsStore {
 public:
  std::string read(std::string_view application, std::string_view section, std::string_view key,
                   std::string_view fallback) const override;
  bool write(std::string_view application, std::string_view section, std::string_view key,
             std::string_view value) override;
};

}  // namespace platform_win32
